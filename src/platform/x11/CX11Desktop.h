#pragma once
#include <memory>
#include <optional>

#include "platform/IDesktop.h"
#include "platform/x11/CX11ScreenGrabber.h"
#include "platform/x11/x11_damage.h"

namespace nl {

// The real desktop on X11: Qt for the monitors, the X server for the cursor (its position and
// picture), the screen pixels (shared memory where the server offers it) and the windows of
// every program (titles, classes, owners, stacking, the active window).
// Every position and rectangle is in the X server's device pixels, whatever scale Qt lays
// its windows out at. Runs on a QGuiApplication on the xcb platform, or without one on the
// connection x11::OpenOwnConnection opened (the whole root window then counts as one
// monitor); without X11 the window queries find nothing.
class CX11Desktop final : public IDesktop {
public:
    // `method`: how screen pixels are read; shared memory falls back by itself where the
    // server cannot share it.
    explicit CX11Desktop(GrabMethod method = GrabMethod::kSharedMemory);
    ~CX11Desktop() override;

    // The method grabs take now (shared memory may have fallen back to GetImage).
    GrabMethod CurrentGrabMethod() const;

    Point CursorPos() const override;
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override;
    std::vector<MonitorInfo> Monitors() const override;
    DisplayMetrics Metrics() const override;
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    std::optional<LentPixels> GrabLent(const Rect& rect) const override;
    std::uint64_t ChangeCount(const Rect& area) const override { return m_damage.ChangeCount(area); }
    WindowId WindowFromPoint(Point pos) const override;
    WindowId ChildFromPoint(WindowId parent, Point pos) const override;
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override;
    WindowId Owner(WindowId window) const override;
    std::string WindowText(WindowId window) const override;
    std::string ClassName(WindowId window) const override;
    bool IsWindow(WindowId window) const override;
    bool IsWindowVisible(WindowId window) const override;
    bool IsMinimized(WindowId window) const override;
    std::optional<CursorImage> CurrentCursor() const override;
    void Restore(WindowId window) override;
    bool SetStaysOnTop(WindowId window, StaysOnTop onTop) override;
    Rect WindowRect(WindowId window) const override;
    Rect ClientRect(WindowId window) const override;
    std::vector<WindowId> TopLevelWindows() const override;
    WindowId ForegroundWindow() const override;
    WindowId DesktopWindow() const override;

private:
    // The grabber of Qt's current X connection, made on first use.
    CX11ScreenGrabber& Grabber() const;
    // Grab of an area inside the virtual screen.
    bool GrabInside(const Rect& inside, GrabPixel* out, std::size_t stride) const;

    GrabMethod m_grabMethod;
    // Made on the first grab, once Qt runs; reused (with its shared segment) by every grab.
    mutable std::unique_ptr<CX11ScreenGrabber> m_grabber;
    // What changed on the screen since a watched area was last read.
    mutable x11::CX11Damage m_damage;
};

}  // namespace nl
