#pragma once
#include <optional>

#include "base/geometry.h"
#include "framework/CCmdTarget.h"
#include "platform/IDesktop.h"

class QWidget;

namespace nl {

class CCommandBinder;
class CDesktopSampler;
class IPickCountdown;

// Where the ruler window is: whether it is open and shown, whether it is the foreground
// window, and its origin point in screen coordinates.
struct RulerState {
    bool exists = false;
    bool foreground = false;
    Point origin;
};

// What the views and the tools' own windows need of the window that holds them: the
// command route, the active view, the native window, the command binder, the desktop
// sampler and the ruler's whereabouts. The main window implements it; views never see the
// main window's class.
class IViewHost {
public:
    virtual ~IViewHost() = default;

    // Runs command `id` along the route toolbar view, main view, host, document,
    // application; false when nobody handled it.
    virtual bool ExecuteCommand(int id) = 0;
    // The state of command `id` along the same route.
    virtual CCmdUI UpdateCommand(int id) = 0;
    // The answer of the first update handler along the route, or nothing when no target
    // has an update handler for `id` (the control then keeps its state).
    virtual std::optional<CCmdUI> UpdateCommandIfHandled(int id) = 0;

    // The view that last had the focus or a click.
    virtual QWidget* ActiveView() const = 0;
    virtual void SetActiveView(QWidget* view) = 0;

    // The host's top-level window (the parent of the tools' own windows).
    virtual QWidget* Window() = 0;
    // Its native window id, kNoWindow before the window exists.
    virtual WindowId NativeWindow() const = 0;
    // The binder that builds the host's menus and keys (context menus use it too).
    virtual CCommandBinder* Binder() const = 0;
    // Samples the desktop under the cursor and carries out the picks.
    virtual CDesktopSampler& Sampler() = 0;
    // The ruler window the host opened, if any is shown.
    virtual RulerState Ruler() const = 0;
    // Shows a countdown in the status bar's first pane, painted at once, and waits.
    virtual IPickCountdown& Countdown() = 0;
    // Takes the window and the tools' windows it opened off the screen while a capture
    // copies it, and brings back those that were shown, the window in front.
    virtual void HideForCapture() = 0;
    virtual void RestoreAfterCapture() = 0;
};

}  // namespace nl
