#include "platform/local/XdgFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace nl {
namespace {

constexpr char kDefaultDataDirs[] = "/usr/local/share/:/usr/share/";

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
    if (const auto value = Environment("XDG_DOCUMENTS_DIR");
        value && !value->empty() && (*value)[0] == '/')
        return StripTrailingSlashes(*value);
    const std::string home = Home();
    if (home.empty()) return {};
    const std::string documents = home + "/Documents";
    return IsFolder(documents) ? documents : home;
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
