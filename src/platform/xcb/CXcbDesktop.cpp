#include "platform/xcb/CXcbDesktop.h"

#include <xcb/randr.h>

#include <algorithm>

#include "base/text.h"
#include "platform/xcb/qt_scale.h"
#include "platform/xcb/x11_cursor.h"
#include "platform/xcb/xcb_support.h"
#include "platform/xcb/xcb_windows.h"

namespace nl {

using x11::Atom;
using x11::FindClient;
using x11::Geometry;
using x11::GeometryOf;
using x11::GetProperty;
using x11::kMaxTreeDepth;
using x11::QueryTree;
using x11::TextOf;
using x11::TopLevelOf;
using x11::Tree;
using x11::XcbPtr;

namespace {

// WM_STATE values of the window-manager conventions.
constexpr std::uint32_t kIconicState = 3;
constexpr int kMaxOwnerChain = 64;
// The source indication "pager" of an activation request: an explicit user request.
constexpr std::uint32_t kSourcePager = 2;
// The source indication of a state change the program asks for itself.
constexpr std::uint32_t kSourceApplication = 1;
// The actions of a _NET_WM_STATE request.
constexpr std::uint32_t kNetWmStateRemove = 0;
constexpr std::uint32_t kNetWmStateAdd = 1;
// The alpha byte of an opaque pixel, as a grab delivers it.
constexpr GrabPixel kOpaque = 0xFF000000u;
// RandR lists monitors from version 1.5 on.
constexpr std::uint32_t kRandrMajor = 1;
constexpr std::uint32_t kRandrMonitorsMinor = 5;
// The four items of a _NET_WORKAREA rectangle: x, y, width, height.
constexpr std::size_t kWorkAreaItems = 4;
// The longest title read, in 32-bit units.
constexpr std::uint32_t kMaxTitleItems32 = 4096;

// The X protocol's coordinates are 16-bit.
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

// The X window of a window id; the client area of a framed window is its client window.
xcb_window_t ToXcb(WindowId w) {
    w &= ~CXcbDesktop::kClientAreaTag;
    return w > 0xFFFFFFFFu ? XCB_NONE : static_cast<xcb_window_t>(w);
}

bool IsClientArea(WindowId w) {
    return (w & CXcbDesktop::kClientAreaTag) != 0 && ToXcb(w) != XCB_NONE;
}

std::string AtomName(xcb_connection_t* c, xcb_atom_t atom) {
    XcbPtr<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), nullptr));
    if (!reply) return {};
    return std::string(xcb_get_atom_name_name(reply.get()),
                       static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())));
}

// The monitors RandR lists (the active ones), their names and which is primary; nothing where
// the server has no RandR 1.5.
std::vector<Rect> RandrMonitors(xcb_connection_t* c, xcb_window_t root,
                                std::optional<std::size_t>& primary,
                                std::vector<std::string>& names) {
    std::vector<Rect> rects;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_randr_id);
    if (!ext || !ext->present) return rects;
    XcbPtr<xcb_randr_query_version_reply_t> version(xcb_randr_query_version_reply(
        c, xcb_randr_query_version(c, kRandrMajor, kRandrMonitorsMinor), nullptr));
    if (!version || version->major_version < kRandrMajor ||
        (version->major_version == kRandrMajor && version->minor_version < kRandrMonitorsMinor))
        return rects;
    XcbPtr<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr));
    if (!reply) return rects;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const xcb_randr_monitor_info_t& m = *it.data;
        if (m.primary) primary = rects.size();
        rects.push_back({m.x, m.y, m.x + m.width, m.y + m.height});
        names.push_back(AtomName(c, m.name));
    }
    return rects;
}

// Xft.dpi of the X resources on the root window (what xrdb loaded); 0 where it is not set.
int XftDpi(xcb_connection_t* c, xcb_window_t root) {
    const auto resources = GetProperty(c, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING);
    return x11::XftDpiOf(std::string_view(reinterpret_cast<const char*>(resources.bytes.data()),
                                          resources.bytes.size()));
}

