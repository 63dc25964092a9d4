#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/cursor_image.h"
#include "base/geometry.h"
#include "base/monitor_layout.h"
#include "model/DisplayMetrics.h"
#include "model/color_math.h"
#include "platform/own_window_rules.h"

namespace nl {

// A window of the desktop: an X11 window id here, a window handle on Windows; 0 is none.
using WindowId = std::uint64_t;
inline constexpr WindowId kNoWindow = 0;

// Whether a window stays above the others.
enum class StaysOnTop { kOff, kOn };

// Which relative GetAncestor returns.
enum class WindowAncestor {
    kParent,     // the parent window (the desktop window for a top-level window)
    kRoot,       // the top-level window that contains the window (the window itself at top)
    kRootOwner,  // the top-level window, then its owners followed to the end of the chain
};

// A pixel of a grabbed image: 0xFFRRGGBB (blue in the low byte, as in a 32-bit device
// independent bitmap and Qt's RGB32 images; the top byte is always 0xFF).
using GrabPixel = std::uint32_t;

// Screen pixels lent by the desktop without a copy: rows `stride` pixels apart, each pixel
// 0x??RRGGBB (the top byte is undefined). Valid until the desktop's next grab or pixel read.
struct LentPixels {
    const GrabPixel* pixels = nullptr;
    std::size_t stride = 0;
};

class IServerZoom;

// The screen, the mouse cursor and the windows of the desktop. All positions are in
// virtual-screen device pixels.
class IDesktop {
public:
    virtual ~IDesktop() = default;

    // The mouse cursor.
    virtual Point CursorPos() const = 0;
    virtual void SetCursorPos(Point pos) = 0;

    // The rectangle that holds every monitor.
    virtual Rect VirtualScreen() const = 0;
    // Every monitor with its work area, the primary monitor first.
    virtual std::vector<MonitorInfo> Monitors() const = 0;
    // The display's dots per inch and the system's dialog base units.
    virtual DisplayMetrics Metrics() const = 0;

    // The color of the screen pixel at `pos`; kNoColor outside the virtual screen.
    virtual COLORREF PixelColor(Point pos) const = 0;
    // Copies the screen pixels of `rect` into `pixels`, row by row, `stride` pixels from one
    // row's start to the next (stride >= rect.Width()). Parts of `rect` outside the virtual
    // screen come out black. Returns false (leaving `pixels` unspecified) when the screen
    // cannot be read or `rect` is empty.
    virtual bool Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const = 0;
    // The screen pixels of `rect` where the desktop can lend them without copying (a shared
    // memory grab of an area inside the virtual screen); nothing otherwise, and the caller
    // uses Grab.
    virtual std::optional<LentPixels> GrabLent(const Rect& /*rect*/) const { return std::nullopt; }
    // A number that comes back the same from one call to the next with the same `area` only
    // while nothing there changed: its pixels, or the top-level windows (mapped, unmapped,
    // moved, restacked, focused). An empty area watches the windows alone. Read it before
    // reading the pixels or windows it vouches for. Desktops that do not track changes give a
    // new number on every call, so that their callers always read again.
    virtual std::uint64_t ChangeCount(const Rect& /*area*/) const { return ++m_untracked; }

    // The deepest visible window at `pos` (the desktop window where no other window is).
    virtual WindowId WindowFromPoint(Point pos) const = 0;
    // The visible direct child of `parent` at the screen point `pos`, or none.
    virtual WindowId ChildFromPoint(WindowId parent, Point pos) const = 0;
    virtual WindowId Ancestor(WindowId window, WindowAncestor kind) const = 0;
    // The window that owns a top-level window (a dialog's main window), or none.
    virtual WindowId Owner(WindowId window) const = 0;
    // The window's title (UTF-8), empty when it has none.
    virtual std::string WindowText(WindowId window) const = 0;
    // The window's class name, empty when it has none.
    virtual std::string ClassName(WindowId window) const = 0;
    // Whether `window` still exists.
    virtual bool IsWindow(WindowId window) const = 0;
    // Whether the window is shown (a minimized window counts as shown).
    virtual bool IsWindowVisible(WindowId window) const = 0;
    virtual bool IsMinimized(WindowId window) const = 0;
    // Whether the mouse passes through the window to what lies below it (an input-transparent
    // window); pointing at windows skips such windows. None is on a desktop without them.
    virtual bool IsTransparent(WindowId) const { return false; }
    // The mouse cursor's current picture and hot spot; nothing where the system does not
    // give it out (a capture then leaves the cursor out).
    virtual std::optional<CursorImage> CurrentCursor() const { return std::nullopt; }
    // Restores a minimized window and activates it.
    virtual void Restore(WindowId window) = 0;
    // Keeps one of the program's own top-level windows above the others or lets it go, on the
    // window as it is (no new window). False where the desktop cannot do that; the caller
    // then changes the window its own way.
    virtual bool SetStaysOnTop(WindowId, StaysOnTop) { return false; }
    // The window's outer rectangle (with its frame) in screen coordinates.
    virtual Rect WindowRect(WindowId window) const = 0;
    // The window's own area (without a frame) in screen coordinates: its top-left corner is
    // the origin of the window's client coordinates.
    virtual Rect ClientRect(WindowId window) const = 0;
    // The top-level windows, topmost first.
    virtual std::vector<WindowId> TopLevelWindows() const = 0;
    // The window the user works in, or none.
    virtual WindowId ForegroundWindow() const = 0;
    // The window that forms the desktop background.
    virtual WindowId DesktopWindow() const = 0;

    // Whether the desktop tells where the pointer is over every program's windows. Where it
    // does not (a Wayland session), following the pointer takes a frozen screen: Freeze()
    // takes a still picture of every monitor, the program shows it full screen and reports
    // the pointer's position over it through SetCursorPos.
    virtual bool FollowsPointer() const { return true; }
    // What the window system that shows the program's own windows lets it do with them; the
    // X server's rules unless the desktop knows better.
    virtual OwnWindowRules WindowRules() const { return kProgramPlacedWindows; }
    // Takes a still picture of every monitor that PixelColor, Grab and GrabLent read until
    // Thaw(); CursorPos is then the position SetCursorPos last set. False, with the reason in
    // `error` when given, where the screen cannot be read. Desktops that follow the pointer
    // may freeze too (pixels only; the cursor stays live).
    virtual bool Freeze(std::string* error) {
        if (error) *error = "The screen cannot be frozen on this desktop.";
        return false;
    }
    // Back to live pixels (nothing where the screen is not frozen).
    virtual void Thaw() {}
    virtual bool IsFrozen() const { return false; }

    // Where the display server can draw enlarged screen pixels into the program's windows
    // itself (IServerZoom), the drawer; null elsewhere. It shows live pixels: not for a
    // frozen screen.
    virtual IServerZoom* ServerZoom() const { return nullptr; }

private:
    mutable std::uint64_t m_untracked = 0;
};

}  // namespace nl
