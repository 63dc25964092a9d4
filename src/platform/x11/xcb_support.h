#pragma once
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _XDisplay;

namespace nl::x11 {

// A reply or error that xcb allocated; freed with free().
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using XcbPtr = std::unique_ptr<T, XcbFree>;

// The X connection Qt draws on and its root window. A program without a Qt application that
// called OpenOwnConnection gets its own connection instead; null (0) otherwise, or when Qt
// does not run on X11.
xcb_connection_t* QtConnection();
xcb_window_t QtRootWindow();
// The Xlib display over that connection, for the extensions only Xlib wraps here (shared
// memory images, the cursor picture); null when Qt does not run on X11.
_XDisplay* QtDisplay();

// Opens this process's own connection to the X server that DISPLAY names, for a program that
// reads the screen without a Qt application (the command line). Later calls return the first
// answer. False, with nothing opened, when the server cannot be reached.
bool OpenOwnConnection();

// Waits until the server has carried out every request sent so far on `c`.
void Sync(xcb_connection_t* c);

// The atom named `name`, interned on first use and cached per connection.
xcb_atom_t Atom(xcb_connection_t* c, std::string_view name);

// A window property's type, item format and bytes. `type` is XCB_NONE when the window has no
// such property or no longer exists.
struct Property {
    xcb_atom_t type = XCB_NONE;
    int format = 0;  // 8, 16 or 32 bits per item
    std::vector<std::uint8_t> bytes;
    // The items of a 32-bit property.
    std::vector<std::uint32_t> Items32() const;
};

// Reads up to `maxItems32` 32-bit units of property `property` of `window` (any type when
// `type` is XCB_ATOM_ANY).
Property GetProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                     xcb_atom_t type = XCB_ATOM_ANY, std::uint32_t maxItems32 = 4096);

}  // namespace nl::x11
