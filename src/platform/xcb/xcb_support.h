#pragma once
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xcb/IXConnection.h"

namespace nl::x11 {

// A reply or error that xcb allocated; freed with free().
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using XcbPtr = std::unique_ptr<T, XcbFree>;

// Opens this process's own connection to the X server that DISPLAY names, for a program that
// reads the screen without a toolkit (the command line). Later calls return the first
// answer. False, with nothing opened, when the server cannot be reached.
bool OpenOwnConnection();
// That connection: no connection until OpenOwnConnection succeeded. It stays open until the
// process ends.
const IXConnection& OwnConnection();

// The root window of the screen DISPLAY names on `c` (the first screen when DISPLAY names
// none), or XCB_NONE.
xcb_window_t DisplayRoot(xcb_connection_t* c);

// Waits until the server has carried out every request sent so far on `c`.
void Sync(xcb_connection_t* c);

// The atom named `name`, interned on first use and cached per connection. The first look-up
// on a connection interns every atom the desktop uses in one round trip.
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
// The property as a reply already asked for with xcb_get_property.
Property PropertyOf(xcb_connection_t* c, xcb_get_property_cookie_t cookie, xcb_atom_t type);

}  // namespace nl::x11
