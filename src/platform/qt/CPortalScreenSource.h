#pragma once
#include <QDBusConnection>
#include <QDateTime>
#include <QString>

#include "platform/IScreenSource.h"

namespace nl {

// The screen as the desktop's Screenshot portal (org.freedesktop.portal.Screenshot) delivers
// it: asked without a dialog first, and once more with one where the desktop refuses that;
// the returned picture file is read into the frame and removed, wherever the portal put it
// (some desktops write it into the home or Pictures folder), whether it could be read or not.
class CPortalScreenSource final : public IScreenSource {
public:
    explicit CPortalScreenSource(QDBusConnection bus = QDBusConnection::sessionBus());

    bool Capture(ScreenFrame& frame, std::string* error) override;

    // Whether the portal's file at `path` is ours to remove: a plain file (not a link) that
    // was written when or after the request went out at `asked`, so it is the portal's
    // picture for that request and not a file of the user's the portal pointed to.
    static bool IsWrittenForRequest(const QString& path, const QDateTime& asked);

private:
    QDBusConnection m_bus;
};

}  // namespace nl
