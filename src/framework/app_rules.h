#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
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
