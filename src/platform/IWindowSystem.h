#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/IDesktop.h"

namespace nl {

// What the program asks of the window system about its own windows beyond what the toolkit
// does: the X server's compositing manager, window class hints, grabs taken by other clients
// and activation on the user's behalf. A window system without these answers no and does
// nothing.
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Whether a compositing manager blends translucent windows now, so that such a window
    // shows what lies below it.
    virtual bool BlendsTranslucentWindows() const = 0;
    // Whether the native event `message` of type `eventType` (as the toolkit hands it to a
    // window) tells the window that another client took the pointer or the keyboard with a
    // grab.
    virtual bool IsGrabLoss(std::string_view eventType, const void* message) const = 0;
    // Sets the window's class hint: its instance name, then its class name.
    virtual void SetWindowClass(WindowId window, const std::string& instance,
                                const std::string& className) = 0;
    // Asks the window manager to activate `window` (raise it and give it the focus) for a
    // request the user made through another program, started at the window system's time
    // `userTime` (0: now).
    virtual void RequestActivation(WindowId window, std::uint32_t userTime) = 0;
    // Tells the launcher that started another program with the startup id `startupId` that
    // the start is complete (it showed `window` of this program instead), so that its busy
    // cursor ends.
    virtual void FinishStartup(WindowId window, const std::string& startupId) = 0;
};

}  // namespace nl
