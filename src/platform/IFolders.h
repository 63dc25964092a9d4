#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// The folders and the process facts the program places its files by. Paths are absolute,
// in the system's form, without a trailing separator. An empty path means the folder
// cannot be resolved.
class IFolders {
public:
    virtual ~IFolders() = default;

    // The per-user application-data folder (Windows: CSIDL_APPDATA; Linux: the XDG data
    // home, normally ~/.local/share).
    virtual std::string UserAppData() const = 0;
    // The all-users application-data folder (Windows: CSIDL_COMMON_APPDATA; Linux: the
    // first XDG data dir, normally /usr/local/share).
    virtual std::string CommonAppData() const = 0;
    // The user's documents folder.
    virtual std::string Documents() const = 0;
    // The folder of the user's programs started at log-in (Windows: the Startup folder;
    // Linux: the XDG autostart folder, normally ~/.config/autostart).
    virtual std::string Autostart() const = 0;
    // The full path of the running executable.
    virtual std::string ExecutablePath() const = 0;
    // The value of environment variable `name`, or nothing when it is not set. Paths given
    // by the user may name variables.
    virtual std::optional<std::string> Environment(std::string_view name) const = 0;
};

}  // namespace nl
