#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nl {

class ISettingsStore;

// The recent-file list of the File menu: the most recent first, at most `maxCount` entries
// (0 to 16, from the preferences), no path twice (paths compare without regard to case only
// where the file system does). Kept in the settings store under the application's key, in
// the section "Recent File List" with the values "File1", "File2", ...
class CRecentFileList {
public:
    static constexpr int kMaxEntries = 16;
    static constexpr const char* kSection = "Recent File List";

    // `key` is the application's settings key ("Software\Company\App").
    CRecentFileList(ISettingsStore& store, std::string key, int maxCount);

    void Load();
    // Writes every entry and removes stale ones; returns 0 or a system error code.
    std::uint32_t Save() const;

    // Puts `path` first (moving it up when it is already listed) and drops the oldest beyond
    // the maximum.
    void Add(const std::string& path);
    void Remove(int index);
    int Size() const { return static_cast<int>(m_paths.size()); }
    const std::string& Path(int index) const { return m_paths.at(static_cast<std::size_t>(index)); }
    // The menu caption of entry `index`: "&1 name" with the path shortened to fit about 30
    // characters the way file menus do, keeping the file name whole.
    std::string MenuText(int index) const;

private:
    ISettingsStore& m_store;
    std::string m_key;
    int m_maxCount;
    std::vector<std::string> m_paths;
};

}  // namespace nl
