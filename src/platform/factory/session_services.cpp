#include "platform/factory/session_services.h"

#include <QGuiApplication>

#include "platform/local/CNoHotKeys.h"
#include "platform/qt/CPortalHotKeys.h"
#include "platform/qt/CPortalScreenSource.h"
#include "platform/x11/CX11HotKeys.h"

namespace nl {

namespace {

// Whether the program runs in a Wayland session, as a Wayland client or through XWayland.
bool InWaylandSession() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<IHotKeys> MakeSessionHotKeys() {
    if (!InWaylandSession()) return std::make_unique<CX11HotKeys>();
    if (CPortalHotKeys::Available()) return std::make_unique<CPortalHotKeys>();
    return std::make_unique<CNoHotKeys>();
}

std::unique_ptr<IScreenSource> MakePortalScreenSource() {
    return std::make_unique<CPortalScreenSource>();
}

}  // namespace nl
