#pragma once
#include <optional>

#include "base/geometry.h"
#include "framework/CCmdTarget.h"
#include "platform/IDesktop.h"

class QWidget;

namespace nl {

class CCommandBinder;

// What every view and every tool's own window needs of the window that holds them: the
// command route, the active view, the native window and the command binder. The main window
// implements it; views never see the main window's class. What only some tools use reaches
// them through their registration (ToolServices).
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
};

}  // namespace nl
