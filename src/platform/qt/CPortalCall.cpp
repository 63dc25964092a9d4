#include "platform/qt/CPortalCall.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>
#include <atomic>

namespace nl {

namespace {

constexpr const char* kRequestInterface = "org.freedesktop.portal.Request";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
constexpr int kPropertyTimeoutMs = 2000;
constexpr uint kResponseCancelled = 1;
constexpr uint kResponseSuccess = 0;

// The part of a Request's path the portal builds from the caller's unique name: ":1.42"
// becomes "1_42".
QString SenderPart(const QString& uniqueName) {
    QString part = uniqueName;
    if (part.startsWith(u':')) part.remove(0, 1);
    part.replace(u'.', u'_');
    return part;
}

bool IsMissingPortal(const QString& errorName) {
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownObject");
}

}  // namespace

CPortalCall::CPortalCall(QDBusConnection bus, PortalTimeouts timeouts)
    : m_bus(std::move(bus)), m_timeouts(timeouts) {}

QString CPortalCall::NewToken() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("nerimlens%1").arg(++counter);
}

bool CPortalCall::HasInterface(QDBusConnection& bus, const QString& interface) {
    if (!bus.isConnected()) return false;
    QDBusMessage get = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                      kPropertiesInterface, QStringLiteral("Get"));
    get << interface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kPropertyTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void CPortalCall::Follow(const QString& path) {
    m_bus.connect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), this,
                  SLOT(OnResponse(uint, QVariantMap)));
}

void CPortalCall::Unfollow(const QString& path) {
    m_bus.disconnect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), this,
                     SLOT(OnResponse(uint, QVariantMap)));
}

void CPortalCall::Close(const QString& path) {
    QDBusMessage close = QDBusMessage::createMethodCall(kPortalService, path, kRequestInterface,
                                                        QStringLiteral("Close"));
    close.setAutoStartService(false);
    m_bus.send(close);
}

PortalResponse CPortalCall::Run(const QString& interface, const QString& method,
                                QVariantList arguments, QVariantMap options,
                                const std::function<void()>& onWaiting) {
    PortalResponse response;
    if (!m_bus.isConnected()) {
        response.outcome = PortalOutcome::kNoPortal;
        response.error = QStringLiteral("no session bus");
        return response;
    }
    const QString token = NewToken();
    options.insert(QStringLiteral("handle_token"), token);
    QString requestPath =
        QStringLiteral("%1/request/%2/%3")
            .arg(QLatin1String(kPortalPath), SenderPart(m_bus.baseService()), token);
    // Subscribed before the call, so that a response sent at once is not missed.
    m_answered = false;
    Follow(requestPath);

    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    arguments << options;
    call.setArguments(arguments);
    // The call runs while the event loop does, so that the program's windows keep painting
    // (and say what it waits for) while the desktop takes its time.
    bool replied = false;
    bool late = false;
    bool expired = false;
    QDBusMessage reply;
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(call, m_timeouts.limitMs));
    connect(&watcher, &QDBusPendingCallWatcher::finished, this, [&] {
        replied = true;
        reply = watcher.reply();
    });
    QTimer patience;
    patience.setSingleShot(true);
    connect(&patience, &QTimer::timeout, this, [&] { late = true; });
    patience.start(m_timeouts.patienceMs);
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [&] { expired = true; });
    limit.start(m_timeouts.limitMs);

    QEventLoop loop;
    bool toldWaiting = false;
    bool followsReturned = false;
    while (!m_answered && !expired) {
        if (replied && !followsReturned) {
            followsReturned = true;
            if (reply.type() == QDBusMessage::ErrorMessage) break;
            // Older portals may use another path than the one predicted: follow the one
            // returned.
            const QString returned =
                reply.arguments().isEmpty()
                    ? QString()
                    : qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
            if (!returned.isEmpty() && returned != requestPath) {
                Unfollow(requestPath);
                requestPath = returned;
                Follow(requestPath);
            }
        }
        if (late && !replied) break;
        if (late && !toldWaiting) {
            toldWaiting = true;
            if (onWaiting) onWaiting();
            continue;
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    Unfollow(requestPath);
    response.accepted = replied && reply.type() != QDBusMessage::ErrorMessage;
    if (m_answered) {
        response.outcome = m_response == kResponseSuccess     ? PortalOutcome::kSuccess
                           : m_response == kResponseCancelled ? PortalOutcome::kCancelled
                                                              : PortalOutcome::kRefused;
        response.results = m_results;
        return response;
    }
    if (replied && reply.type() == QDBusMessage::ErrorMessage) {
        response.outcome = IsMissingPortal(reply.errorName()) ? PortalOutcome::kNoPortal
                                                              : PortalOutcome::kNoAnswer;
        response.error = reply.errorMessage();
        return response;
    }
    // Given up on: a portal that takes the call later must not keep a dialog up for it.
    Close(requestPath);
    if (!replied) {
        response.outcome = PortalOutcome::kNoReply;
        response.error = QStringLiteral("the portal did not reply to the call within %1 ms")
                             .arg(m_timeouts.patienceMs);
        return response;
    }
    response.outcome = PortalOutcome::kNoAnswer;
    response.error = QStringLiteral("the portal did not answer in time");
    return response;
}

void CPortalCall::OnResponse(uint response, const QVariantMap& results) {
    m_answered = true;
    m_response = response;
    m_results = results;
}

}  // namespace nl