// The current virtual desktop's work area as the window manager announces it, if it does.
std::optional<Rect> NetWorkArea(xcb_connection_t* c, xcb_window_t root) {
    const auto current =
        GetProperty(c, root, Atom(c, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL, 1).Items32();
    const auto areas = GetProperty(c, root, Atom(c, "_NET_WORKAREA"), XCB_ATOM_CARDINAL).Items32();
    const std::size_t desktop = current.empty() ? 0 : current[0];
    const std::size_t at = desktop * kWorkAreaItems;
    if (at + kWorkAreaItems > areas.size()) return std::nullopt;
    const auto x = static_cast<int>(areas[at]);
    const auto y = static_cast<int>(areas[at + 1]);
    return Rect{x, y, x + static_cast<int>(areas[at + 2]), y + static_cast<int>(areas[at + 3])};
}

}  // namespace

bool GrabClipped(const Rect& screen, const Rect& rect, GrabPixel* pixels, std::size_t stride,
                 const std::function<bool(const Rect&, GrabPixel*)>& grabInside) {
    if (rect.IsEmpty() || stride < static_cast<std::size_t>(rect.Width())) return false;
    const Rect inside = Intersect(rect, screen);
    if (inside != rect) {
        for (int y = 0; y < rect.Height(); ++y)
            std::fill_n(pixels + static_cast<std::size_t>(y) * stride, rect.Width(), kOpaque);
    }
    if (inside.IsEmpty()) return true;
    GrabPixel* const first = pixels + static_cast<std::size_t>(inside.top - rect.top) * stride +
                             (inside.left - rect.left);
    return grabInside(inside, first);
}

CXcbDesktop::CXcbDesktop(const x11::IXConnection& connection, GrabMethod method)
    : m_connection(connection), m_grabMethod(method) {}

CXcbDesktop::~CXcbDesktop() = default;

bool CXcbDesktop::Connected() const {
    return m_connection.Connection() != nullptr && m_connection.Root() != XCB_NONE;
}

Point CXcbDesktop::CursorPos() const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return {};
    XcbPtr<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
    if (!reply) return {};
    const Point pos{reply->root_x, reply->root_y};
    m_pointer = PointerAnswer{pos, reply->child, std::chrono::steady_clock::now()};
    return pos;
}

void CXcbDesktop::SetCursorPos(Point pos) {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return;
    // The cursor stays on the screen, as the system keeps it.
    const Rect screen = VirtualScreen();
    if (!screen.IsEmpty()) {
        pos.x = std::clamp(pos.x, screen.left, screen.right - 1);
        pos.y = std::clamp(pos.y, screen.top, screen.bottom - 1);
    }
    xcb_warp_pointer(c, XCB_NONE, root, 0, 0, 0, 0, static_cast<std::int16_t>(pos.x),
                     static_cast<std::int16_t>(pos.y));
    xcb_flush(c);
}

Rect CXcbDesktop::VirtualScreen() const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return {};
    XcbPtr<xcb_get_geometry_reply_t> geo(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr));
    if (!geo) return {};
    return {geo->x, geo->y, geo->x + geo->width, geo->y + geo->height};
}

std::vector<MonitorInfo> CXcbDesktop::Monitors() const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return {};
    std::optional<std::size_t> primary;
    std::vector<std::string> names;
    std::vector<Rect> rects = RandrMonitors(c, root, primary, names);
    // Without RandR's monitors the whole root window stands for one monitor.
    if (rects.empty()) {
        if (const Rect whole = VirtualScreen(); !whole.IsEmpty()) rects.push_back(whole);
        names.assign(rects.size(), std::string());
    }
    std::vector<MonitorInfo> monitors = MonitorsWithWorkAreas(rects, primary, NetWorkArea(c, root));
    // The scale a Qt program gives each screen. Qt lists its screens as MonitorsWithWorkAreas
    // does: the primary first, the others in the server's order.
    std::vector<std::size_t> order;
    if (primary && *primary < rects.size()) order.push_back(*primary);
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (!primary || i != *primary) order.push_back(i);
    const x11::QtScaleSettings scaling = x11::QtScaleSettingsFromEnvironment(XftDpi(c, root));
    for (std::size_t i = 0; i < monitors.size() && i < order.size(); ++i)
        monitors[i].scale = x11::QtScreenScale(scaling, i, names[order[i]]);
    return monitors;
}

