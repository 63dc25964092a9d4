#pragma once
#include <optional>

#include "base/geometry.h"
#include "picking/CRootUnderCursor.h"
#include "platform/IDesktop.h"

namespace nl {

// What decides whether the keyboard helpers (arrow keys move the cursor, Enter picks) take
// the keys pressed in the main window.
struct KeyboardHelperState {
    bool overlayVisible = false;  // a capture or measuring overlay is open and visible
    bool pickingStarted = false;  // general option bit 0x1
    bool mainIsForeground = false;
    // The main window and the top-level window that contains the window under the cursor.
    // Windows the main window owns (the ruler) are top-level windows of their own.
    WindowId mainWindow = kNoWindow;
    WindowId rootUnderCursor = kNoWindow;
};
// Available while an overlay is visible, or else while picking is started, the main window
// is the foreground window and the cursor is over some other program's window.
bool KeyboardHelpersAvailable(const KeyboardHelperState& state);
// The same, reading the cursor, the window under it and its root from `desktop`.
bool KeyboardHelpersAvailable(const IDesktop& desktop, bool overlayVisible, bool pickingStarted,
                              bool mainIsForeground, WindowId mainWindow);
// The same, with the root under the cursor from `under` (reused or looked up afresh, at
// `cursor` when known).
bool KeyboardHelpersAvailable(CRootUnderCursor& under, CRootUnderCursor::Lookup lookup,
                              bool overlayVisible, bool pickingStarted, bool mainIsForeground,
                              WindowId mainWindow, std::optional<Point> cursor = std::nullopt);

// The one-pixel move of the cursor commands (left, right, up, down); nothing for other ids.
std::optional<Point> CursorMoveDelta(int command);

}  // namespace nl
