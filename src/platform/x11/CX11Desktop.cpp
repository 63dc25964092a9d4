#include "platform/x11/CX11Desktop.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/text.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "platform/x11/x11_cursor.h"
#include "platform/x11/xcb_support.h"

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace nl {

using x11::Atom;
using x11::GetProperty;
using x11::XcbPtr;

namespace {

// WM_STATE values of the window-manager conventions.
constexpr std::uint32_t kIconicState = 3;
// Bounds on walks through the window tree, against cycles and pathological trees.
constexpr int kMaxTreeDepth = 64;
constexpr int kMaxClientSearchDepth = 4;
constexpr int kMaxOwnerChain = 64;
// The source indication "pager" of an activation request: an explicit user request.
constexpr std::uint32_t kSourcePager = 2;
// The source indication of a state change the program asks for itself.
constexpr std::uint32_t kSourceApplication = 1;
// The actions of a _NET_WM_STATE request.
constexpr std::uint32_t kNetWmStateRemove = 0;
constexpr std::uint32_t kNetWmStateAdd = 1;
// The 52 letters the average character width of a font is measured with.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetHalf = 26;

xcb_window_t ToXcb(WindowId w) {
    return w > 0xFFFFFFFFu ? XCB_NONE : static_cast<xcb_window_t>(w);
}

struct Tree {
    xcb_window_t parent = XCB_NONE;
    std::vector<xcb_window_t> children;  // bottom to top
    bool ok = false;
};

Tree QueryTree(xcb_connection_t* c, xcb_window_t w) {
    Tree t;
    XcbPtr<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
    if (!reply) return t;
    t.ok = true;
    t.parent = reply->parent;
    const xcb_window_t* kids = xcb_query_tree_children(reply.get());
    t.children.assign(kids, kids + xcb_query_tree_children_length(reply.get()));
    return t;
}

bool HasWmState(xcb_connection_t* c, xcb_window_t w) {
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    return GetProperty(c, w, wmState, wmState, 2).type != XCB_NONE;
}

// The application's window inside a window manager's frame: the first window at or below `w`
// that carries WM_STATE, topmost children first.
xcb_window_t FindClient(xcb_connection_t* c, xcb_window_t w, int depth = 0) {
    if (HasWmState(c, w)) return w;
    if (depth >= kMaxClientSearchDepth) return XCB_NONE;
    const Tree t = QueryTree(c, w);
    for (auto it = t.children.rbegin(); it != t.children.rend(); ++it)
        if (const xcb_window_t found = FindClient(c, *it, depth + 1)) return found;
    return XCB_NONE;
}

// The top-level window of `w`: the window of its ancestry (itself included) that carries
// WM_STATE; without a window manager, the ancestor just below the root.
xcb_window_t TopLevelOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t w) {
    if (w == root) return root;
    xcb_window_t below = w;
    for (int depth = 0; depth < kMaxTreeDepth; ++depth) {
        if (HasWmState(c, below)) return below;
        const Tree t = QueryTree(c, below);
        if (!t.ok) return XCB_NONE;
        if (t.parent == root || t.parent == XCB_NONE) break;
        below = t.parent;
    }
    // `below` is a direct child of the root: a frame holding a client, or a window of a
    // program that manages itself (no window manager, menus, tool tips).
    const xcb_window_t client = FindClient(c, below);
    return client != XCB_NONE ? client : below;
}

struct Geometry {
    Rect inner;  // the window's own area in root coordinates
    int border = 0;
    bool ok = false;
};

Geometry GeometryOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t w) {
    Geometry g;
    const auto gc = xcb_get_geometry(c, w);
    const auto tc = xcb_translate_coordinates(c, w, root, 0, 0);
    XcbPtr<xcb_get_geometry_reply_t> geo(xcb_get_geometry_reply(c, gc, nullptr));
    XcbPtr<xcb_translate_coordinates_reply_t> pos(xcb_translate_coordinates_reply(c, tc, nullptr));
    if (!geo || !pos) return g;
    g.ok = true;
    g.border = geo->border_width;
    g.inner = {pos->dst_x, pos->dst_y, pos->dst_x + geo->width, pos->dst_y + geo->height};
    return g;
}

