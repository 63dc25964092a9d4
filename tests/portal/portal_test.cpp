// The portal classes against tests/portal/fake_portal.cpp on the private session bus that
// dbus-run-session gives this program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <vector>

#include "base/CSystemError.h"
#include "platform/qt/CPortalCall.h"
#include "platform/qt/CPortalHotKeys.h"
#include "platform/qt/CPortalScreenSource.h"

namespace nl {
namespace {

constexpr int kWaitMs = 5000;
constexpr int kImageWidth = 4;
constexpr int kImageHeight = 3;
constexpr QRgb kImageColor = 0xFF336699;
constexpr GrabPixel kCornerColor = 0xFFFF0000;

// Runs the fake portal with `arguments` until the object goes.
class FakePortalProcess {
public:
    explicit FakePortalProcess(const QStringList& arguments) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(NL_FAKE_PORTAL_PATH), arguments);
        const QDeadlineTimer deadline(kWaitMs);
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        while (!deadline.hasExpired() && !bus->isServiceRegistered(kPortalService).value())
            QThread::msleep(20);
    }
    ~FakePortalProcess() {
        m_process.kill();
        m_process.waitForFinished(kWaitMs);
        // The bus lets the name go on its own time: wait, so the next test starts clean.
        const QDeadlineTimer deadline(kWaitMs);
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        while (!deadline.hasExpired() && bus->isServiceRegistered(kPortalService).value())
            QThread::msleep(20);
    }
    QStringList Ask(const char* method) const {
        const QDBusMessage reply =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                kPortalService, kPortalPath, QStringLiteral("net.nerim.FakePortal"), method));
        return reply.arguments().value(0).toStringList();
    }
    void Press(const QString& shortcut) const {
        QDBusMessage press = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                            QStringLiteral("net.nerim.FakePortal"),
                                                            QStringLiteral("Press"));
        press << shortcut;
        QDBusConnection::sessionBus().call(press);
    }

private:
    QProcess m_process;
};

// A picture of one color with a red top-left pixel, saved in `folder`.
QString WriteImage(const QDir& folder) {
    QImage image(kImageWidth, kImageHeight, QImage::Format_ARGB32);
    image.fill(kImageColor);
    image.setPixel(0, 0, kCornerColor);
    const QString path = folder.filePath(QStringLiteral("screen.png"));
    image.save(path);
    return path;
}

