#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "base/geometry.h"

class QWidget;

namespace nl {

struct AppContext;
struct ToolServices;
class CCmdTarget;
class CViewAppTB;
class IViewHost;

// A main view: the widget and its command side. The view hears the view notifications
// itself (SubscribeView).
struct MainViewParts {
    QWidget* widget = nullptr;
    CCmdTarget* target = nullptr;

    // The parts of a view that is a widget and a command target.
    template <class View>
    static MainViewParts Of(View* view) {
        return {view, view};
    }
};

// The views a tool shows in the main window: its form above, its main view below. A tool
// without a main view of its own leaves `main` empty and the plain list stands in.
struct ToolViews {
    CViewAppTB* toolbar = nullptr;
    MainViewParts main;
};

// A window of its own that the main window opens for a tool (the ruler), parented to the
// main window so that it goes with it.
struct ToolWindow {
    QWidget* widget = nullptr;
    // The point the magnifier follows while the window is in the foreground, in screen
    // coordinates; empty for a window the magnifier does not follow.
    std::function<Point()> origin;
};

// The tools the main window can show and the windows it can open for them. Each tool
// folder registers itself through one function; the main window looks a tool up by its
// settings number, a window by its command, and never knows the tools' classes.
class CToolRegistry {
public:
    using ViewsFactory = std::function<ToolViews(AppContext&, IViewHost&, const ToolServices&)>;
    using WindowFactory = std::function<ToolWindow(AppContext&, IViewHost&)>;

    struct Tool {
        std::int32_t tool = 0;  // the tool's number in the settings (the active tool)
        int command = 0;        // the command that makes it the active tool
        int menuId = 0;         // the menu bar while it is active
        int formId = 0;         // the form of its toolbar view
        ViewsFactory createViews;
    };
    struct Window {
        int command = 0;  // the command that opens and closes it
        WindowFactory create;
    };

    // Each tool number and command is registered once.
    void AddTool(Tool tool);
    void AddWindow(Window window);

    const Tool* FindTool(std::int32_t tool) const;
    const Window* FindWindow(int command) const;
    const std::vector<Tool>& Tools() const { return m_tools; }

private:
    std::vector<Tool> m_tools;
    std::vector<Window> m_windows;
};

}  // namespace nl
