#pragma once
#include <memory>

#include "platform/IDesktop.h"

namespace nl {

// Where a split desktop's pointer position comes from.
enum class PointerSource {
    kWindows,   // the windows' desktop tells it
    kReported,  // nobody tells it: it is what SetCursorPos last set, as on a Wayland desktop
};

// Where a split desktop's answers about other programs' windows come from while it is frozen.
enum class FrozenWindows {
    kWindows,  // the windows' desktop, frozen or not
    // The pixels' desktop where it knows windows (a compositor that lists its views, X11 ones
    // among them): its list from the moment of the freeze, as the picture shows them.
    kPixelsWhereKnown,
};

// A desktop whose windows come from one desktop and whose pixels from another: an X11
// program inside a Wayland session knows the X11 windows, but reads the screen through the
// compositor (the X server sees only black over Wayland windows).
class CSplitDesktop final : public IDesktop {
public:
    CSplitDesktop(std::unique_ptr<IDesktop> windows, std::unique_ptr<IDesktop> pixels,
                  PointerSource pointer, FrozenWindows frozen = FrozenWindows::kWindows);

    IDesktop& Windows() const { return *m_windows; }
    IDesktop& Pixels() const { return *m_pixels; }

    Point CursorPos() const override;
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override { return m_windows->VirtualScreen(); }
    std::vector<MonitorInfo> Monitors() const override { return m_windows->Monitors(); }
    DisplayMetrics Metrics() const override { return m_windows->Metrics(); }

    COLORREF PixelColor(Point pos) const override { return m_pixels->PixelColor(pos); }
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override {
        return m_pixels->Grab(rect, pixels, stride);
    }
    std::optional<LentPixels> GrabLent(const Rect& rect) const override {
        return m_pixels->GrabLent(rect);
    }
    bool FollowsPointer() const override;
    // The program's windows are on the windows' desktop.
    OwnWindowRules WindowRules() const override { return m_windows->WindowRules(); }
    bool Freeze(std::string* error) override { return m_pixels->Freeze(error); }
    void Thaw() override { m_pixels->Thaw(); }
    bool IsFrozen() const override { return m_pixels->IsFrozen(); }

    WindowId WindowFromPoint(Point pos) const override { return Listing().WindowFromPoint(pos); }
    WindowId ChildFromPoint(WindowId parent, Point pos) const override {
        return Listing().ChildFromPoint(parent, pos);
    }
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override {
        return Listing().Ancestor(window, kind);
    }
    WindowId Owner(WindowId window) const override { return Listing().Owner(window); }
    std::string WindowText(WindowId window) const override { return Listing().WindowText(window); }
    std::string ClassName(WindowId window) const override { return Listing().ClassName(window); }
    bool IsWindow(WindowId window) const override { return Listing().IsWindow(window); }
    bool IsWindowVisible(WindowId window) const override {
        return Listing().IsWindowVisible(window);
    }
    bool IsMinimized(WindowId window) const override { return Listing().IsMinimized(window); }
    bool IsTransparent(WindowId window) const override { return Listing().IsTransparent(window); }
    std::optional<CursorImage> CurrentCursor() const override { return m_windows->CurrentCursor(); }
    void Restore(WindowId window) override { m_windows->Restore(window); }
    bool SetStaysOnTop(WindowId window, StaysOnTop onTop) override {
        return m_windows->SetStaysOnTop(window, onTop);
    }
    Rect WindowRect(WindowId window) const override { return Listing().WindowRect(window); }
    Rect ClientRect(WindowId window) const override { return Listing().ClientRect(window); }
    std::vector<WindowId> TopLevelWindows() const override { return Listing().TopLevelWindows(); }
    WindowId ForegroundWindow() const override { return m_windows->ForegroundWindow(); }
    WindowId DesktopWindow() const override { return Listing().DesktopWindow(); }

private:
    // The desktop that answers about windows now.
    const IDesktop& Listing() const;

    std::unique_ptr<IDesktop> m_windows;
    std::unique_ptr<IDesktop> m_pixels;
    PointerSource m_pointer;
    FrozenWindows m_frozenWindows;
    Point m_reported;
};

}  // namespace nl
