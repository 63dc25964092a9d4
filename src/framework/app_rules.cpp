#include "framework/app_rules.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "framework/CAppPrefs.h"
#include "framework/CCmdTarget.h"
#include "framework/CPrefs.h"

namespace nl {

namespace {

constexpr std::string_view kUpgradeSwitch = "/upgrade";
constexpr std::string_view kUninstallSwitch = "/uninstall";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

MaintenanceSwitch ParseMaintenanceSwitch(std::span<const std::string> arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += argument;
    }
    const std::string_view whole = Trim(line);
    if (EqualsNoCase(whole, kUpgradeSwitch)) return MaintenanceSwitch::kUpgrade;
    if (EqualsNoCase(whole, kUninstallSwitch)) return MaintenanceSwitch::kUninstall;
    return MaintenanceSwitch::kNone;
}

std::uint32_t RunMaintenanceSwitch(MaintenanceSwitch which, CPrefs& prefs) {
    if (which == MaintenanceSwitch::kNone) return 0;
    std::uint32_t result = prefs.RemoveStartupShortcut();
    if (which != MaintenanceSwitch::kUninstall) return result;
    ISettingsStore* store = prefs.Store();
    if (store == nullptr || prefs.Key().empty()) return result;
    if (store->KeyExists(SettingsScope::kUser, prefs.Key())) {
        const std::uint32_t code = store->DeleteKey(SettingsScope::kUser, prefs.Key());
        if (result == 0) result = code;
    }
    // The machine's key belongs to the installer; it goes only where this user may delete it.
    if (store->KeyExists(SettingsScope::kMachine, prefs.Key()))
        store->DeleteKey(SettingsScope::kMachine, prefs.Key());
    return result;
}

std::string UpdaterPath(std::string_view executablePath) {
    const auto slash = executablePath.find_last_of('/');
    if (slash == std::string_view::npos) return kUpdaterFileName;
    return std::string(executablePath.substr(0, slash + 1)) + kUpdaterFileName;
}

std::vector<std::string> UpdaterArguments(UpdaterRequest request, WindowId owner) {
    switch (request) {
        case UpdaterRequest::kCheckNow:
            return {kUpdaterCheckNow};
        case UpdaterRequest::kSilent:
            return {kUpdaterSilent};
        case UpdaterRequest::kConfigure:
            return {kUpdaterConfigure, std::to_string(owner)};
    }
    return {};
}

int UpdaterTimerInterval(int ticksSoFar) {
    return ticksSoFar <= 0 ? kUpdaterFirstDelayMs : kUpdaterIntervalMs;
}

void UpdateUpdaterCommand(CCmdUI& ui, UpdaterPresence updater) {
    if (updater == UpdaterPresence::kInstalled) return;
    ui.Enable(false);
    ui.SetToolTip(LoadString(kIdsUpdatesFromPackages));
}

bool ReopensLastDocument(StartDocument named, std::uint32_t generalOptions,
                         std::string_view mostRecentPath) {
    constexpr std::uint32_t kReopen =
        AppSettings::kGeneralKeepDocument | AppSettings::kGeneralReopenDocument;
    return named == StartDocument::kNoneNamed && (generalOptions & kReopen) == kReopen &&
           !mostRecentPath.empty();
}

}  // namespace nl
