#pragma once
#include <cstdint>

#include "base/CSystemError.h"
#include "base/geometry.h"
#include "platform/IDesktop.h"

namespace nl {

class CRegion;

// The overlay's states: open without a gesture, a gesture holding the mouse, finished, and
// aborted or failed. The finish step runs once, on entering kFinished or kAborted.
enum class CapState : std::int32_t { kOpen = 0, kTracking = 1, kFinished = 2, kAborted = 3 };

// The modifier keys held during a mouse event.
struct KeyState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

enum class EraseBackground { kNo, kYes };
// Whether the main window comes back when the overlay ends: it was hidden for the overlay, or
// it stayed on screen.
enum class MainWindowAfter { kRestore, kLeave };

// How an overlay ended, for its window to carry out: with kRestore show the main window and
// its owned pop-ups (ruler, viewer, options) again and bring it to the front; then close the
// overlay window; then report `error` as a system error unless it is 0.
struct OverlayEnd {
    std::uint32_t error = 0;
    MainWindowAfter mainWindow = MainWindowAfter::kRestore;
    friend bool operator==(const OverlayEnd&, const OverlayEnd&) = default;
};

// The window that shows an overlay: a frameless, translucent window over the virtual screen.
// Points it reports are in its client coordinates (origin at the virtual screen's top-left).
class IOverlayWindow {
public:
    virtual ~IOverlayWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Paints what is pending now, before the caller goes on.
    virtual void RepaintNow() = 0;
    // Marks `region` for repainting; with kYes the veil is painted there first.
    virtual void Invalidate(const CRegion& region, EraseBackground erase) = 0;
    virtual void GrabMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // The overlay is over (called exactly once).
    virtual void End(const OverlayEnd& end) = 0;
};

// The desktop overlay shared by the capture and the gauge: turns the window's presses, moves,
// releases, keys and focus changes into gestures (start, track, update, finish) and ends the
// overlay once, by finishing or by aborting. Shapes live in the derived classes.
class CWndCap {
public:
    CWndCap(IOverlayWindow& window, MainWindowAfter mainWindow)
        : m_window(window), m_mainWindow(mainWindow) {}
    virtual ~CWndCap() = default;
    CWndCap(const CWndCap&) = delete;
    CWndCap& operator=(const CWndCap&) = delete;

    // The window under the screen point `p` that the overlays name and a window capture
    // takes: the topmost shown, not minimized, not transparent top-level window containing
    // it (not `overlay`), as its root; with Shift its direct child under the point, with
    // Ctrl its deepest descendant there. None when no window is there.
    static WindowId PickWindow(const IDesktop& desktop, Point p, WindowId overlay, KeyState keys);

    // The rectangle the overlay covers: the virtual screen, or the desktop window's rectangle
    // when that is empty. Hands it to the shape (SetDesktopRect) and returns it.
    Rect Prepare(const Rect& virtualScreen, const Rect& desktopWindow);
    // The window exists: shows it through the shape's show step.
    void Open() { Show(); }
    // The window could not be made: ends with `error`.
    void CreationFailed(std::uint32_t error);

    // Input of the overlay window, in client coordinates.
    void OnLeftDown(Point p, KeyState keys);
    void OnMouseMove(Point p, KeyState keys);
    void OnLeftUp(Point p, KeyState keys);
    void OnLeftDoubleClick(Point p, KeyState keys);
    void OnRightUp() { Abort(); }
    void OnCaptureLost() { Abort(); }
    void OnDeactivated() { Abort(); }
    // Any key but Shift, Ctrl and Alt aborts, unless the shape takes it (TakesKey). The keys
    // the application's keyboard helpers take while an overlay is open (the arrow keys moving
    // the cursor) never reach the overlay.
    void OnKeyDown(std::uint32_t virtualKey, KeyState keys = {});
    // Whether the shape takes the key itself now (then the application's keys leave it to the
    // overlay).
    bool WantsKey(std::uint32_t virtualKey, KeyState keys) const {
        return !m_ended && WouldTakeKey(virtualKey, keys);
    }

    // Ends the overlay with `error` unless it is finished or aborted already.
    void Abort(std::uint32_t error = kErrorRequestAborted);

    CapState State() const { return m_state; }
    std::uint32_t Error() const { return m_error; }
    // While open the overlay is the application's current overlay.
    bool IsOpen() const { return m_state == CapState::kOpen || m_state == CapState::kTracking; }
    bool HoldsMouse() const { return m_holdsMouse; }
    bool ClickedOnce() const { return m_clicked; }

protected:
    // The steps the shapes fill in; the base does nothing in any of them.
    virtual void Reset() {}
    virtual void SetDesktopRect(const Rect&) {}
    virtual void Show() {}
    virtual bool IsMultiClick() const { return false; }
    virtual void Start(Point, KeyState) {}
    virtual void Track(Point, KeyState) {}
    virtual void Update(Point, KeyState) {}
    virtual void Finish() {}
    virtual void AddPoint(Point) {}
    // A gesture completed: true when the shape took it and the overlay stays open for the
    // next one (its finish then runs only when the overlay ends).
    virtual bool TakeAndGoOn() { return false; }
    // A key the shape handles itself instead of aborting: whether it would, and doing it.
    virtual bool WouldTakeKey(std::uint32_t /*virtualKey*/, KeyState /*keys*/) const {
        return false;
    }
    virtual void TakeKey(std::uint32_t /*virtualKey*/, KeyState /*keys*/) {}

    IOverlayWindow& Window() { return m_window; }
    void SetState(CapState state) { m_state = state; }
    void SetError(std::uint32_t error) { m_error = error; }
    // Runs the finish step and ends the overlay, the first time only.
    void RunFinish();
    // Ends the overlay as finished without a gesture under way: the shape took its gestures
    // already (TakeAndGoOn).
    void Conclude();

private:
    void TakeMouse();
    void ReleaseMouse();
    // The last track and the finish of a gesture.
    void Complete(Point p, KeyState keys);

    IOverlayWindow& m_window;
    MainWindowAfter m_mainWindow;
    std::uint32_t m_error = 0;
    CapState m_state = CapState::kOpen;
    bool m_clicked = false;
    bool m_holdsMouse = false;
    bool m_ended = false;
};

}  // namespace nl
