// The window tree of an X server as the desktop's queries walk it: frames of a window manager,
// the application windows they hold, their geometry and titles.
#pragma once
#include <xcb/xcb.h>

#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/xcb/IXConnection.h"
#include "platform/xcb/xcb_support.h"

namespace nl::x11 {

// Bounds on walks through the window tree, against cycles and pathological trees.
inline constexpr int kMaxTreeDepth = 64;

struct Tree {
    xcb_window_t parent = XCB_NONE;
    std::vector<xcb_window_t> children;  // bottom to top
    bool ok = false;
};
Tree QueryTree(xcb_connection_t* c, xcb_window_t w);
// The tree of a QueryTree request already sent.
Tree TreeOf(xcb_connection_t* c, xcb_query_tree_cookie_t cookie);

// Whether the window carries WM_STATE: an application's top-level window.
bool HasWmState(xcb_connection_t* c, xcb_window_t w);

// A window's WM_STATE mark and its place in the tree, asked for together.
struct Node {
    bool hasWmState = false;
    Tree tree;
};
Node NodeOf(xcb_connection_t* c, xcb_window_t w);

// The application's window inside a window manager's frame: the first window at or below `w`
// that carries WM_STATE, topmost children first.
xcb_window_t FindClient(xcb_connection_t* c, xcb_window_t w, int depth = 0);

// The top-level window of `w`: the window of its ancestry (itself included) that carries
// WM_STATE; without a window manager, the ancestor just below the root.
xcb_window_t TopLevelOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t w);

struct Geometry {
    Rect inner;  // the window's own area in root coordinates
    int border = 0;
    bool ok = false;
};
Geometry GeometryOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t w);

// The text of a title property: UTF-8 as it is, Latin-1 converted, compound text through Xlib.
std::string TextOf(const IXConnection& connection, const Property& p);

}  // namespace nl::x11
