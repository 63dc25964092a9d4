#include "framework/CSideSettings.h"

#include <algorithm>
#include <filesystem>

namespace nl {
namespace {

constexpr std::string_view kHeading =
    "# NerimLens: settings kept beside the data file of the same name.\n";
constexpr std::string_view kSideExtension = ".ini";

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool IsKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), IsKeyChar);
}

}  // namespace

std::string CSideSettings::PathFor(const std::string& dataFile) {
    std::filesystem::path side(dataFile);
    side.replace_extension(kSideExtension);
    // A data file that already has the side file's extension keeps its whole name.
    if (side.string() == dataFile) return dataFile + std::string(kSideExtension);
    return side.string();
}

CSideSettings CSideSettings::FromText(std::string_view text) {
    CSideSettings settings;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (line.starts_with('#') || equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        if (IsKey(key)) settings.m_values[std::string(key)] = std::string(line.substr(equals + 1));
    }
    return settings;
}

std::string CSideSettings::ToText() const {
    std::string text(kHeading);
    for (const auto& [key, value] : m_values) text += key + "=" + value + "\n";
    return text;
}

std::optional<std::string> CSideSettings::Get(std::string_view key) const {
    const auto it = m_values.find(key);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

bool CSideSettings::Set(std::string_view key, std::optional<std::string> value) {
    if (!IsKey(key)) return false;
    const auto it = m_values.find(key);
    if (!value) {
        if (it == m_values.end()) return false;
        m_values.erase(it);
        return true;
    }
    if (value->find_first_of("\r\n") != std::string::npos) return false;
    if (it != m_values.end() && it->second == *value) return false;
    m_values[std::string(key)] = std::move(*value);
    return true;
}

}  // namespace nl
