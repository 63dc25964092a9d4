#pragma once
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

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
    kNoReply,    // the method call itself got no reply in time: no request was made
    kNoAnswer,   // the call failed otherwise, or the request got no response in time
};

struct PortalResponse {
    PortalOutcome outcome = PortalOutcome::kNoAnswer;
    QVariantMap results;
    QString error;          // the D-Bus error's text where the call itself failed
    bool accepted = false;  // whether the portal replied to the call with a request
};

// How long a portal call waits. A portal replies to the method call at once with the request
// it made; only the request's response may take long, while the desktop asks the user.
struct PortalTimeouts {
    // After this long without the method call's reply the call gives up; after this long with
    // a request but no response, the caller is told that the call is still waiting.
    int patienceMs = 3000;
    // The most a request may take in all.
    int limitMs = 60000;
};

// One call of a portal method that answers through a Request object: subscribes to the
// Request's Response signal at the path the portal will use (built from the caller's unique
// name and a handle token of its own), makes the call and waits, running a local event loop,
// for the response. A request given up on is closed, so that no dialog of the desktop's is
// left asking for it.
class CPortalCall final : public QObject {
    Q_OBJECT
public:
    explicit CPortalCall(QDBusConnection bus, PortalTimeouts timeouts = {});

    // Calls `method` of `interface` with `arguments` followed by `options` (to which the
    // handle token is added) and returns the response. `onWaiting` (may be empty) is called
    // once when the request has gone without a response for the patience.
    PortalResponse Run(const QString& interface, const QString& method, QVariantList arguments,
                       QVariantMap options, const std::function<void()>& onWaiting = {});

    // A token unique in this process, for handle_token and session_handle_token.
    static QString NewToken();
    // Whether the portal offers `interface` (its "version" property answers).
    static bool HasInterface(QDBusConnection& bus, const QString& interface);

private Q_SLOTS:
    void OnResponse(uint response, const QVariantMap& results);

private:
    void Follow(const QString& path);
    void Unfollow(const QString& path);
    // Asks the portal to end the request at `path` without waiting for its reply.
    void Close(const QString& path);

    QDBusConnection m_bus;
    PortalTimeouts m_timeouts;
    bool m_answered = false;
    uint m_response = 0;
    QVariantMap m_results;
};

}  // namespace nl
