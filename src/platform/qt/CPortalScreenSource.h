#pragma once
#include <QDBusConnection>
#include <QString>

#include "platform/IScreenSource.h"

namespace nl {

// The screen as the desktop's Screenshot portal (org.freedesktop.portal.Screenshot) delivers
// it: asked without a dialog first, and once more with one where the desktop refuses that;
// the returned picture file is read into the frame and removed when it lies in a temporary
// folder (a desktop that saves screenshots among the user's pictures keeps them).
class CPortalScreenSource final : public IScreenSource {
public:
    explicit CPortalScreenSource(QDBusConnection bus = QDBusConnection::sessionBus());

    bool Capture(ScreenFrame& frame, std::string* error) override;

    // Whether the portal's file at `path` is ours to remove: it lies in the temporary folder
    // or the user's runtime folder.
    static bool IsTemporaryFile(const QString& path);

private:
    QDBusConnection m_bus;
};

}  // namespace nl
