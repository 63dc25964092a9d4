#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "platform/IDesktop.h"
#include "platform/xcb/CXcbScreenGrabber.h"
#include "platform/xcb/IXConnection.h"

namespace nl {

// The desktop of an X server, read over an X connection without any toolkit: the pointer,
// the root window's area, the monitors (RandR, the primary first), the screen's pixels
// (shared memory where the server offers it), the cursor's picture (XFixes) and the windows
// of every program (titles, classes, owners, stacking, the active window). Positions are the
// server's device pixels. Without a connection the queries find nothing and grabs fail.
//
// A top-level window is the application's window (the one carrying WM_STATE) and covers its
// window manager's frame, as a window with a caption does elsewhere. The client window the
// manager reparented into the frame is, in turn, the top-level window's child where the point
// lies in none of its own child windows: ChildFromPoint names it with the window's number
// and kClientAreaTag, and its rectangle is the client window's own.
class CXcbDesktop final : public IDesktop {
public:
    static constexpr WindowId kClientAreaTag = WindowId{1} << 32;

    // `method`: how screen pixels are read; shared memory falls back by itself where the
    // server cannot share it. The connection outlives the desktop.
    explicit CXcbDesktop(const x11::IXConnection& connection,
                         GrabMethod method = GrabMethod::kSharedMemory);
    ~CXcbDesktop() override;

    // Whether the connection is there.
    bool Connected() const;
    // The method grabs take now (shared memory may have fallen back to GetImage).
    GrabMethod CurrentGrabMethod() const;
    // Whether the server's images are pixels the desktop reads (32-bit, red in the third
    // byte, least significant byte first); where not, grabs fail.
    bool ReadsRootImages() const;
    // Grab of `area`, which lies inside the root window and is not empty: no clipping.
    bool GrabOnScreen(const Rect& area, GrabPixel* out, std::size_t stride) const;
    // GrabLent of `area`, which lies inside the root window: no check.
    std::optional<LentPixels> LendOnScreen(const Rect& area) const;

    Point CursorPos() const override;
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override;
    std::vector<MonitorInfo> Monitors() const override;
    DisplayMetrics Metrics() const override { return {}; }
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    std::optional<LentPixels> GrabLent(const Rect& rect) const override;
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
    // The grabber of the connection's current server connection, made on first use.
    CXcbScreenGrabber& Grabber() const;

    const x11::IXConnection& m_connection;
    GrabMethod m_grabMethod;
    // Reused (with its shared segment) by every grab on the same server connection.
    mutable std::unique_ptr<CXcbScreenGrabber> m_grabber;
    // The last pointer answer: the root's child under the pointer comes with it, the first
    // step of a window lookup at the same point right after.
    struct PointerAnswer {
        Point pos;
        xcb_window_t child = XCB_NONE;
        std::chrono::steady_clock::time_point at;
    };
    mutable std::optional<PointerAnswer> m_pointer;
};

// Grabs `rect` of a virtual screen `screen` into `pixels` (rows `stride` pixels apart): the
// parts outside the screen come out black, `grabInside` reads the part on it (given the area
// and where its first pixel goes). False for an empty rectangle, a stride below its width, or
// a failed read.
bool GrabClipped(const Rect& screen, const Rect& rect, GrabPixel* pixels, std::size_t stride,
                 const std::function<bool(const Rect&, GrabPixel*)>& grabInside);

}  // namespace nl