COLORREF CXcbDesktop::PixelColor(Point pos) const {
    // A point off the root window makes the server refuse the request: no separate question
    // for the root's size.
    GrabPixel pixel = 0;
    if (!Connected() || pos.x < kMinCoordinate || pos.x > kMaxCoordinate ||
        pos.y < kMinCoordinate || pos.y > kMaxCoordinate ||
        !GrabOnScreen({pos.x, pos.y, pos.x + 1, pos.y + 1}, &pixel, 1))
        return kNoColor;
    return MakeRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF));
}

bool CXcbDesktop::Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const {
    if (!Connected()) return false;
    return GrabClipped(
        VirtualScreen(), rect, pixels, stride,
        [&](const Rect& inside, GrabPixel* first) { return GrabOnScreen(inside, first, stride); });
}

std::optional<LentPixels> CXcbDesktop::GrabLent(const Rect& rect) const {
    if (!Connected() || rect.IsEmpty() || Intersect(rect, VirtualScreen()) != rect)
        return std::nullopt;
    return LendOnScreen(rect);
}

std::optional<LentPixels> CXcbDesktop::LendOnScreen(const Rect& area) const {
    CXcbScreenGrabber& grabber = Grabber();
    if (!grabber.ReadsRootImages()) return std::nullopt;
    return grabber.GrabLent(area);
}

bool CXcbDesktop::GrabOnScreen(const Rect& area, GrabPixel* out, std::size_t stride) const {
    return Grabber().Grab(area, out, stride);
}

bool CXcbDesktop::ReadsRootImages() const {
    return Grabber().ReadsRootImages();
}

CXcbScreenGrabber& CXcbDesktop::Grabber() const {
    // The grabber belongs to one server connection: a toolkit's new application brings a new
    // one.
    if (!m_grabber || !m_grabber->OnConnection())
        m_grabber = std::make_unique<CXcbScreenGrabber>(m_connection, m_grabMethod);
    return *m_grabber;
}

GrabMethod CXcbDesktop::CurrentGrabMethod() const {
    return m_grabber ? m_grabber->Method() : m_grabMethod;
}

std::optional<CursorImage> CXcbDesktop::CurrentCursor() const {
    return x11::ReadCursorImage(m_connection.Display());
}

WindowId CXcbDesktop::WindowFromPoint(Point pos) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return kNoWindow;
    // The chain of mapped windows holding the point, from the root down to the deepest. A
    // pointer answer for this point a moment ago already named the root's child there.
    constexpr auto kPointerFresh = std::chrono::milliseconds(20);
    std::vector<xcb_window_t> chain{root};
    if (m_pointer && m_pointer->pos == pos &&
        std::chrono::steady_clock::now() - m_pointer->at < kPointerFresh) {
        if (m_pointer->child == XCB_NONE) return root;
        chain.push_back(m_pointer->child);
    }
    for (int depth = 0; depth < kMaxTreeDepth; ++depth) {
        XcbPtr<xcb_translate_coordinates_reply_t> r(xcb_translate_coordinates_reply(
            c,
            xcb_translate_coordinates(c, root, chain.back(), static_cast<std::int16_t>(pos.x),
                                      static_cast<std::int16_t>(pos.y)),
            nullptr));
        if (!r || r->child == XCB_NONE) break;
        chain.push_back(r->child);
    }
    if (chain.size() == 1) return root;
    // Inside an application's window (or one of its child windows): the deepest window. The
    // WM_STATE questions for the whole chain go out together: one round trip.
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    std::vector<xcb_get_property_cookie_t> cookies;
    for (std::size_t i = 1; i < chain.size(); ++i)
        cookies.push_back(xcb_get_property(c, 0, chain[i], wmState, wmState, 0, 2));
    bool inClient = false;
    for (const xcb_get_property_cookie_t cookie : cookies) {
        XcbPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
        if (reply && reply->type != XCB_NONE) inClient = true;
    }
    if (inClient) return chain.back();
    // On a window manager's frame (title bar, border): the application's window it holds.
    if (const xcb_window_t client = FindClient(c, chain[1])) return client;
    return chain.back();
}

