#pragma once
#include <functional>

#include "base/geometry.h"

namespace nl {

class CDesktopSampler;
class IPickCountdown;

// Where the ruler window is: whether it is open and shown, whether it is the foreground
// window, and its origin point in screen coordinates.
struct RulerState {
    bool exists = false;
    bool foreground = false;
    Point origin;
};

// Takes the main window and the tools' windows it opened off the screen while a capture
// copies it, and brings back those that were shown, the window in front.
class IWindowHiding {
public:
    virtual ~IWindowHiding() = default;
    virtual void HideForCapture() = 0;
    virtual void RestoreAfterCapture() = 0;
};

// What the main window offers some tools beyond the view host. Each tool's registration
// hands its views the parts they use, so a view sees only its own.
struct ToolServices {
    // Samples the desktop under the cursor and carries out the picks (the colors list).
    CDesktopSampler& sampler;
    // Shows a countdown in the status bar's first pane, painted at once, and waits (a
    // delayed capture).
    IPickCountdown& countdown;
    // The captures and measurements take the program's windows off the screen.
    IWindowHiding& hiding;
    // The ruler window the main window opened, if any is shown (the magnifier follows it).
    std::function<RulerState()> ruler;
};

}  // namespace nl
