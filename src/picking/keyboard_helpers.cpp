#include "picking/keyboard_helpers.h"

#include "base/command_ids.h"

namespace nl {

bool KeyboardHelpersAvailable(const KeyboardHelperState& state) {
    if (state.overlayVisible) return true;
    return state.pickingStarted && state.mainIsForeground && state.mainWindow != kNoWindow &&
           state.rootUnderCursor != state.mainWindow;
}

bool KeyboardHelpersAvailable(const IDesktop& desktop, bool overlayVisible, bool pickingStarted,
                              bool mainIsForeground, WindowId mainWindow) {
    CRootUnderCursor under(desktop);
    return KeyboardHelpersAvailable(under, CRootUnderCursor::Lookup::kFresh, overlayVisible,
                                    pickingStarted, mainIsForeground, mainWindow);
}

bool KeyboardHelpersAvailable(CRootUnderCursor& under, CRootUnderCursor::Lookup lookup,
                              bool overlayVisible, bool pickingStarted, bool mainIsForeground,
                              WindowId mainWindow, std::optional<Point> cursor) {
    KeyboardHelperState state;
    state.overlayVisible = overlayVisible;
    state.pickingStarted = pickingStarted;
    state.mainIsForeground = mainIsForeground;
    state.mainWindow = mainWindow;
    // The window under the cursor is looked up only when it can change the answer.
    if (!overlayVisible && pickingStarted && mainIsForeground)
        state.rootUnderCursor = under.Find(lookup, cursor);
    return KeyboardHelpersAvailable(state);
}

std::optional<Point> CursorMoveDelta(int command) {
    switch (command) {
        case cmd::kCursorLeft:
            return Point{-1, 0};
        case cmd::kCursorRight:
            return Point{1, 0};
        case cmd::kCursorUp:
            return Point{0, -1};
        case cmd::kCursorDown:
            return Point{0, 1};
        default:
            return std::nullopt;
    }
}

}  // namespace nl
