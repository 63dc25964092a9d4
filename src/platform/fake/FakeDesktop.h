#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/IDesktop.h"

namespace nl {

// Whether the desktop tells where the pointer is over every window (an X11 session) or only
// lets the program set the cursor position over a frozen screen (a Wayland session).
enum class PointerTracking { kFollows, kFrozenOnly };

// An in-memory desktop: a virtual screen of pixels, monitors, a cursor and a tree of windows
// with titles, classes, owners and stacking order. Tests build the scene, then look at it
// through IDesktop as the program does.
class FakeDesktop final : public IDesktop {
public:
    // What a test gives for a new window. `rect` is in screen coordinates.
    struct WindowDesc {
        std::string title;
        std::string className;
        Rect rect;
        WindowId parent = kNoWindow;  // none: a top-level window
        WindowId owner = kNoWindow;   // top-level windows only
        bool visible = true;
        bool minimized = false;
        Rect client;               // the window's own area; empty: the same as `rect`
        bool transparent = false;  // the mouse passes through it
    };
    // The description of a window with the fields a scene sets most.
    static WindowDesc Describe(std::string title, std::string className, Rect rect,
                               WindowId parent = kNoWindow, WindowId owner = kNoWindow,
                               bool visible = true) {
        WindowDesc desc;
        desc.title = std::move(title);
        desc.className = std::move(className);
        desc.rect = rect;
        desc.parent = parent;
        desc.owner = owner;
        desc.visible = visible;
        return desc;
    }

    // One monitor covering `screen` (a black screen), 96 dots per inch.
    explicit FakeDesktop(Rect screen = {0, 0, 1024, 768});

    // --- scene building ---
    // Replaces the monitors; the virtual screen (and its pixels, all black) becomes their
    // union. An empty list leaves one monitor covering the current virtual screen.
    void SetMonitors(std::vector<MonitorInfo> monitors);
    void SetMetrics(const DisplayMetrics& metrics) { m_metrics = metrics; }
    void SetPixel(Point pos, COLORREF color);
    // Whether a change of the pixels moves the change count on (a desktop that missed a
    // change keeps it: tests see that callers trusted the count).
    enum class ChangeReport { kReported, kMissed };
    void FillRect(const Rect& rect, COLORREF color, ChangeReport report = ChangeReport::kReported);
    // Makes the screen unreadable (Grab fails, PixelColor gives kNoColor) or readable again.
    void SetScreenReadable(bool readable) {
        m_readable = readable;
        ++m_changes;
    }
    // Adds a window on top of its siblings and returns its id (ids are never reused).
    WindowId AddWindow(const WindowDesc& desc);
    void DestroyWindow(WindowId window);  // with its children
    void SetVisible(WindowId window, bool visible);
    void SetMinimized(WindowId window, bool minimized);
    void SetTitle(WindowId window, const std::string& title);
    // Gives a top-level window another owner (kNoWindow: none).
    void SetOwner(WindowId window, WindowId owner);
    void BringToTop(WindowId window);
    void SetForeground(WindowId window) {
        m_foreground = window;
        ++m_changes;
    }
    // The window that WindowFromPoint gives where no other window is (none at first).
    void SetDesktopWindow(WindowId window) { m_desktop = window; }
    // The cursor's picture (its position is left to the cursor); nothing: the desktop gives
    // no picture out, as before a test sets one.
    void SetCursorImage(std::optional<CursorImage> image) { m_cursorImage = std::move(image); }
    // The number of Restore calls so far.
    int RestoreCount() const { return m_restores; }
    // Behaves as a desktop that does not follow the pointer (kFrozenOnly) or as one that does.
    // The pixels can be frozen either way; scene building keeps changing the live pixels.
    void SetPointerTracking(PointerTracking tracking) { m_tracking = tracking; }
    // Behaves as a desktop whose window system treats the program's windows by `rules` (the
    // X server's by default).
    void SetWindowRules(const OwnWindowRules& rules) { m_windowRules = rules; }
    // How often Freeze succeeded.
    int FreezeCount() const { return m_freezes; }

    // --- IDesktop ---
    Point CursorPos() const override { return m_cursor; }
    void SetCursorPos(Point pos) override;
    Rect VirtualScreen() const override { return m_screen; }
    std::vector<MonitorInfo> Monitors() const override { return m_monitors; }
    DisplayMetrics Metrics() const override { return m_metrics; }
    COLORREF PixelColor(Point pos) const override;
    bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const override;
    // Changes are tracked: every change of the scene gives a new count, for every area.
    std::uint64_t ChangeCount(const Rect&) const override { return m_changes; }
    WindowId WindowFromPoint(Point pos) const override;
    WindowId ChildFromPoint(WindowId parent, Point pos) const override;
    WindowId Ancestor(WindowId window, WindowAncestor kind) const override;
    WindowId Owner(WindowId window) const override;
    std::string WindowText(WindowId window) const override;
    std::string ClassName(WindowId window) const override;
    bool IsWindow(WindowId window) const override { return m_windows.contains(window); }
    bool IsWindowVisible(WindowId window) const override;
    bool IsMinimized(WindowId window) const override;
    bool IsTransparent(WindowId window) const override;
    std::optional<CursorImage> CurrentCursor() const override;
    void Restore(WindowId window) override;
    Rect WindowRect(WindowId window) const override;
    Rect ClientRect(WindowId window) const override;
    std::vector<WindowId> TopLevelWindows() const override;
    WindowId ForegroundWindow() const override { return m_foreground; }
    WindowId DesktopWindow() const override { return m_desktop; }
    bool FollowsPointer() const override { return m_tracking == PointerTracking::kFollows; }
    OwnWindowRules WindowRules() const override { return m_windowRules; }
    bool Freeze(std::string* error) override;
    void Thaw() override;
    bool IsFrozen() const override { return m_isFrozen; }

private:
    // The pixels that reads see: the frozen picture while there is one.
    const std::vector<COLORREF>& Shown() const { return m_isFrozen ? m_frozen : m_pixels; }

    struct Window {
        WindowDesc desc;
        std::vector<WindowId> children;  // topmost first
    };
    const Window* Find(WindowId window) const;
    std::vector<WindowId>& Siblings(WindowId window);
    // The topmost visible, not transparent window of `candidates` (topmost first) containing
    // `pos`, or none.
    WindowId Hit(const std::vector<WindowId>& candidates, Point pos) const;

    Rect m_screen;
    std::vector<MonitorInfo> m_monitors;
    std::vector<COLORREF> m_pixels;  // m_screen's pixels, row by row
    std::vector<COLORREF> m_frozen;  // the frozen picture of m_pixels
    bool m_isFrozen = false;
    PointerTracking m_tracking = PointerTracking::kFollows;
    OwnWindowRules m_windowRules = kProgramPlacedWindows;
    int m_freezes = 0;
    DisplayMetrics m_metrics;
    Point m_cursor;
    std::optional<CursorImage> m_cursorImage;
    bool m_readable = true;
    std::map<WindowId, Window> m_windows;
    std::vector<WindowId> m_topLevel;  // topmost first
    WindowId m_nextId = 0x1000;
    WindowId m_foreground = kNoWindow;
    WindowId m_desktop = kNoWindow;
    int m_restores = 0;
    std::uint64_t m_changes = 0;
};

}  // namespace nl
