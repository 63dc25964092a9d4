// A stand-in for the desktop portal on a private session bus: the Screenshot and
// GlobalShortcuts interfaces answering through Request objects the way
// xdg-desktop-portal does, with answers chosen on the command line, and a control interface
// (net.nerim.FakePortal) through which tests press shortcuts and read what was asked.
//
// Usage: fake_portal [--screenshot-responses CODES] [--screenshot-image FILE]
//                    [--screenshot-folder DIR | --screenshot-uri FILE]
//                    [--cancel-without DIR] [--screenshot-no-reply | --screenshot-hold]
//                    [--bind-response CODE] [--bind-leave-out ID] [--no-shortcuts]
// CODES is a comma-separated list of response codes, one per Screenshot call (the last one
// repeats). The picture is a copy of FILE in the temporary folder, or in DIR named
// Screenshot.png, Screenshot-1.png, ... as a desktop that saves among the user's pictures
// names them; --screenshot-uri hands out FILE itself, written by nobody for the request.
// --cancel-without answers "cancelled" while DIR is no folder, as KDE's portal does without
// the Pictures folder. --screenshot-no-reply never replies to the Screenshot call;
// --screenshot-hold replies with the request but sends its response only when the control
// interface's Release is called. A request's Close is noted among the calls.
// BindShortcuts answers with every shortcut asked for, as bound to its preferred trigger,
// except the one --bind-leave-out names ("all": none of them).
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <cstdio>

namespace {

constexpr const char* kService = "org.freedesktop.portal.Desktop";
constexpr const char* kPath = "/org/freedesktop/portal/desktop";
constexpr const char* kScreenshot = "org.freedesktop.portal.Screenshot";
constexpr const char* kShortcuts = "org.freedesktop.portal.GlobalShortcuts";
constexpr const char* kControl = "net.nerim.FakePortal";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr const char* kRequest = "org.freedesktop.portal.Request";
constexpr uint kVersion = 1;

struct Options {
    QList<uint> screenshotResponses{0};
    QString screenshotImage;
    QString screenshotFolder;
    QString screenshotUri;
    QString cancelWithout;
    bool screenshotNoReply = false;
    bool screenshotHold = false;
    uint bindResponse = 0;
    QString bindLeaveOut;
    bool shortcuts = true;
};

}  // namespace

