#include "platform/qt/CQtSingleInstance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "platform/local/instance_client.h"
#include "x11_test_support.h"

namespace nl {
namespace {

// Starts this test program as another start of NerimLens in `folder`; returns the role it
// got, while this process keeps answering from its event loop.
int RunOtherStart(const char* mode, const QString& folder) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), folder});
    if (!p.waitForStarted(5000)) return -1;
    if (!test::WaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000)) {
        p.kill();
        p.waitForFinished(1000);
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() - test::kRoleExitBase : -1;
}

TEST(QtSingleInstanceTest, LaterStartAsksTheFirstToShowAndEnds) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    int shown = 0;
    {
        CQtSingleInstance first(folder.path());
        first.SetShowListener([&] { ++shown; });
        ASSERT_EQ(first.Start(test::kInstanceName), InstanceRole::kFirst);
        EXPECT_TRUE(QFileInfo::exists(first.SocketPath(test::kInstanceName)));
        EXPECT_EQ(RunOtherStart(test::kSecondInstanceSwitch, folder.path()),
                  static_cast<int>(InstanceRole::kSecondShown));
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(RunOtherStart(test::kSecondInstanceSwitch, folder.path()),
                  static_cast<int>(InstanceRole::kSecondShown));
        EXPECT_EQ(shown, 2);
    }
    // The first ended normally: the next start is the first again.
    EXPECT_EQ(RunOtherStart(test::kSecondInstanceSwitch, folder.path()),
              static_cast<int>(InstanceRole::kFirst));
}

TEST(QtSingleInstanceTest, NameLeftByACrashedInstanceIsTakenOver) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A first instance that dies without cleaning up leaves its lock and socket.
    ASSERT_EQ(RunOtherStart(test::kCrashingFirstSwitch, folder.path()),
              static_cast<int>(InstanceRole::kFirst));
    CQtSingleInstance probe(folder.path());
    ASSERT_TRUE(QFileInfo::exists(probe.SocketPath(test::kInstanceName)));

    int shown = 0;
    CQtSingleInstance next(folder.path());
    next.SetShowListener([&] { ++shown; });
    EXPECT_EQ(next.Start(test::kInstanceName), InstanceRole::kFirst);
    EXPECT_EQ(RunOtherStart(test::kSecondInstanceSwitch, folder.path()),
              static_cast<int>(InstanceRole::kSecondShown));
    EXPECT_EQ(shown, 1);
}

TEST(QtSingleInstanceTest, StaleSocketWithoutLockDoesNotBlockTheStart) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    CQtSingleInstance instance(folder.path());
    // A socket file nobody listens on.
    const QByteArray path = instance.SocketPath(test::kInstanceName).toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);

    int shown = 0;
    instance.SetShowListener([&] { ++shown; });
    EXPECT_EQ(instance.Start(test::kInstanceName), InstanceRole::kFirst);
    EXPECT_EQ(RunOtherStart(test::kSecondInstanceSwitch, folder.path()),
              static_cast<int>(InstanceRole::kSecondShown));
    EXPECT_EQ(shown, 1);
}

// A later start without the toolkit writes its request straight to the socket: the first
// instance reads the same request out of those bytes and answers so that the start knows it
// was taken; a line it does not know is dropped, and where nobody listens nothing is reached.
TEST(QtSingleInstanceTest, ARequestWrittenStraightToTheSocketReachesTheFirst) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string socket = InstanceSocketPath(folder.path().toStdString(), test::kInstanceName);
    InstanceRequest pick;
    pick.command = "pick-color";
    pick.activationToken = "launcher_TIME7";
    struct Case {
        const char* what;
        std::string line;
        HandOver result;
        std::optional<InstanceRequest> received;
    };
    const std::vector<Case> cases = {
        {"a command with its token", FormatInstanceRequest(pick).value(), HandOver::kTaken, pick},
        {"show", "show\n", HandOver::kTaken, InstanceRequest{}},
        {"a line it does not know", "bogus\n", HandOver::kDropped, std::nullopt},
    };
    {
        CQtSingleInstance first(folder.path());
        std::vector<InstanceRequest> received;
        first.SetRequestListener([&](const InstanceRequest& r) { received.push_back(r); });
        ASSERT_EQ(first.Start(test::kInstanceName), InstanceRole::kFirst);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            received.clear();
            // The first answers from its event loop, which runs here meanwhile.
            std::atomic<bool> done = false;
            HandOver result = HandOver::kNoListener;
            std::thread start([&] {
                result = HandRequestToInstance(socket, c.line, 5000);
                done = true;
            });
            const bool ended = test::WaitFor([&] { return done.load(); }, 10000);
            start.join();
            ASSERT_TRUE(ended);
            EXPECT_EQ(result, c.result);
            // The first hands the request on in the same turn of its loop as it answers.
            ASSERT_EQ(received.size(), c.received ? 1u : 0u);
            if (c.received) {
                EXPECT_EQ(received.front(), *c.received);
            }
        }
    }
    // The first has ended and taken its socket away.
    EXPECT_EQ(HandRequestToInstance(socket, "show\n", 5000), HandOver::kNoListener);
}

TEST(QtSingleInstanceTest, NamesBecomeSafeFileNames) {
    EXPECT_EQ(CQtSingleInstance::SafeName("Nerim NerimLens"), QStringLiteral("Nerim_NerimLens"));
    EXPECT_EQ(CQtSingleInstance::SafeName("../a/b:c"), QStringLiteral(".._a_b_c"));
    EXPECT_EQ(CQtSingleInstance::SafeName(""), QStringLiteral("_"));
}

}  // namespace
}  // namespace nl
