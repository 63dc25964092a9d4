#include "framework/CRecentFileList.h"

#include <algorithm>

#include "platform/ISettingsStore.h"

namespace nl {

namespace {

// The longest menu caption path before it is shortened.
constexpr std::size_t kMenuPathLength = 30;
constexpr std::string_view kEllipsis = "...";
constexpr char kSeparator = '/';

std::string SectionKey(const std::string& key) {
    std::string path = key;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (!path.empty()) path += '\\';
    return path + CRecentFileList::kSection;
}

std::string ValueName(int index) {
    return "File" + std::to_string(index + 1);
}

// Paths name the same file when they are equal; this file system tells case apart.
bool SamePath(const std::string& a, const std::string& b) {
    return a == b;
}

// `path` shortened to about `limit` characters: the first folder, "...", as many of the last
// folders as fit and the whole file name; only the file name when even that is too long.
std::string AbbreviatePath(const std::string& path, std::size_t limit) {
    if (path.size() <= limit) return path;
    const auto lastSlash = path.find_last_of(kSeparator);
    if (lastSlash == std::string::npos) return path;
    const std::string fileName = path.substr(lastSlash + 1);
    // The head: everything up to and including the first folder's separator.
    const auto headEnd = path.find(kSeparator, path[0] == kSeparator ? 1 : 0);
    if (headEnd == std::string::npos || headEnd >= lastSlash) return fileName;
    const std::string head = path.substr(0, headEnd + 1);
    // Take whole trailing folders while they fit.
    std::size_t tailStart = lastSlash;
    while (true) {
        const auto previous = path.find_last_of(kSeparator, tailStart - 1);
        if (previous == std::string::npos || previous <= headEnd) break;
        const std::size_t length = head.size() + kEllipsis.size() + (path.size() - previous);
        if (length > limit) break;
        tailStart = previous;
    }
    const std::string shortened = head + std::string(kEllipsis) + path.substr(tailStart);
    if (shortened.size() > limit && tailStart == lastSlash) return fileName;
    return shortened;
}

std::string EscapeAmpersands(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

}  // namespace

CRecentFileList::CRecentFileList(ISettingsStore& store, std::string key, int maxCount)
    : m_store(store), m_key(std::move(key)), m_maxCount(std::clamp(maxCount, 0, kMaxEntries)) {}

void CRecentFileList::Load() {
    m_paths.clear();
    const std::string section = SectionKey(m_key);
    for (int i = 0; i < m_maxCount; ++i) {
        const auto path = m_store.ReadString(SettingsScope::kUser, section, ValueName(i));
        if (!path || path->empty()) continue;
        const bool listed = std::any_of(m_paths.begin(), m_paths.end(),
                                        [&](const std::string& p) { return SamePath(p, *path); });
        if (!listed) m_paths.push_back(*path);
    }
}

std::uint32_t CRecentFileList::Save() const {
    const std::string section = SectionKey(m_key);
    // The section is written afresh so that entries beyond the list do not linger.
    if (m_store.KeyExists(SettingsScope::kUser, section))
        m_store.DeleteKey(SettingsScope::kUser, section);
    std::uint32_t result = 0;
    for (int i = 0; i < Size(); ++i) {
        const std::uint32_t code =
            m_store.WriteString(SettingsScope::kUser, section, ValueName(i), Path(i));
        if (code != 0 && result == 0) result = code;
    }
    return result;
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_maxCount == 0) return;
    m_paths.erase(std::remove_if(m_paths.begin(), m_paths.end(),
                                 [&](const std::string& p) { return SamePath(p, path); }),
                  m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (Size() > m_maxCount) m_paths.resize(static_cast<std::size_t>(m_maxCount));
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= Size()) return;
    m_paths.erase(m_paths.begin() + index);
}

std::string CRecentFileList::MenuText(int index) const {
    const std::string name = EscapeAmpersands(AbbreviatePath(Path(index), kMenuPathLength));
    const int number = index + 1;
    // Mnemonics 1 to 9, then 1&0; later entries have none.
    if (number < 10) return "&" + std::to_string(number) + " " + name;
    if (number == 10) return "1&0 " + name;
    return std::to_string(number) + " " + name;
}

}  // namespace nl
