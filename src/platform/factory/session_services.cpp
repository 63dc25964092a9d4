#include "platform/factory/session_services.h"

#include <QGuiApplication>

#include "platform/local/CNoHotKeys.h"
#include "platform/qt/CPortalHotKeys.h"
#include "platform/qt/CPortalScreenSource.h"
#include "platform/x11/CX11HotKeys.h"
#include "platform/x11/xcb_support.h"
#include "platform/xcb/xwayland_server.h"

namespace nl {

namespace {

// Whether the program runs in a Wayland session, as a Wayland client or through XWayland
// (told from the X server itself: a WAYLAND_DISPLAY left in the environment of a program on
// an X server of its own does not count).
bool InWaylandSession() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QStringLiteral("wayland"))) return true;
    return platform == QLatin1String("xcb") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           x11::IsXWaylandServer(x11::QtXConnection());
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
