#pragma once
#include "platform/IFolders.h"

namespace nl {

// The folders of the XDG base-directory rules, read from the process environment: the data
// home ($XDG_DATA_HOME, else ~/.local/share), the first data dir ($XDG_DATA_DIRS, else
// /usr/local/share), the documents folder ($XDG_DOCUMENTS_DIR, else the one user-dirs.dirs in
// the config home names, else ~/Documents, whether or not it exists yet) and the autostart
// folder under the config home ($XDG_CONFIG_HOME, else ~/.config).
class XdgFolders final : public IFolders {
public:
    std::string UserAppData() const override;
    std::string CommonAppData() const override;
    std::string Documents() const override;
    std::string Autostart() const override;
    std::string ExecutablePath() const override;
    std::optional<std::string> Environment(std::string_view name) const override;
    // The state home ($XDG_STATE_HOME, else ~/.local/state): files that outlive a run but are
    // no settings or documents. Empty without a home folder.
    std::string UserState() const;

private:
    std::string Home() const;
    // An absolute path from variable `name`, else `fallback` below the home folder.
    std::string FromVariable(std::string_view name, std::string_view fallback) const;
};

}  // namespace nl
