#pragma once
#include "platform/xcb/IXConnection.h"

namespace nl::x11 {

// Whether the X server of `connection` (Qt's, or the program's own) is XWayland, an X server
// inside a Wayland session, rather than one with a screen of its own.
bool IsXWaylandServer(const IXConnection& connection);

}  // namespace nl::x11
