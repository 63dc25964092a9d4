#include "cli/wayland_screen.h"

#include <stdexcept>
#include <string>

#include "platform/CSplitDesktop.h"
#include "platform/wayland/CWaylandDesktop.h"

namespace nl::cli {

std::unique_ptr<IDesktop> OpenWaylandDesktop(std::unique_ptr<IDesktop> x11Windows) {
    std::string error;
    // The command line has no screenshot service of its own: it reads what the compositor lets
    // it copy.
    std::unique_ptr<CWaylandDesktop> desktop = CWaylandDesktop::Open(nullptr, &error);
    if (!desktop) throw std::runtime_error(error);
    if (!desktop->CanReadScreen())
        throw std::runtime_error(
            "this Wayland compositor does not let programs copy the screen "
            "(it offers no wlr-screencopy)");
    // Where the compositor lists its windows (sway, X11 ones among them), its list is the
    // one in step with the screen: an X11 window's own geometry lags behind the compositor's
    // layout.
    if (!x11Windows || !desktop->TopLevelWindows().empty()) return desktop;
    return std::make_unique<CSplitDesktop>(std::move(x11Windows), std::move(desktop),
                                           PointerSource::kReported);
}

}  // namespace nl::cli
