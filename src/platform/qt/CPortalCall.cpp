#include "platform/qt/CPortalCall.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
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

CPortalCall::CPortalCall(QDBusConnection bus, int timeoutMs)
    : m_bus(std::move(bus)), m_timeoutMs(timeoutMs) {}

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

PortalResponse CPortalCall::Run(const QString& interface, const QString& method,
                                QVariantList arguments, QVariantMap options) {
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
    m_bus.connect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"), this,
                  SLOT(OnResponse(uint, QVariantMap)));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    arguments << options;
    call.setArguments(arguments);
    const QDeadlineTimer deadline(m_timeoutMs);
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_bus.disconnect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"),
                         this, SLOT(OnResponse(uint, QVariantMap)));
        response.outcome = IsMissingPortal(reply.errorName()) ? PortalOutcome::kNoPortal
                                                              : PortalOutcome::kNoAnswer;
        response.error = reply.errorMessage();
        return response;
    }
    // Older portals may use another path than the one predicted: follow the one returned.
    const QString returned =
        reply.arguments().isEmpty()
            ? QString()
            : qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    if (!returned.isEmpty() && returned != requestPath) {
        m_bus.disconnect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"),
                         this, SLOT(OnResponse(uint, QVariantMap)));
        requestPath = returned;
        m_bus.connect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"),
                      this, SLOT(OnResponse(uint, QVariantMap)));
    }
    if (!m_answered) {
        // The timer only wakes the loop at the deadline.
        QEventLoop loop;
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(static_cast<int>(std::max<qint64>(0, deadline.remainingTime())));
        while (!m_answered && !deadline.hasExpired())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    m_bus.disconnect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"),
                     this, SLOT(OnResponse(uint, QVariantMap)));
    if (!m_answered) {
        response.outcome = PortalOutcome::kNoAnswer;
        response.error = QStringLiteral("the portal did not answer in time");
        return response;
    }
    response.outcome = m_response == kResponseSuccess     ? PortalOutcome::kSuccess
                       : m_response == kResponseCancelled ? PortalOutcome::kCancelled
                                                          : PortalOutcome::kRefused;
    response.results = m_results;
    return response;
}

void CPortalCall::OnResponse(uint response, const QVariantMap& results) {
    m_answered = true;
    m_response = response;
    m_results = results;
}

}  // namespace nl
