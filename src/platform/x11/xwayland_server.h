#pragma once

namespace nl::x11 {

// Whether the X server of the present connection (Qt's, or the program's own) is XWayland,
// an X server inside a Wayland session, rather than one with a screen of its own.
bool IsXWaylandServer();

}  // namespace nl::x11
