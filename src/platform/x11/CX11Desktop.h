#pragma once
#include <chrono>
#include <memory>
#include <optional>

#include "platform/CWindowFacts.h"
#include "platform/IDesktop.h"
#include "platform/x11/CRenderZoom.h"
#include "platform/x11/x11_damage.h"
#include "platform/xcb/CXcbDesktop.h"

namespace nl {

// The real desktop on X11 for the program: the X server's desktop (CXcbDesktop) on the
// connection Qt draws on, with Qt's screens for the monitors and Qt's font for the dialog
// units. Every position and rectangle is in the X server's device pixels, whatever scale Qt
// lays its windows out at. Without a QGuiApplication it works on the connection
// x11::OpenOwnConnection opened, as CXcbDesktop does; without X11 the window queries find
// nothing.
class CX11Desktop final : public IDesktop {
public:
    // `method`: how screen pixels are read; shared memory falls back by itself where the
    // server cannot share it.
    explicit CX11Desktop(GrabMethod method = GrabMethod::kSharedMemory);
    ~CX11Desktop() override;

    // The method grabs take now (shared memory may have fallen back to GetImage).
    GrabMethod CurrentGrabMethod() const { return m_xcb.CurrentGrabMethod(); }
    // How the program's windows are treated: the X server's rules unless Qt shows them
    // elsewhere (this desktop then stands in for one that could not be opened).
    void SetWindowRules(const OwnWindowRules& rules) { m_windowRules = rules; }
    // The connection the pointer and the windows are asked on where changes are tracked.
    const x11::IXConnection& QueryConnection() const { return m_damage.Queries(); }

    Point CursorPos() const override;
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override;
    std::vector<MonitorInfo> Monitors() const override;
    DisplayMetrics Metrics() const override;
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    std::optional<LentPixels> GrabLent(const Rect& rect) const override;
    std::uint64_t ChangeCount(const Rect& area) const override {
        return m_damage.ChangeCount(area);
    }
    WindowId WindowFromPoint(Point pos) const override;
    WindowId ChildFromPoint(WindowId parent, Point pos) const override {
        return Reader().ChildFromPoint(parent, pos);
    }
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override;
    WindowId Owner(WindowId window) const override;
    std::string WindowText(WindowId window) const override;
    std::string ClassName(WindowId window) const override;
    bool IsWindow(WindowId window) const override { return Reader().IsWindow(window); }
    bool IsWindowVisible(WindowId window) const override {
        return Reader().IsWindowVisible(window);
    }
    bool IsMinimized(WindowId window) const override { return Reader().IsMinimized(window); }
    std::optional<CursorImage> CurrentCursor() const override { return m_xcb.CurrentCursor(); }
    void Restore(WindowId window) override { m_xcb.Restore(window); }
    bool SetStaysOnTop(WindowId window, StaysOnTop onTop) override {
        return m_xcb.SetStaysOnTop(window, onTop);
    }
    Rect WindowRect(WindowId window) const override { return Reader().WindowRect(window); }
    Rect ClientRect(WindowId window) const override;
    std::vector<WindowId> TopLevelWindows() const override { return Reader().TopLevelWindows(); }
    WindowId ForegroundWindow() const override { return Reader().ForegroundWindow(); }
    WindowId DesktopWindow() const override { return m_xcb.DesktopWindow(); }
    // RENDER on the tracking connection, where the server has it (NL_NO_SERVER_ZOOM=1 turns
    // it off, and the widgets grab and scale the frames themselves).
    IServerZoom* ServerZoom() const override;
    OwnWindowRules WindowRules() const override { return m_windowRules; }

private:
    // The desktop that answers questions about the pointer and the windows: the tracking
    // connection's where it is open, Qt's otherwise.
    const CXcbDesktop& Reader() const {
        return m_damage.Queries().Connection() ? m_queries : m_xcb;
    }
    // Grab of an area inside the virtual screen: from the X server, or through Qt where the
    // server's images are not pixels the grabber reads.
    bool GrabInside(const Rect& inside, GrabPixel* out, std::size_t stride) const;

    // The X server's desktop on Qt's current connection.
    CXcbDesktop m_xcb;
    // What changed on the screen since a watched area was last read.
    mutable x11::CX11Damage m_damage;
    // Whether window facts are kept between questions: where window changes are tracked.
    bool KeepsFacts() const { return m_damage.Queries().Connection() != nullptr; }
    // The X server's desktop on the tracking connection: window questions, the pointer, the
    // live pixel and the magnifier's lent source. Captures stay on Qt's connection, ordered
    // after the program's own window changes (an overlay hidden before the copy).
    CXcbDesktop m_queries;
    mutable std::unique_ptr<CRenderZoom> m_renderZoom;
    OwnWindowRules m_windowRules = kProgramPlacedWindows;
    // NL_NO_SERVER_ZOOM=1, read once: the zoom asks for the drawer at every tick.
    const bool m_serverZoomOff;
    // The last window found under a point: the live sample and the keyboard helpers ask for
    // the same point one after the other. Kept a moment, while no window changes.
    struct PointLookup {
        Point point;
        std::uint64_t windows = 0;
        std::chrono::steady_clock::time_point at;
        WindowId window = kNoWindow;
    };
    mutable std::optional<PointLookup> m_lastLookup;
    // What the tracking connection answered about windows, until a window changes.
    mutable CWindowFacts m_facts{
        [this] { return m_damage.ChangeCount({}); },
        [this](WindowId w) { m_damage.Watch(static_cast<xcb_window_t>(w)); }};
};

}  // namespace nl