// The text of a title property: UTF-8 as it is, Latin-1 converted, compound text through Xlib.
std::string TextOf(const x11::Property& p) {
    xcb_connection_t* c = x11::QtConnection();
    std::string bytes(p.bytes.begin(), p.bytes.end());
    if (const auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    if (p.format != 8) return {};
    if (p.type == Atom(c, "UTF8_STRING")) return bytes;
    if (p.type == XCB_ATOM_STRING) return Latin1ToUtf8(bytes);
    if (p.type == Atom(c, "COMPOUND_TEXT")) {
        Display* display = x11::QtDisplay();
        if (!display) return {};
        XTextProperty prop{};
        prop.value = reinterpret_cast<unsigned char*>(bytes.data());
        prop.encoding = p.type;
        prop.format = 8;
        prop.nitems = bytes.size();
        char** list = nullptr;
        int count = 0;
        std::string text;
        if (Xutf8TextPropertyToTextList(display, &prop, &list, &count) >= Success && list) {
            for (int i = 0; i < count; ++i) text += list[i];
            XFreeStringList(list);
        }
        return text;
    }
    return {};
}

QScreen* PrimaryScreen() {
    return qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
}

// Whether the screen can be read: through Qt's screens, or through the program's own X
// connection when no Qt application runs.
bool HasScreen() {
    return qGuiApp ? PrimaryScreen() != nullptr : x11::QtConnection() != nullptr;
}

// The root window's area, the whole virtual screen, on the program's own connection.
Rect OwnRootRect() {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || root == XCB_NONE) return {};
    XcbPtr<xcb_get_geometry_reply_t> geo(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr));
    if (!geo) return {};
    return {geo->x, geo->y, geo->x + geo->width, geo->y + geo->height};
}

// The alpha byte of an opaque pixel, as Qt's 32-bit RGB images hold it.
constexpr GrabPixel kOpaque = 0xFF000000u;

// Copies the screen's pixels in `inside` (device pixels, on the screen) to `out`, rows
// `stride` pixels apart, through Qt: for servers whose images the grabber does not read.
bool GrabThroughQt(const Rect& inside, GrabPixel* out, std::size_t stride) {
    // Qt grabs in its logical pixels and delivers device pixels.
    QScreen* screen = PrimaryScreen();
    if (!screen) return false;
    const QRect logical = LogicalRect(inside).translated(-screen->geometry().topLeft());
    const QImage image = screen->grabWindow(0, logical.x(), logical.y(), logical.width(),
                                            logical.height())
                             .toImage()
                             .scaled(inside.Width(), inside.Height())
                             .convertToFormat(QImage::Format_RGB32);
    if (image.width() != inside.Width() || image.height() != inside.Height()) return false;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out + static_cast<std::size_t>(y) * stride, image.constScanLine(y),
                    static_cast<std::size_t>(inside.Width()) * sizeof(GrabPixel));
    return true;
}

}  // namespace

Point CX11Desktop::CursorPos() const {
    // The X server's pointer, in device pixels whatever scale Qt lays windows out at.
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (c && root != XCB_NONE) {
        XcbPtr<xcb_query_pointer_reply_t> reply(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
        if (reply) return {reply->root_x, reply->root_y};
    }
    return DevicePoint(QCursor::pos());
}

void CX11Desktop::SetCursorPos(Point pos) {
    // The cursor stays on the screen, as the system keeps it.
    const Rect screen = VirtualScreen();
    if (!screen.IsEmpty()) {
        pos.x = std::clamp(pos.x, screen.left, screen.right - 1);
        pos.y = std::clamp(pos.y, screen.top, screen.bottom - 1);
    }
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (c && root != XCB_NONE) {
        xcb_warp_pointer(c, XCB_NONE, root, 0, 0, 0, 0, static_cast<std::int16_t>(pos.x),
                         static_cast<std::int16_t>(pos.y));
        xcb_flush(c);
        return;
    }
    QCursor::setPos(LogicalPoint(pos));
}

Rect CX11Desktop::VirtualScreen() const {
    if (!qGuiApp) return OwnRootRect();
    Rect all;
    for (QScreen* s : QGuiApplication::screens()) all = Union(all, DeviceGeometry(*s));
    return all;
}

std::vector<MonitorInfo> CX11Desktop::Monitors() const {
    std::vector<MonitorInfo> monitors;
    if (!qGuiApp) {
        // Without Qt's screens the whole root window stands for one monitor.
        if (const Rect root = OwnRootRect(); !root.IsEmpty()) monitors.push_back({root, root});
        return monitors;
    }
    QScreen* primary = QGuiApplication::primaryScreen();
    const auto info = [](const QScreen& s) {
        return MonitorInfo{DeviceGeometry(s), DeviceRectOn(s, s.availableGeometry())};
    };
    if (primary) monitors.push_back(info(*primary));
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary) monitors.push_back(info(*s));
    return monitors;
}

