#include "platform/xcb/xcb_support.h"

#include <array>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>

namespace nl::x11 {
namespace {

// The atoms the desktop's queries use, interned together on a connection's first look-up.
constexpr std::array<std::string_view, 10> kDesktopAtoms = {
    "WM_STATE",      "_NET_WM_NAME",         "UTF8_STRING",         "COMPOUND_TEXT",
    "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN", "_NET_WM_STATE_ABOVE", "_NET_ACTIVE_WINDOW",
    "_NET_WORKAREA", "_NET_CURRENT_DESKTOP",
};

// How often a connection the server hung up on is tried, and the first wait between tries
// (doubled after each).
constexpr int kConnectAttempts = 5;
constexpr std::chrono::milliseconds kFirstRetryWait{1};

// The connection of a program without a toolkit: xcb for the queries, Xlib (opened on first
// use) for the shared-memory images and the cursor picture. Both stay open until the process
// ends.
class COwnXConnection final : public IXConnection {
public:
    bool Open() {
        if (m_opened) return m_connection != nullptr;
        m_opened = true;
        // A server that resets when its last client leaves (a bare virtual display) hangs up
        // on connections that arrive during the reset, as they do from a script sampling in
        // a loop: those are tried again after a short, growing wait.
        xcb_connection_t* c = nullptr;
        for (int attempt = 0;; ++attempt) {
            c = xcb_connect(nullptr, nullptr);
            const int error = xcb_connection_has_error(c);
            if (error == 0) break;
            xcb_disconnect(c);
            if (error != XCB_CONN_ERROR || attempt + 1 >= kConnectAttempts) return false;
            std::this_thread::sleep_for(kFirstRetryWait * (1 << attempt));
        }
        m_connection = c;
        m_root = DisplayRoot(c);
        return true;
    }
    xcb_connection_t* Connection() const override { return m_connection; }
    xcb_window_t Root() const override { return m_root; }
    _XDisplay* Display() const override {
        if (m_connection && !m_display) m_display = XOpenDisplay(nullptr);
        return m_display;
    }

private:
    bool m_opened = false;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    mutable ::Display* m_display = nullptr;
};

COwnXConnection& Own() {
    static COwnXConnection own;
    return own;
}

}  // namespace

bool OpenOwnConnection() {
    return Own().Open();
}

const IXConnection& OwnConnection() {
    return Own();
}

xcb_window_t DisplayRoot(xcb_connection_t* c) {
    if (!c) return XCB_NONE;
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
    static std::set<xcb_connection_t*> prefetched;
    const std::lock_guard lock(mutex);
    if (!c) return XCB_NONE;
    const auto intern = [c](std::string_view n) {
        return xcb_intern_atom(c, 0, static_cast<std::uint16_t>(n.size()), n.data());
    };
    const auto remember = [&](std::string_view n, xcb_intern_atom_cookie_t cookie) {
        XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
        const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
        if (atom != XCB_NONE) cache.emplace(std::make_pair(c, std::string(n)), atom);
        return atom;
    };
    if (prefetched.insert(c).second) {
        // Every request goes out before the first answer is read: one round trip for all.
        std::array<xcb_intern_atom_cookie_t, kDesktopAtoms.size()> cookies{};
        for (std::size_t i = 0; i < kDesktopAtoms.size(); ++i)
            cookies[i] = intern(kDesktopAtoms[i]);
        for (std::size_t i = 0; i < kDesktopAtoms.size(); ++i)
            remember(kDesktopAtoms[i], cookies[i]);
    }
    if (const auto it = cache.find(std::make_pair(c, std::string(name))); it != cache.end())
        return it->second;
    return remember(name, intern(name));
}

std::vector<std::uint32_t> Property::Items32() const {
    std::vector<std::uint32_t> items;
    if (format != 32) return items;
    items.resize(bytes.size() / 4);
    std::memcpy(items.data(), bytes.data(), items.size() * 4);
    return items;
}

Property PropertyOf(xcb_connection_t* c, xcb_get_property_cookie_t cookie, xcb_atom_t type) {
    Property result;
    XcbPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->type == XCB_NONE) return result;
    if (type != XCB_ATOM_ANY && reply->type != type) return result;
    result.type = reply->type;
    result.format = reply->format;
    const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (length > 0) result.bytes.assign(data, data + length);
    return result;
}

Property GetProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                     std::uint32_t maxItems32) {
    if (!c || window == XCB_NONE || property == XCB_NONE) return {};
    return PropertyOf(c, xcb_get_property(c, 0, window, property, type, 0, maxItems32), type);
}

}  // namespace nl::x11
