#pragma once
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace nl {

// The desktop portal's well-known name and object.
inline constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";

// How a portal request ended.
enum class PortalOutcome {
    kSuccess,    // response 0: the results are filled
    kCancelled,  // response 1: the user cancelled
    kRefused,    // response 2: the desktop ended it otherwise (refused, failed)
    kNoPortal,   // no portal service, or it lacks the interface or method
    kNoAnswer,   // the call failed otherwise, or no response came in time
};

struct PortalResponse {
    PortalOutcome outcome = PortalOutcome::kNoAnswer;
    QVariantMap results;
    QString error;  // the D-Bus error's text where the call itself failed
};

// One call of a portal method that answers through a Request object: subscribes to the
// Request's Response signal at the path the portal will use (built from the caller's unique
// name and a handle token of its own), makes the call and waits, running a local event loop,
// for the response.
class CPortalCall final : public QObject {
    Q_OBJECT
public:
    // How long a request may take: the desktop may ask the user first.
    static constexpr int kDefaultTimeoutMs = 60000;

    explicit CPortalCall(QDBusConnection bus, int timeoutMs = kDefaultTimeoutMs);

    // Calls `method` of `interface` with `arguments` followed by `options` (to which the
    // handle token is added) and returns the response.
    PortalResponse Run(const QString& interface, const QString& method, QVariantList arguments,
                       QVariantMap options);

    // A token unique in this process, for handle_token and session_handle_token.
    static QString NewToken();
    // Whether the portal offers `interface` (its "version" property answers).
    static bool HasInterface(QDBusConnection& bus, const QString& interface);

private Q_SLOTS:
    void OnResponse(uint response, const QVariantMap& results);

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
    bool m_answered = false;
    uint m_response = 0;
    QVariantMap m_results;
};

}  // namespace nl
