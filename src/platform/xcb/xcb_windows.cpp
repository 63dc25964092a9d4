#include "platform/xcb/xcb_windows.h"

#include "base/text.h"

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace nl::x11 {
namespace {

constexpr int kMaxClientSearchDepth = 4;

}  // namespace

Tree QueryTree(xcb_connection_t* c, xcb_window_t w) {
    return TreeOf(c, xcb_query_tree(c, w));
}

Tree TreeOf(xcb_connection_t* c, xcb_query_tree_cookie_t cookie) {
    Tree t;
    XcbPtr<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(c, cookie, nullptr));
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

Node NodeOf(xcb_connection_t* c, xcb_window_t w) {
    // Both questions go out before either answer is read: one round trip.
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    const auto state = xcb_get_property(c, 0, w, wmState, wmState, 0, 2);
    const auto tree = xcb_query_tree(c, w);
    Node node;
    node.hasWmState = PropertyOf(c, state, wmState).type != XCB_NONE;
    node.tree = TreeOf(c, tree);
    return node;
}

xcb_window_t FindClient(xcb_connection_t* c, xcb_window_t w, int depth) {
    if (depth >= kMaxClientSearchDepth) return HasWmState(c, w) ? w : XCB_NONE;
    const Node node = NodeOf(c, w);
    if (node.hasWmState) return w;
    const std::vector<xcb_window_t>& kids = node.tree.children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (const xcb_window_t found = FindClient(c, *it, depth + 1)) return found;
    return XCB_NONE;
}

xcb_window_t TopLevelOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t w) {
    if (w == root) return root;
    xcb_window_t below = w;
    for (int depth = 0; depth < kMaxTreeDepth; ++depth) {
        const Node node = NodeOf(c, below);
        if (node.hasWmState) return below;
        if (!node.tree.ok) return XCB_NONE;
        if (node.tree.parent == root || node.tree.parent == XCB_NONE) break;
        below = node.tree.parent;
    }
    // `below` is a direct child of the root: a frame holding a client, or a window of a
    // program that manages itself (no window manager, menus, tool tips).
    const xcb_window_t client = FindClient(c, below);
    return client != XCB_NONE ? client : below;
}

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

std::string TextOf(const IXConnection& connection, const Property& p) {
    xcb_connection_t* c = connection.Connection();
    std::string bytes(p.bytes.begin(), p.bytes.end());
    if (const auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    if (p.format != 8) return {};
    if (p.type == Atom(c, "UTF8_STRING")) return bytes;
    if (p.type == XCB_ATOM_STRING) return Latin1ToUtf8(bytes);
    if (p.type == Atom(c, "COMPOUND_TEXT")) {
        Display* display = connection.Display();
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

}  // namespace nl::x11
