#include "platform/qt/x11_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace nl {
namespace {

// The screen whose compositor counts: Qt opens one X screen per display, the first.
constexpr int kDefaultScreen = 0;

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atom named `name`, XCB_ATOM_NONE when the server does not answer.
xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace

bool CompositorRunning() {
    xcb_connection_t* connection = Connection();
    if (!connection) return false;
    const xcb_atom_t selection =
        Atom(connection, "_NET_WM_CM_S" + std::to_string(kDefaultScreen));
    if (selection == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void SetWindowClass(WindowId window, const std::string& instance, const std::string& className) {
    xcb_connection_t* connection = Connection();
    if (!connection || window == kNoWindow) return;
    // Both names with their terminating zero, one after the other.
    std::string value = instance;
    value.push_back('\0');
    value += className;
    value.push_back('\0');
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(value.size()), value.data());
    xcb_flush(connection);
}

}  // namespace nl
