#include "platform/x11/xcb_support.h"

#include <QGuiApplication>

namespace nl::x11 {
namespace {

class CQtXConnection final : public IXConnection {
public:
    xcb_connection_t* Connection() const override { return QtConnection(); }
    xcb_window_t Root() const override { return QtRootWindow(); }
    _XDisplay* Display() const override { return QtDisplay(); }
};

}  // namespace

xcb_connection_t* QtConnection() {
    auto* app = qGuiApp;
    if (!app) return OwnConnection().Connection();
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

_XDisplay* QtDisplay() {
    auto* app = qGuiApp;
    if (!app) return OwnConnection().Display();
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

xcb_window_t QtRootWindow() {
    // Qt opens the screen that DISPLAY names; its root spans the whole virtual screen.
    if (!qGuiApp) return OwnConnection().Root();
    return DisplayRoot(QtConnection());
}

const IXConnection& QtXConnection() {
    static const CQtXConnection connection;
    return connection;
}

}  // namespace nl::x11