// Sets an environment variable for the object's life.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnvironment() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// Runs the event loop for a while, so that signals already sent arrive.
void Settle() {
    const QDeadlineTimer deadline(300);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Whether `text` holds each of `parts`.
::testing::AssertionResult HoldsAll(const std::string& text,
                                    const std::vector<std::string>& parts) {
    for (const std::string& part : parts)
        if (text.find(part) == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << part << "\" is not in: " << text;
    return ::testing::AssertionSuccess();
}

// The Screenshot calls the portal saw, without the lines naming its files.
QStringList CallsWithoutFiles(const FakePortalProcess& portal) {
    QStringList calls = portal.Ask("Calls");
    calls.removeIf([](const QString& call) { return call.startsWith(QStringLiteral("file ")); });
    return calls;
}

TEST(PortalScreenSourceTest, AnswersOfThePortalBecomeAFrameOrAMessage) {
    using enum ScreenRequestEvent;
    const std::string advice = "allow it to take screenshots in the desktop's privacy settings";
    const std::string reset = "flatpak permission-reset net.nerim.NerimLens";
    const std::string remove = "flatpak permission-remove screenshot screenshot";
    struct Case {
        const char* what;
        QStringList arguments;  // with "none", no portal runs
        PortalTimeouts timeouts;
        bool releaseWhenWaiting;  // the held response is let go once the wait is told
        bool captured;
        QStringList calls;
        std::vector<std::string> message;  // parts of the message of a failure
        std::vector<ScreenRequestEvent> events;
    };
    const QString silent = QStringLiteral("Screenshot interactive=false");
    const QString asking = QStringLiteral("Screenshot interactive=true");
    const QString close = QStringLiteral("Close");
    const PortalTimeouts usual;
    // Short enough for a test, long enough for any machine to reply to a call in.
    const PortalTimeouts hurried{1000, 1500};
    const PortalTimeouts noReply{200, 5000};
    const std::vector<Case> cases = {
        {"success",
         {"--screenshot-responses", "0"},
         usual,
         false,
         true,
         {silent},
         {},
         {kAsking, kEnded}},
        {"refused silently, then allowed",
         {"--screenshot-responses", "2,0"},
         usual,
         false,
         true,
         {silent, asking},
         {},
         {kAsking, kEnded}},
        {"cancelled",
         {"--screenshot-responses", "1"},
         usual,
         false,
         false,
         {silent},
         {"The desktop cancelled the screenshot", advice, reset, remove},
         {kAsking, kEnded}},
        {"refused twice",
         {"--screenshot-responses", "2,2"},
         usual,
         false,
         false,
         {silent, asking},
         {"The desktop refused the screenshot", "\"Deny\"", advice, reset, remove},
         {kAsking, kEnded}},
        {"no portal",
         {"none"},
         usual,
         false,
         false,
         {},
         {"no screenshot portal"},
         {kAsking, kEnded}},
        {"no reply to the call",
         {"--screenshot-no-reply"},
         noReply,
         false,
         false,
         {silent, close},
         {"did not answer", "no reply to the request within 0.2 seconds",
          "systemctl --user restart xdg-desktop-portal"},
         {kAsking, kEnded}},
        {"a late response",
         {"--screenshot-hold"},
         hurried,
         true,
         true,
         {silent},
         {},
         {kAsking, kWaiting, kEnded}},
        {"a request that is never answered",
         {"--screenshot-hold"},
         hurried,
         false,
         false,
         {silent, close},
         {"took the request but gave no screenshot within 1.5 seconds"},
         {kAsking, kWaiting, kEnded}},
    };
    // Not KDE, whose cancels would have the user's Pictures folder made.
    const ScopedEnvironment desktop("XDG_CURRENT_DESKTOP", QStringLiteral("GNOME"));
    QTemporaryDir folder;
    const QString image = WriteImage(QDir(folder.path()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<FakePortalProcess> portal;
        if (c.arguments != QStringList{"none"})
            portal = std::make_unique<FakePortalProcess>(c.arguments +
                                                         QStringList{"--screenshot-image", image});
        CPortalScreenSource source(QDBusConnection::sessionBus(), c.timeouts);
        std::vector<ScreenRequestEvent> events;
        source.SetListener([&](ScreenRequestEvent event) {
            events.push_back(event);
            if (event == kWaiting && c.releaseWhenWaiting) portal->Ask("Release");
        });
        ScreenFrame frame;
        std::string error;
        EXPECT_EQ(source.Capture(frame, &error), c.captured) << error;
        EXPECT_EQ(events, c.events);
        if (!c.captured) {
            EXPECT_TRUE(HoldsAll(error, c.message));
            EXPECT_TRUE(frame.pixels.empty());
        }
        if (!portal) continue;
        EXPECT_EQ(CallsWithoutFiles(*portal).join(u',').toStdString(),
                  c.calls.join(u',').toStdString());
        const QStringList files = portal->Ask("Calls").filter(QStringLiteral("file "));
        ASSERT_EQ(files.size(), c.captured ? 1 : 0);
        if (!c.captured) continue;
        // The portal's temporary copy is gone once read.
        EXPECT_FALSE(QFile::exists(files[0].mid(5)));
        EXPECT_EQ(frame.area.Width(), kImageWidth);
        EXPECT_EQ(frame.area.Height(), kImageHeight);
        ASSERT_EQ(frame.pixels.size(), static_cast<std::size_t>(kImageWidth * kImageHeight));
        EXPECT_EQ(frame.pixels[0], kCornerColor);
        EXPECT_EQ(frame.pixels[kImageWidth + 1], static_cast<GrabPixel>(kImageColor));
    }
}

TEST(PortalScreenSourceTest, KdeWithoutPicturesFolderGetsOneMadeAndIsAskedAgain) {
    QTemporaryDir outer;
    const QDir root(outer.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("home")) && root.mkpath(QStringLiteral("config")) &&
                root.mkpath(QStringLiteral("temp")));
    const QString temp = root.filePath(QStringLiteral("temp"));
    QFile::setPermissions(temp, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const ScopedEnvironment tempFolder("TMPDIR", temp);
    const ScopedEnvironment runtimeFolder("XDG_RUNTIME_DIR", temp);
    const QString home = root.filePath(QStringLiteral("home"));
    const ScopedEnvironment homeFolder("HOME", home);
    const ScopedEnvironment configFolder("XDG_CONFIG_HOME",
                                         root.filePath(QStringLiteral("config")));
    const QString pictures = home + QStringLiteral("/Pictures");
    // A folder below a plain file can never be made.
    QFile notes(home + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    const QString blocked = home + QStringLiteral("/notes.txt/Pictures");
    const QString userDirs = root.filePath(QStringLiteral("config/user-dirs.dirs"));
    const QString image = WriteImage(QDir(temp));

    struct Case {
        const char* what;
        const char* desktop;
        QString picturesDir;  // where XDG_PICTURES_DIR points
        QStringList arguments;
        bool captured;
        int screenshots;
        bool picturesLeft;
        std::vector<std::string> message;
    };
    const std::vector<Case> cases = {
        {"made, and the portal then saves there",
         "KDE",
         pictures,
         {"--cancel-without", pictures, "--screenshot-folder", pictures},
         true,
         2,
         true,
         {}},
        {"made, but the portal cancels again",
         "KDE",
         pictures,
         {"--screenshot-responses", "1"},
         false,
         2,
         false,
         {"cancelled the screenshot again after NerimLens created the missing Pictures folder",
          pictures.toStdString(), "so the folder was not the cause", "privacy settings"}},
        {"cannot be made",
         "KDE",
         blocked,
         {"--cancel-without", blocked},
         false,
         1,
         false,
         {"saves each screenshot in the Pictures folder, " + blocked.toStdString(),
          "could not create it", "XDG_PICTURES_DIR"}},
        {"not KDE: a cancel is the user's",
         "GNOME",
         pictures,
         {"--cancel-without", pictures},
         false,
         1,
         false,
         {"The desktop cancelled the screenshot"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(userDirs);
        if (c.picturesDir != pictures) {
            QFile dirs(userDirs);
            ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
            dirs.write("XDG_PICTURES_DIR=\"$HOME/notes.txt/Pictures\"\n");
        }
        QDir(pictures).removeRecursively();
        const ScopedEnvironment desktop("XDG_CURRENT_DESKTOP", QString::fromLatin1(c.desktop));
        FakePortalProcess portal(c.arguments + QStringList{"--screenshot-image", image});
        CPortalScreenSource source;
        ScreenFrame frame;
        std::string error;
        EXPECT_EQ(source.Capture(frame, &error), c.captured) << error;
        EXPECT_TRUE(HoldsAll(error, c.message));
        EXPECT_EQ(CallsWithoutFiles(portal).size(), c.screenshots);
        EXPECT_EQ(QFileInfo(pictures).isDir(), c.picturesLeft);
        // No picture is left, neither among the pictures nor in the temporary folder.
        if (c.picturesLeft) {
            EXPECT_EQ(QDir(pictures).entryList(QDir::Files), QStringList{});
        }
        EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList{"screen.png"});
    }
}

TEST(PortalScreenSourceTest, PicturesThePortalWroteAreRemovedWhereverTheyLie) {
    // A home outside the temporary and runtime folders (which point to its sibling while the
    // test runs), with a Pictures folder the portal saves into as some desktops do.
    QTemporaryDir outer;
    ASSERT_TRUE(QDir(outer.path()).mkpath(QStringLiteral("home/Pictures")));
    ASSERT_TRUE(QDir(outer.path()).mkdir(QStringLiteral("temp")));
    const QString temp = outer.filePath(QStringLiteral("temp"));
    QFile::setPermissions(temp, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const ScopedEnvironment tempFolder("TMPDIR", temp);
    const ScopedEnvironment runtimeFolder("XDG_RUNTIME_DIR", temp);
    const QDir home(outer.filePath(QStringLiteral("home")));
    const QDir pictures(home.filePath(QStringLiteral("Pictures")));
    const QString image = WriteImage(home);
    const QString notAPicture = home.filePath(QStringLiteral("notes.txt"));
    QFile notes(notAPicture);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    // A picture of the user's from long ago that a faulty portal hands out as its own.
    const QString old = home.filePath(QStringLiteral("holiday.png"));
    ASSERT_TRUE(QFile::copy(image, old));
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(oldFile.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                    QFileDevice::FileModificationTime));
    oldFile.close();

    struct Case {
        const char* what;
        QStringList arguments;
        int captures;
        bool captured;
        const char* messageContains;
    };
    const QString folder = pictures.path();
    const QStringList homeFiles{"Pictures", "holiday.png", "notes.txt", "screen.png"};
    const std::vector<Case> cases = {
        {"saved among the pictures, twice",
         {"--screenshot-image", image, "--screenshot-folder", folder},
         2,
         true,
         ""},
        {"a file that is no picture",
         {"--screenshot-image", notAPicture, "--screenshot-folder", folder},
         1,
         false,
         "could not be read"},
        {"a file the portal did not write", {"--screenshot-uri", old}, 1, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePortalProcess portal(c.arguments);
        for (int i = 0; i < c.captures; ++i) {
            CPortalScreenSource source;
            ScreenFrame frame;
            std::string error;
            EXPECT_EQ(source.Capture(frame, &error), c.captured) << error;
            EXPECT_NE(error.find(c.messageContains), std::string::npos) << error;
            if (c.captured) {
                EXPECT_EQ(frame.pixels.at(0), kCornerColor);
            }
        }
        EXPECT_EQ(portal.Ask("Calls").filter(QStringLiteral("file ")).size(), c.captures);
        EXPECT_EQ(pictures.entryList(QDir::Files), QStringList{});
        // Everything else in the home folder stays, the user's old picture included.
        QStringList left = QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        left.sort();
        EXPECT_EQ(left, homeFiles);
    }
}

TEST(PortalHotKeysTest, KeysAreBoundInTheSessionAndTheirPressesArrive) {
    FakePortalProcess portal(QStringList{});
    ASSERT_TRUE(CPortalHotKeys::Available());
    CPortalHotKeys keys;
    EXPECT_EQ(keys.Route(), HotKeyRoute::kDesktopPortal);
    std::vector<int> pressed;
    keys.SetListener([&](int id) { pressed.push_back(id); });
    constexpr std::uint32_t kVkF12 = 123;
    constexpr std::uint32_t kVkF1 = 112;
    EXPECT_EQ(keys.Register(0, kModControl, kVkF12), 0u);
    EXPECT_EQ(keys.Register(2, kModShift | kModWin, kVkF1), 0u);
    EXPECT_EQ(portal.Ask("Bound"), (QStringList{"hotkey-0=CTRL+F12", "hotkey-2=SHIFT+LOGO+F1"}));
    std::string trigger;
    EXPECT_TRUE(keys.DesktopBound(2, &trigger));
    EXPECT_EQ(trigger, "SHIFT+LOGO+F1");
    EXPECT_FALSE(keys.DesktopBound(1, &trigger));

    struct Step {
        const char* what;
        std::function<void()> act;
        const char* press;
        std::vector<int> expected;  // every id delivered so far
    };
    const std::vector<Step> steps = {
        {"a bound key", [] {}, "hotkey-2", {2}},
        {"not one of ours", [] {}, "other", {2}},
        {"released", [&] { keys.Unregister(2); }, "hotkey-2", {2}},
        {"suspended", [&] { keys.Suspend(); }, "hotkey-0", {2}},
        {"resumed", [&] { keys.Resume(); }, "hotkey-0", {2, 0}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        portal.Press(QString::fromLatin1(step.press));
        Settle();
        EXPECT_EQ(pressed, step.expected);
    }
    EXPECT_EQ(portal.Ask("Bound"), QStringList{"hotkey-0=CTRL+F12"});
}

TEST(PortalHotKeysTest, RefusalsAndMissingPortalsAreReported) {
    struct Case {
        QStringList arguments;
        bool available;
        std::uint32_t error;
    };
    const std::vector<Case> cases = {
        {{"--bind-response", "1"}, true, kErrorCancelled},
        {{"--bind-response", "2"}, true, kErrorNotSupported},
        {{"--no-shortcuts"}, false, kErrorNotSupported},
        // Success, but the answer's list of bound shortcuts lacks the key.
        {{"--bind-leave-out", "hotkey-1"}, true, kErrorNotSupported},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        FakePortalProcess portal(c.arguments);
        EXPECT_EQ(CPortalHotKeys::Available(), c.available);
        CPortalHotKeys keys;
        EXPECT_EQ(keys.Register(1, kModControl, 123), c.error);
        EXPECT_FALSE(keys.DesktopBound(1, nullptr));
    }
}

}  // namespace
}  // namespace nl

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The launcher's name, which the desktop may know the program by.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.nerim.NerimLens"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