WindowId CXcbDesktop::ChildFromPoint(WindowId parent, Point pos) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    const xcb_window_t w = ToXcb(parent);
    if (!c || w == XCB_NONE) return kNoWindow;
    const auto translated = xcb_translate_coordinates(c, root, w, static_cast<std::int16_t>(pos.x),
                                                      static_cast<std::int16_t>(pos.y));
    const auto geometry = xcb_get_geometry(c, w);
    XcbPtr<xcb_translate_coordinates_reply_t> r(
        xcb_translate_coordinates_reply(c, translated, nullptr));
    XcbPtr<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, geometry, nullptr));
    if (!r || !g) return kNoWindow;
    if (r->child != XCB_NONE) return r->child;
    // In none of its child windows, but inside the window itself: a top-level window that a
    // window manager framed has its client window there (a window with child windows of its
    // own, such as a terminal's, hands out those where they lie).
    if (IsClientArea(parent) || r->dst_x < 0 || r->dst_y < 0 || r->dst_x >= g->width ||
        r->dst_y >= g->height)
        return kNoWindow;
    const x11::Node node = x11::NodeOf(c, w);
    if (!node.hasWmState || !node.tree.ok || node.tree.parent == root) return kNoWindow;
    return parent | kClientAreaTag;
}

WindowId CXcbDesktop::Ancestor(WindowId window, WindowAncestor kind) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    const xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return kNoWindow;
    // A window that does not exist has no top-level window.
    const xcb_window_t top = TopLevelOf(c, root, w);
    if (top == XCB_NONE) return kNoWindow;
    switch (kind) {
        case WindowAncestor::kParent: {
            if (IsClientArea(window)) return w;
            // A top-level window's parent is the desktop, not a window manager's frame.
            if (w == root) return kNoWindow;
            if (w == top) return root;
            return QueryTree(c, w).parent;
        }
        case WindowAncestor::kRoot:
            return top;
        case WindowAncestor::kRootOwner: {
            WindowId owned = top;
            for (int i = 0; i < kMaxOwnerChain; ++i) {
                const WindowId owner = Owner(owned);
                if (owner == kNoWindow || owner == owned) break;
                owned = owner;
            }
            return owned;
        }
    }
    return kNoWindow;
}

WindowId CXcbDesktop::Owner(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    // The desktop window has no owner: no need to ask (the pointer is over it often).
    if (ToXcb(window) == root) return kNoWindow;
    const auto items =
        GetProperty(c, ToXcb(window), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1).Items32();
    if (items.empty() || items[0] == XCB_NONE || items[0] == root) return kNoWindow;
    // An owner that no longer exists is no owner.
    return IsWindow(items[0]) ? TopLevelOf(c, root, items[0]) : kNoWindow;
}

std::string CXcbDesktop::WindowText(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return {};
    // Both titles are asked for at once: one round trip.
    const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
    const auto netCookie =
        xcb_get_property(c, 0, w, Atom(c, "_NET_WM_NAME"), utf8, 0, kMaxTitleItems32);
    const auto nameCookie =
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, kMaxTitleItems32);
    const auto netName = x11::PropertyOf(c, netCookie, utf8);
    const auto name = x11::PropertyOf(c, nameCookie, XCB_ATOM_ANY);
    return TextOf(m_connection, netName.type != XCB_NONE ? netName : name);
}

std::string CXcbDesktop::ClassName(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    // WM_CLASS holds the instance name and the class name, each ended by a zero byte.
    const auto p = GetProperty(c, ToXcb(window), XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    if (p.type == XCB_NONE || p.format != 8) return {};
    const std::string both(p.bytes.begin(), p.bytes.end());
    const std::size_t split = both.find('\0');
    const std::string instance = both.substr(0, split);
    std::string className = split == std::string::npos ? std::string() : both.substr(split + 1);
    if (const auto nul = className.find('\0'); nul != std::string::npos) className.resize(nul);
    return Latin1ToUtf8(className.empty() ? instance : className);
}

bool CXcbDesktop::IsWindow(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    if (!c || ToXcb(window) == XCB_NONE) return false;
    XcbPtr<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, ToXcb(window)), nullptr));
    return a != nullptr;
}

bool CXcbDesktop::IsWindowVisible(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    if (!c || ToXcb(window) == XCB_NONE) return false;
    XcbPtr<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, ToXcb(window)), nullptr));
    if (!a) return false;
    return a->map_state == XCB_MAP_STATE_VIEWABLE || IsMinimized(window);
}