// One shortcut of BindShortcuts' answer: (id, {trigger_description}).
struct BoundShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const BoundShortcut& shortcut) {
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, BoundShortcut& shortcut) {
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

Q_DECLARE_METATYPE(BoundShortcut)

namespace {

QString SenderPart(QString sender) {
    if (sender.startsWith(u':')) sender.remove(0, 1);
    return sender.replace(u'.', u'_');
}

class FakePortal final : public QDBusVirtualObject {
public:
    explicit FakePortal(Options options) : m_options(std::move(options)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString interface = message.interface();
        const QString member = message.member();
        const QList<QVariant> args = message.arguments();
        if (interface == QLatin1String(kProperties) && member == QLatin1String("Get")) {
            const QString asked = args.value(0).toString();
            const bool offered = asked == QLatin1String(kScreenshot) ||
                                 (asked == QLatin1String(kShortcuts) && m_options.shortcuts);
            if (!offered)
                return Send(connection,
                            message.createErrorReply(
                                QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
                                QStringLiteral("no such interface")));
            return Send(connection,
                        message.createReply(QVariant::fromValue(QDBusVariant(QVariant(kVersion)))));
        }
        if (interface == QLatin1String(kScreenshot) && member == QLatin1String("Screenshot"))
            return Screenshot(message, connection);
        if (interface == QLatin1String(kRequest) && member == QLatin1String("Close")) {
            m_calls << QStringLiteral("Close");
            if (message.path() == m_heldPath) m_heldPath.clear();
            return Send(connection, message.createReply());
        }
        if (interface == QLatin1String(kShortcuts) && m_options.shortcuts)
            return Shortcuts(message, connection);
        if (interface == QLatin1String(kControl)) return Control(message, connection);
        return Send(connection, message.createErrorReply(
                                    QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                    QStringLiteral("no such method")));
    }

private:
    static bool Send(const QDBusConnection& connection, const QDBusMessage& message) {
        QDBusConnection(connection).send(message);
        return true;
    }

    static QString RequestPath(const QDBusMessage& message) {
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().constLast());
        return QStringLiteral("%1/request/%2/%3")
            .arg(QLatin1String(kPath), SenderPart(message.service()),
                 options.value(QStringLiteral("handle_token")).toString());
    }

    static QDBusMessage ResponseSignal(const QString& path, uint code, const QVariantMap& results) {
        QDBusMessage response =
            QDBusMessage::createSignal(path, QLatin1String(kRequest), QStringLiteral("Response"));
        response << code << results;
        return response;
    }

    // Replies with the Request's path, then sends its Response.
    bool Respond(const QDBusMessage& message, const QDBusConnection& connection, uint code,
                 const QVariantMap& results) {
        const QString path = RequestPath(message);
        Send(connection, message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QDBusConnection bus(connection);
        QTimer::singleShot(0, [bus, path, code, results]() mutable {
            bus.send(ResponseSignal(path, code, results));
        });
        return true;
    }

    bool Screenshot(const QDBusMessage& message, const QDBusConnection& connection) {
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().constLast());
        m_calls << QStringLiteral("Screenshot interactive=%1")
                       .arg(options.value(QStringLiteral("interactive")).toBool() ? "true"
                                                                                  : "false");
        // Kept unanswered: the caller waits for a reply that never comes.
        if (m_options.screenshotNoReply) return true;
        const auto& codes = m_options.screenshotResponses;
        uint code = codes.at(std::min<qsizetype>(m_screenshots++, codes.size() - 1));
        if (!m_options.cancelWithout.isEmpty() && !QFileInfo(m_options.cancelWithout).isDir())
            code = 1;
        if (m_options.screenshotHold) {
            // The picture is taken when the user would answer: at Release.
            const QString path = RequestPath(message);
            Send(connection, message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
            m_heldPath = path;
            m_heldCode = code;
            return true;
        }
        return Respond(message, connection, code, Results(code));
    }

    // The results of a screenshot answered with `code`: the picture's file on success.
    QVariantMap Results(uint code) {
        QVariantMap results;
        if (code == 0) {
            const QString file = PictureFile();
            results.insert(QStringLiteral("uri"), QUrl::fromLocalFile(file).toString());
            m_calls << QStringLiteral("file %1").arg(file);
        }
        return results;
    }

    // The file handed out for one screenshot, written now unless it is the given one.
    QString PictureFile() const {
        if (!m_options.screenshotUri.isEmpty()) return m_options.screenshotUri;
        QFile source(m_options.screenshotImage);
        source.open(QIODevice::ReadOnly);
        const QByteArray bytes = source.readAll();
        if (m_options.screenshotFolder.isEmpty()) {
            QTemporaryFile copy(QStringLiteral("%1/fake-portal-XXXXXX.png").arg(QDir::tempPath()));
            copy.setAutoRemove(false);
            if (copy.open()) copy.write(bytes);
            return copy.fileName();
        }
        const QDir folder(m_options.screenshotFolder);
        QString name = QStringLiteral("Screenshot.png");
        for (int n = 1; folder.exists(name); ++n) name = QStringLiteral("Screenshot-%1.png").arg(n);
        QFile copy(folder.filePath(name));
        if (copy.open(QIODevice::WriteOnly)) copy.write(bytes);
        return copy.fileName();
    }

    bool Shortcuts(const QDBusMessage& message, const QDBusConnection& connection) {
        const QList<QVariant> args = message.arguments();
        if (message.member() == QLatin1String("CreateSession")) {
            const QVariantMap options = qdbus_cast<QVariantMap>(args.constLast());
            m_session = QStringLiteral("%1/session/%2/%3")
                            .arg(QLatin1String(kPath), SenderPart(message.service()),
                                 options.value(QStringLiteral("session_handle_token")).toString());
            m_calls << QStringLiteral("CreateSession");
            return Respond(message, connection, 0, {{QStringLiteral("session_handle"), m_session}});
        }
        if (message.member() == QLatin1String("BindShortcuts")) {
            m_bound.clear();
            const QDBusArgument list = args.value(1).value<QDBusArgument>();
            QList<BoundShortcut> answered;
            list.beginArray();
            while (!list.atEnd()) {
                QString id;
                QVariantMap properties;
                list.beginStructure();
                list >> id >> properties;
                list.endStructure();
                const QString trigger =
                    properties.value(QStringLiteral("preferred_trigger")).toString();
                m_bound << id + u'=' + trigger;
                if (id == m_options.bindLeaveOut || m_options.bindLeaveOut == QLatin1String("all"))
                    continue;
                answered << BoundShortcut{id, {{QStringLiteral("trigger_description"), trigger}}};
            }
            list.endArray();
            m_calls << QStringLiteral("BindShortcuts");
            return Respond(message, connection, m_options.bindResponse,
                           {{QStringLiteral("shortcuts"), QVariant::fromValue(answered)}});
        }
        return Send(connection, message.createErrorReply(
                                    QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                    QStringLiteral("no such method")));
    }

    bool Control(const QDBusMessage& message, const QDBusConnection& connection) {
        if (message.member() == QLatin1String("Press")) {
            QDBusMessage activated = QDBusMessage::createSignal(
                QLatin1String(kPath), QLatin1String(kShortcuts), QStringLiteral("Activated"));
            activated << QVariant::fromValue(QDBusObjectPath(m_session))
                      << message.arguments().value(0).toString() << qulonglong(0) << QVariantMap();
            QDBusConnection(connection).send(activated);
            return Send(connection, message.createReply());
        }
        if (message.member() == QLatin1String("Bound"))
            return Send(connection, message.createReply(m_bound));
        if (message.member() == QLatin1String("Release")) {
            if (!m_heldPath.isEmpty())
                QDBusConnection(connection)
                    .send(ResponseSignal(m_heldPath, m_heldCode, Results(m_heldCode)));
            m_heldPath.clear();
            return Send(connection, message.createReply());
        }
        if (message.member() == QLatin1String("Calls"))
            return Send(connection, message.createReply(m_calls));
        return false;
    }

    Options m_options;
    QString m_session;
    QStringList m_bound;
    QStringList m_calls;
    qsizetype m_screenshots = 0;
    QString m_heldPath;  // the request whose response waits for Release
    uint m_heldCode = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const QString value = args.value(i + 1);
        if (arg == QLatin1String("--screenshot-responses")) {
            options.screenshotResponses.clear();
            for (const QString& code : value.split(u','))
                options.screenshotResponses << code.toUInt();
            ++i;
        } else if (arg == QLatin1String("--screenshot-image")) {
            options.screenshotImage = value;
            ++i;
        } else if (arg == QLatin1String("--screenshot-folder")) {
            options.screenshotFolder = value;
            ++i;
        } else if (arg == QLatin1String("--screenshot-uri")) {
            options.screenshotUri = value;
            ++i;
        } else if (arg == QLatin1String("--cancel-without")) {
            options.cancelWithout = value;
            ++i;
        } else if (arg == QLatin1String("--screenshot-no-reply")) {
            options.screenshotNoReply = true;
        } else if (arg == QLatin1String("--screenshot-hold")) {
            options.screenshotHold = true;
        } else if (arg == QLatin1String("--bind-response")) {
            options.bindResponse = value.toUInt();
            ++i;
        } else if (arg == QLatin1String("--bind-leave-out")) {
            options.bindLeaveOut = value;
            ++i;
        } else if (arg == QLatin1String("--no-shortcuts")) {
            options.shortcuts = false;
        }
    }
    qDBusRegisterMetaType<BoundShortcut>();
    qDBusRegisterMetaType<QList<BoundShortcut>>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    FakePortal portal(options);
    if (!bus.registerVirtualObject(QLatin1String(kPath), &portal, QDBusConnection::SubPath) ||
        !bus.registerService(QLatin1String(kService))) {
        std::fprintf(stderr, "fake_portal: cannot take the portal's name on the session bus\n");
        return 1;
    }
    return app.exec();
}
