#include "platform/local/XdgFolders.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace nl {
namespace {

constexpr char kDefaultDataDirs[] = "/usr/local/share/:/usr/share/";

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The path a line of user-dirs.dirs gives `name` (`NAME="$HOME/Folder"` or `NAME="/path"`,
// backslash escaping the next character inside quotes), or nothing when the line sets
// another name, is a comment, or holds a path that is neither absolute nor under $HOME.
std::optional<std::string> UserDirOf(std::string_view line, std::string_view name,
                                     const std::string& home) {
    constexpr std::string_view kBlanks = " \t";
    constexpr std::string_view kHome = "$HOME";
    const auto skipBlanks = [&] {
        line.remove_prefix(std::min(line.find_first_not_of(kBlanks), line.size()));
    };
    skipBlanks();
    if (!line.starts_with(name)) return std::nullopt;
    line.remove_prefix(name.size());
    skipBlanks();
    if (!line.starts_with('=')) return std::nullopt;
    line.remove_prefix(1);
    skipBlanks();
    std::string value;
    if (line.starts_with('"')) {
        line.remove_prefix(1);
        for (std::size_t i = 0; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            value += line[i];
        }
    } else {
        value = line.substr(0, line.find_first_of(" \t#"));
    }
    if (value.starts_with(kHome) && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
        if (home.empty()) return std::nullopt;
        value.replace(0, kHome.size(), home);
    }
    if (value.empty() || value[0] != '/') return std::nullopt;
    return StripTrailingSlashes(value);
}

}  // namespace

std::optional<std::string> XdgFolders::Environment(std::string_view name) const {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::string XdgFolders::Home() const {
    const auto home = Environment("HOME");
    if (!home || home->empty() || (*home)[0] != '/') return {};
    return StripTrailingSlashes(*home);
}

std::string XdgFolders::FromVariable(std::string_view name, std::string_view fallback) const {
    // The base-directory rules ignore relative paths.
    if (const auto value = Environment(name); value && !value->empty() && (*value)[0] == '/')
        return StripTrailingSlashes(*value);
    const std::string home = Home();
    if (home.empty()) return {};
    return home + "/" + std::string(fallback);
}

std::string XdgFolders::UserAppData() const {
    return FromVariable("XDG_DATA_HOME", ".local/share");
}

std::string XdgFolders::UserState() const {
    return FromVariable("XDG_STATE_HOME", ".local/state");
}

std::string XdgFolders::CommonAppData() const {
    const auto dirs = Environment("XDG_DATA_DIRS");
    const std::string list = dirs && !dirs->empty() ? *dirs : kDefaultDataDirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string entry = list.substr(start, end - start);
        if (!entry.empty() && entry[0] == '/') return StripTrailingSlashes(entry);
        start = end + 1;
    }
    return {};
}

std::string XdgFolders::Documents() const {
    constexpr std::string_view kName = "XDG_DOCUMENTS_DIR";
    if (const auto value = Environment(kName); value && !value->empty() && (*value)[0] == '/')
        return StripTrailingSlashes(*value);
    const std::string home = Home();
    // The folders the user (or xdg-user-dirs-update) chose, in the config home; the last
    // line that names the folder counts, as when the shell reads the file.
    std::optional<std::string> chosen;
    if (const std::string config = FromVariable("XDG_CONFIG_HOME", ".config"); !config.empty()) {
        std::ifstream file(config + "/user-dirs.dirs");
        for (std::string line; std::getline(file, line);)
            if (auto path = UserDirOf(line, kName, home)) chosen = std::move(path);
    }
    if (chosen) return *chosen;
    // The usual name; the callers create it when it is missing.
    return home.empty() ? std::string() : home + "/Documents";
}

std::string XdgFolders::Autostart() const {
    const std::string config = FromVariable("XDG_CONFIG_HOME", ".config");
    return config.empty() ? std::string() : config + "/autostart";
}

std::string XdgFolders::ExecutablePath() const {
    // Read once: the program's file stays the same for the process's life (a file replaced
    // on disk would read back with " (deleted)" after it), and menus ask for it at idle time.
    static const std::string path = [] {
        std::string buffer(4096, '\0');
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return std::string();
        buffer.resize(static_cast<std::size_t>(n));
        return buffer;
    }();
    return path;
}

}  // namespace nl
