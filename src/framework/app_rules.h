#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "framework/CRootUnderCursor.h"
#include "platform/IDesktop.h"

namespace nl {

class CCmdUI;
class CPrefs;

// The maintenance switches an installer starts the program with. The whole command line
// (the arguments after the program's name, joined by spaces) is compared without regard to
// case; anything else is an ordinary start.
enum class MaintenanceSwitch { kNone, kUpgrade, kUninstall };
MaintenanceSwitch ParseMaintenanceSwitch(std::span<const std::string> arguments);

// Runs a maintenance switch on preferences that have their settings key: both switches
// remove the start-up entry; uninstall also deletes the application's settings key of the
// user and, where it can be deleted, of the machine. Returns 0 or the first system error
// met while removing the user's traces (a machine key that cannot be deleted is left alone).
std::uint32_t RunMaintenanceSwitch(MaintenanceSwitch which, CPrefs& prefs);

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

// The updater: a separate program beside the executable, started detached.
inline constexpr const char* kUpdaterFileName = "NerimUpdaterAI";
inline constexpr const char* kUpdaterCheckNow = "/checknow";
inline constexpr const char* kUpdaterSilent = "/silent";
inline constexpr const char* kUpdaterConfigure = "/configure";
// The silent check runs this long after start-up, then at this interval.
inline constexpr int kUpdaterFirstDelayMs = 5000;
inline constexpr int kUpdaterIntervalMs = 21600000;  // 6 hours

enum class UpdaterRequest { kCheckNow, kSilent, kConfigure };
// The updater's path: kUpdaterFileName in the folder of `executablePath`.
std::string UpdaterPath(std::string_view executablePath);
// The updater's arguments; kConfigure names the window (in decimal) the updater's settings
// window should belong to.
std::vector<std::string> UpdaterArguments(UpdaterRequest request, WindowId owner = kNoWindow);
// The delay before the updater timer's next tick after `ticksSoFar` ticks.
int UpdaterTimerInterval(int ticksSoFar);
enum class UpdaterPresence { kMissing, kInstalled };
// The state of Check for Updates and Configure Updates: without an updater beside the
// program both are disabled, their tool tip saying where updates come from instead.
void UpdateUpdaterCommand(CCmdUI& ui, UpdaterPresence updater);

// Whether the start-up reopens the most recent document: only when the options ask for it,
// there is one, and no document was named on the command line (one that failed to open
// leaves a new document, not some other one).
enum class StartDocument { kNoneNamed, kNamed };
bool ReopensLastDocument(StartDocument named, std::uint32_t generalOptions,
                         std::string_view mostRecentPath);

}  // namespace nl
