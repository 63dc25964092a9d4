#include "platform/x11/xcb_support.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>

namespace nl::x11 {
namespace {

// The connection of a program without a Qt application: xcb for the window queries, Xlib
// (opened on first use) for the shared-memory images and the cursor picture. Both stay open
// until the process ends.
struct OwnConnection {
    bool opened = false;
    xcb_connection_t* connection = nullptr;
    Display* display = nullptr;
};

OwnConnection& Own() {
    static OwnConnection own;
    return own;
}

}  // namespace

bool OpenOwnConnection() {
    OwnConnection& own = Own();
    if (own.opened) return own.connection != nullptr;
    own.opened = true;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    own.connection = c;
    return true;
}

xcb_connection_t* QtConnection() {
    auto* app = qGuiApp;
    if (!app) return Own().connection;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

_XDisplay* QtDisplay() {
    auto* app = qGuiApp;
    if (!app) {
        OwnConnection& own = Own();
        if (own.connection && !own.display) own.display = XOpenDisplay(nullptr);
        return own.display;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

xcb_window_t QtRootWindow() {
    xcb_connection_t* c = QtConnection();
    if (!c) return XCB_NONE;
    // Qt opens the screen that DISPLAY names; its root spans the whole virtual screen.
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
    std::free(host);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; it.rem > 0 && screen > 0; --screen) xcb_screen_next(&it);
    return it.rem > 0 ? it.data->root : XCB_NONE;
}

void Sync(xcb_connection_t* c) {
    if (c)
        XcbPtr<xcb_get_input_focus_reply_t>(
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

xcb_atom_t Atom(xcb_connection_t* c, std::string_view name) {
    static std::mutex mutex;
    static std::map<std::pair<xcb_connection_t*, std::string>, xcb_atom_t> cache;
    const std::lock_guard lock(mutex);
    auto key = std::make_pair(c, std::string(name));
    if (const auto it = cache.find(key); it != cache.end()) return it->second;
    XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    if (atom != XCB_NONE) cache.emplace(std::move(key), atom);
    return atom;
}

std::vector<std::uint32_t> Property::Items32() const {
    std::vector<std::uint32_t> items;
    if (format != 32) return items;
    items.resize(bytes.size() / 4);
    std::memcpy(items.data(), bytes.data(), items.size() * 4);
    return items;
}

Property GetProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                     std::uint32_t maxItems32) {
    Property result;
    if (!c || window == XCB_NONE || property == XCB_NONE) return result;
    XcbPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, maxItems32), nullptr));
    if (!reply || reply->type == XCB_NONE) return result;
    if (type != XCB_ATOM_ANY && reply->type != type) return result;
    result.type = reply->type;
    result.format = reply->format;
    const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (length > 0) result.bytes.assign(data, data + length);
    return result;
}

}  // namespace nl::x11