DisplayMetrics CX11Desktop::Metrics() const {
    DisplayMetrics m;
    if (QScreen* screen = PrimaryScreen()) {
        // Dots per inch of device pixels: Qt's logical inch spans the pixel ratio's pixels.
        const qreal ratio = screen->devicePixelRatio();
        m.dpiX = static_cast<int>(std::lround(screen->logicalDotsPerInchX() * ratio));
        m.dpiY = static_cast<int>(std::lround(screen->logicalDotsPerInchY() * ratio));
    }
    if (qGuiApp) {
        // The dialog base units of the user-interface font: its average character width
        // (rounded half up) and its height.
        const QFontMetrics fm(QGuiApplication::font());
        const int width = fm.horizontalAdvance(QString::fromLatin1(kAlphabet));
        if (width > 0 && fm.height() > 0) {
            m.dialogBaseX = (width / kAlphabetHalf + 1) / 2;
            m.dialogBaseY = fm.height();
        }
    }
    return m;
}

CX11Desktop::CX11Desktop(GrabMethod method) : m_grabMethod(method) {}

CX11Desktop::~CX11Desktop() = default;

COLORREF CX11Desktop::PixelColor(Point pos) const {
    GrabPixel pixel = 0;
    if (!HasScreen() || !VirtualScreen().Contains(pos) ||
        !GrabInside({pos.x, pos.y, pos.x + 1, pos.y + 1}, &pixel, 1))
        return kNoColor;
    return MakeRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF));
}

bool CX11Desktop::Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const {
    if (!HasScreen() || rect.IsEmpty() || stride < static_cast<std::size_t>(rect.Width()))
        return false;
    const Rect inside = Intersect(rect, VirtualScreen());
    if (inside != rect) {
        for (int y = 0; y < rect.Height(); ++y)
            std::fill_n(pixels + static_cast<std::size_t>(y) * stride, rect.Width(), kOpaque);
    }
    if (inside.IsEmpty()) return true;
    GrabPixel* const first = pixels + static_cast<std::size_t>(inside.top - rect.top) * stride +
                             (inside.left - rect.left);
    return GrabInside(inside, first, stride);
}

std::optional<LentPixels> CX11Desktop::GrabLent(const Rect& rect) const {
    if (!PrimaryScreen() || rect.IsEmpty() || Intersect(rect, VirtualScreen()) != rect)
        return std::nullopt;
    CX11ScreenGrabber& grabber = Grabber();
    if (!grabber.ReadsRootImages()) return std::nullopt;
    return grabber.GrabLent(rect);
}

CX11ScreenGrabber& CX11Desktop::Grabber() const {
    // The grabber belongs to one X connection: a new one comes with a new Qt application.
    if (!m_grabber || !m_grabber->OnQtDisplay())
        m_grabber = std::make_unique<CX11ScreenGrabber>(m_grabMethod);
    return *m_grabber;
}

bool CX11Desktop::GrabInside(const Rect& inside, GrabPixel* out, std::size_t stride) const {
    CX11ScreenGrabber& grabber = Grabber();
    if (grabber.ReadsRootImages()) return grabber.Grab(inside, out, stride);
    return GrabThroughQt(inside, out, stride);
}

