#pragma once
#include <QDBusConnection>
#include <QDateTime>
#include <QString>

#include "platform/IScreenSource.h"
#include "platform/qt/CPortalCall.h"

namespace nl {

// The screen as the desktop's Screenshot portal (org.freedesktop.portal.Screenshot) delivers
// it: asked without a dialog first, and once more with one where the desktop refuses that;
// the returned picture file is read into the frame and removed, wherever the portal put it
// (some desktops write it into the home or Pictures folder), whether it could be read or not.
// KDE's portal saves the picture among the user's pictures and answers "cancelled" when that
// folder is missing: there the folder is made and the portal asked once more.
class CPortalScreenSource final : public IScreenSource {
public:
    explicit CPortalScreenSource(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 PortalTimeouts timeouts = {});

    bool Capture(ScreenFrame& frame, std::string* error) override;
    void SetListener(ScreenRequestListener listener) override { m_listener = std::move(listener); }

    // Whether the portal's file at `path` is ours to remove: a plain file (not a link) that
    // was written when or after the request went out at `asked`, so it is the portal's
    // picture for that request and not a file of the user's the portal pointed to.
    static bool IsWrittenForRequest(const QString& path, const QDateTime& asked);

private:
    // One screenshot asked of the portal: silently, then with the desktop's dialog where the
    // desktop refuses the silent one.
    PortalResponse Ask();
    // The response after KDE's portal cancelled for want of the Pictures folder: the folder
    // made and the portal asked again; `error` holds the cause when that failed too.
    PortalResponse AskWithPicturesFolder(const PortalResponse& cancelled, std::string* error);
    void Tell(ScreenRequestEvent event) const;

    QDBusConnection m_bus;
    PortalTimeouts m_timeouts;
    ScreenRequestListener m_listener;
    bool m_busy = false;
};

}  // namespace nl