bool CXcbDesktop::IsMinimized(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    if (!c) return false;
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    const auto state = GetProperty(c, ToXcb(window), wmState, wmState, 1).Items32();
    if (!state.empty() && state[0] == kIconicState) return true;
    const xcb_atom_t hidden = Atom(c, "_NET_WM_STATE_HIDDEN");
    const auto net =
        GetProperty(c, ToXcb(window), Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM).Items32();
    return std::find(net.begin(), net.end(), hidden) != net.end();
}

void CXcbDesktop::Restore(WindowId window) {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    const xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return;
    // Mapping an iconic window asks the window manager to restore it; the activation request
    // then raises and focuses it.
    xcb_map_window(c, w);
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = Atom(c, "_NET_ACTIVE_WINDOW");
    ev.data.data32[0] = kSourcePager;
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
}

bool CXcbDesktop::SetStaysOnTop(WindowId window, StaysOnTop onTop) {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    const xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return false;
    const xcb_atom_t netState = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t above = Atom(c, "_NET_WM_STATE_ABOVE");
    const bool wanted = onTop == StaysOnTop::kOn;
    XcbPtr<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
    if (!a) return false;
    if (a->map_state == XCB_MAP_STATE_UNMAPPED) {
        // The window manager reads the property when the window is mapped.
        auto states = GetProperty(c, w, netState, XCB_ATOM_ATOM).Items32();
        std::erase(states, above);
        if (wanted) states.push_back(above);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, netState, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(states.size()), states.data());
    } else {
        // A mapped window's state belongs to the window manager: ask it.
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = netState;
        ev.data.data32[0] = wanted ? kNetWmStateAdd : kNetWmStateRemove;
        ev.data.data32[1] = above;
        ev.data.data32[3] = kSourceApplication;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
    return true;
}

Rect CXcbDesktop::WindowRect(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return {};
    // A top-level window's outer rectangle is its window manager's frame; its client area's
    // is the client window's own.
    if (w != root && !IsClientArea(window) && TopLevelOf(c, root, w) == w) {
        for (int depth = 0; depth < kMaxTreeDepth; ++depth) {
            const Tree t = QueryTree(c, w);
            if (!t.ok || t.parent == root || t.parent == XCB_NONE) break;
            w = t.parent;
        }
    }
    const Geometry g = GeometryOf(c, root, w);
    if (!g.ok) return {};
    Rect r = g.inner;
    r.left -= g.border;
    r.top -= g.border;
    r.right += g.border;
    r.bottom += g.border;
    return r;
}

Rect CXcbDesktop::ClientRect(WindowId window) const {
    xcb_connection_t* c = m_connection.Connection();
    if (!c || ToXcb(window) == XCB_NONE) return {};
    const Geometry g = GeometryOf(c, m_connection.Root(), ToXcb(window));
    return g.ok ? g.inner : Rect{};
}

std::vector<WindowId> CXcbDesktop::TopLevelWindows() const {
    std::vector<WindowId> windows;
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return windows;
    const Tree t = QueryTree(c, root);
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    // Ask for every child's WM_STATE at once, then read the answers, topmost first.
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(t.children.size());
    for (xcb_window_t w : t.children)
        cookies.push_back(xcb_get_property(c, 0, w, wmState, wmState, 0, 1));
    std::vector<bool> isClient(t.children.size());
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        XcbPtr<xcb_get_property_reply_t> r(xcb_get_property_reply(c, cookies[i], nullptr));
        isClient[i] = r && r->type != XCB_NONE;
    }
    for (std::size_t i = t.children.size(); i-- > 0;) {
        const xcb_window_t w = t.children[i];
        const xcb_window_t client = isClient[i] ? w : FindClient(c, w);
        windows.push_back(client != XCB_NONE ? client : w);
    }
    return windows;
}

WindowId CXcbDesktop::ForegroundWindow() const {
    xcb_connection_t* c = m_connection.Connection();
    const xcb_window_t root = m_connection.Root();
    if (!c || root == XCB_NONE) return kNoWindow;
    const auto active =
        GetProperty(c, root, Atom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1).Items32();
    if (!active.empty()) return active[0];
    // Without a window manager that names it: the window that has the keyboard focus.
    XcbPtr<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!focus || focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT ||
        focus->focus == root)
        return kNoWindow;
    return TopLevelOf(c, root, focus->focus);
}

WindowId CXcbDesktop::DesktopWindow() const {
    return m_connection.Root();
}

}  // namespace nl
