#pragma once
#include "platform/IDesktop.h"

namespace nl {

// The real desktop on X11: Qt for the monitors, the cursor and the screen pixels, xcb for
// the windows of every program (titles, classes, owners, stacking, the active window).
// Every position and rectangle is in the X server's device pixels, whatever scale Qt lays
// its windows out at. Needs a QGuiApplication on the xcb platform; without X11 the window
// queries find nothing.
class CX11Desktop final : public IDesktop {
public:
    Point CursorPos() const override;
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override;
    std::vector<MonitorInfo> Monitors() const override;
    DisplayMetrics Metrics() const override;
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    WindowId WindowFromPoint(Point pos) const override;
    WindowId ChildFromPoint(WindowId parent, Point pos) const override;
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override;
    WindowId Owner(WindowId window) const override;
    std::string WindowText(WindowId window) const override;
    std::string ClassName(WindowId window) const override;
    bool IsWindow(WindowId window) const override;
    bool IsWindowVisible(WindowId window) const override;
    bool IsMinimized(WindowId window) const override;
    void Restore(WindowId window) override;
    bool SetStaysOnTop(WindowId window, StaysOnTop onTop) override;
    Rect WindowRect(WindowId window) const override;
    Rect ClientRect(WindowId window) const override;
    std::vector<WindowId> TopLevelWindows() const override;
    WindowId ForegroundWindow() const override;
    WindowId DesktopWindow() const override;
};

}  // namespace nl