GrabMethod CX11Desktop::CurrentGrabMethod() const {
    return m_grabber ? m_grabber->Method() : m_grabMethod;
}

std::optional<CursorImage> CX11Desktop::CurrentCursor() const {
    return x11::ReadCursorImage(x11::QtDisplay());
}

WindowId CX11Desktop::WindowFromPoint(Point pos) const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || root == XCB_NONE) return kNoWindow;
    // The chain of mapped windows holding the point, from the root down to the deepest.
    std::vector<xcb_window_t> chain{root};
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

WindowId CX11Desktop::ChildFromPoint(WindowId parent, Point pos) const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || ToXcb(parent) == XCB_NONE) return kNoWindow;
    XcbPtr<xcb_translate_coordinates_reply_t> r(xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, root, ToXcb(parent), static_cast<std::int16_t>(pos.x),
                                  static_cast<std::int16_t>(pos.y)),
        nullptr));
    return r ? r->child : kNoWindow;
}

WindowId CX11Desktop::Ancestor(WindowId window, WindowAncestor kind) const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    const xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE || !IsWindow(window)) return kNoWindow;
    const xcb_window_t top = TopLevelOf(c, root, w);
    switch (kind) {
        case WindowAncestor::kParent: {
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

WindowId CX11Desktop::Owner(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    const auto items =
        GetProperty(c, ToXcb(window), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1).Items32();
    if (items.empty() || items[0] == XCB_NONE || items[0] == root) return kNoWindow;
    // An owner that no longer exists is no owner.
    return IsWindow(items[0]) ? TopLevelOf(c, root, items[0]) : kNoWindow;
}

std::string CX11Desktop::WindowText(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    if (!c) return {};
    const auto netName =
        GetProperty(c, ToXcb(window), Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"));
    if (netName.type != XCB_NONE) return TextOf(netName);
    return TextOf(GetProperty(c, ToXcb(window), XCB_ATOM_WM_NAME));
}

std::string CX11Desktop::ClassName(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
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

bool CX11Desktop::IsWindow(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    if (!c || ToXcb(window) == XCB_NONE) return false;
    XcbPtr<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, ToXcb(window)), nullptr));
    return a != nullptr;
}

bool CX11Desktop::IsWindowVisible(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    if (!c || ToXcb(window) == XCB_NONE) return false;
    XcbPtr<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, ToXcb(window)), nullptr));
    if (!a) return false;
    return a->map_state == XCB_MAP_STATE_VIEWABLE || IsMinimized(window);
}

bool CX11Desktop::IsMinimized(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    if (!c) return false;
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    const auto state = GetProperty(c, ToXcb(window), wmState, wmState, 1).Items32();
    if (!state.empty() && state[0] == kIconicState) return true;
    const xcb_atom_t hidden = Atom(c, "_NET_WM_STATE_HIDDEN");
    const auto net =
        GetProperty(c, ToXcb(window), Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM).Items32();
    return std::find(net.begin(), net.end(), hidden) != net.end();
}

void CX11Desktop::Restore(WindowId window) {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
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

bool CX11Desktop::SetStaysOnTop(WindowId window, StaysOnTop onTop) {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
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

Rect CX11Desktop::WindowRect(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    xcb_window_t w = ToXcb(window);
    if (!c || w == XCB_NONE) return {};
    // A top-level window's outer rectangle is its window manager's frame.
    if (w != root && TopLevelOf(c, root, w) == w) {
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

Rect CX11Desktop::ClientRect(WindowId window) const {
    xcb_connection_t* c = x11::QtConnection();
    if (!c || ToXcb(window) == XCB_NONE) return {};
    const Geometry g = GeometryOf(c, x11::QtRootWindow(), ToXcb(window));
    return g.ok ? g.inner : Rect{};
}

std::vector<WindowId> CX11Desktop::TopLevelWindows() const {
    std::vector<WindowId> windows;
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
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

WindowId CX11Desktop::ForegroundWindow() const {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
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

WindowId CX11Desktop::DesktopWindow() const {
    return x11::QtRootWindow();
}

}  // namespace nl
