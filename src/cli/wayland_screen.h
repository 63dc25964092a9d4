#pragma once
#include <memory>

namespace nl {
class IDesktop;
}

namespace nl::cli {

// The desktop of the Wayland session that WAYLAND_DISPLAY names, for the screen commands.
// With `x11Windows` (an XWayland display is there too) the windows are the X server's and the
// pixels the compositor's. Throws std::runtime_error naming the reason when the compositor
// cannot be reached or does not let programs read the screen.
std::unique_ptr<IDesktop> OpenWaylandDesktop(std::unique_ptr<IDesktop> x11Windows);

}  // namespace nl::cli
