#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/IDesktop.h"
#include "platform/IScreenSource.h"
#include "platform/wayland/sway_tree.h"

namespace nl {

// Whether a Wayland desktop copies the screen itself where the compositor lets it.
enum class ScreenCopyUse {
    kWhereOffered,
    kNever,  // always through the screenshot service (tests of that path)
};

namespace wayland {
class CWaylandScreen;
struct ScreenPlane;
}  // namespace wayland

// The desktop of a Wayland session, on the program's own connection to the compositor.
// Monitors come from the compositor (device pixels, laid out at their logical places); pixels
// from the wlroots screen copy protocol where the compositor offers it, else from the
// screenshot service given at construction. Wayland tells no client where the pointer is:
// CursorPos is what SetCursorPos last set, and following the pointer takes a frozen screen.
// Windows come from sway's IPC socket (SWAYSOCK) where sway runs; elsewhere only the desktop
// window exists.
class CWaylandDesktop final : public IDesktop {
public:
    // The window id that stands for the desktop (sway's root node, never a view).
    static constexpr WindowId kDesktopId = 1;

    // Connects to the compositor WAYLAND_DISPLAY names. Nothing, with the reason in `error`,
    // when it cannot be reached. `source` (may be null) gives the frames where the compositor
    // does not let programs copy the screen.
    static std::unique_ptr<CWaylandDesktop> Open(
        std::unique_ptr<IScreenSource> source, std::string* error,
        ScreenCopyUse screenCopy = ScreenCopyUse::kWhereOffered);
    ~CWaylandDesktop() override;

    // Whether the screen can be read at all: the screen copy protocol or a screenshot service.
    bool CanReadScreen() const;
    // Why the last pixel read failed; empty after a read that worked.
    const std::string& LastError() const { return m_lastError; }
    // The display figures Metrics gives: the user-interface font's, where the program knows
    // it (by default 96 dots per inch at the monitors' scale and the standard dialog units).
    void SetMetrics(const DisplayMetrics& metrics) { m_metrics = metrics; }

    Point CursorPos() const override { return m_cursor; }
    void SetCursorPos(Point pos) override { m_cursor = pos; }
    Rect VirtualScreen() const override;
    std::vector<MonitorInfo> Monitors() const override;
    DisplayMetrics Metrics() const override;
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    std::optional<LentPixels> GrabLent(const Rect& rect) const override;
    WindowId WindowFromPoint(Point pos) const override;
    WindowId ChildFromPoint(WindowId parent, Point pos) const override;
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override;
    WindowId Owner(WindowId) const override { return kNoWindow; }
    std::string WindowText(WindowId window) const override;
    std::string ClassName(WindowId window) const override;
    bool IsWindow(WindowId window) const override;
    bool IsWindowVisible(WindowId window) const override { return IsWindow(window); }
    bool IsMinimized(WindowId) const override { return false; }
    void Restore(WindowId window) override;
    Rect WindowRect(WindowId window) const override;
    Rect ClientRect(WindowId window) const override;
    std::vector<WindowId> TopLevelWindows() const override;
    WindowId ForegroundWindow() const override;
    WindowId DesktopWindow() const override { return kDesktopId; }

    bool FollowsPointer() const override { return false; }
    OwnWindowRules WindowRules() const override { return kCompositorPlacedWindows; }
    bool Freeze(std::string* error) override;
    void Thaw() override;
    bool IsFrozen() const override { return m_frozen; }

private:
    CWaylandDesktop(std::unique_ptr<wayland::CWaylandScreen> screen,
                    std::unique_ptr<IScreenSource> source, ScreenCopyUse screenCopy);
    // Whether pixels come from the compositor's screen copy (else from the source).
    bool CopiesScreen() const;
    // Makes the pixels of `area` readable: the frozen picture, or a fresh capture.
    bool ReadScreen(const Rect& area) const;
    std::vector<wayland::ScreenPlane> Planes() const;
    // The views, topmost first: the frozen list, or sway's present one (asked again once
    // the last answer is older than a moment).
    const std::vector<wayland::SwayView>& Views() const;
    const wayland::SwayView* FindView(WindowId window) const;
    std::vector<wayland::SwayView> AskViews() const;

    std::unique_ptr<wayland::CWaylandScreen> m_screen;
    std::unique_ptr<IScreenSource> m_source;
    ScreenCopyUse m_screenCopy;
    DisplayMetrics m_metrics;
    std::string m_swaySocket;
    Point m_cursor;
    bool m_frozen = false;
    std::vector<wayland::SwayView> m_frozenViews;
    mutable ScreenFrame m_sourceFrame;
    mutable bool m_haveSourceFrame = false;
    mutable std::vector<wayland::SwayView> m_views;
    mutable std::chrono::steady_clock::time_point m_viewsTime;
    mutable bool m_haveViews = false;
    mutable std::string m_lastError;
};

}  // namespace nl
