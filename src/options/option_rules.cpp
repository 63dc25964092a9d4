#include "options/option_rules.h"

#include <charconv>

#include "base/StringTable.h"

namespace nl {

std::vector<std::string> ExportTags() {
    std::vector<std::string> tags;
    for (std::size_t row = 0;; ++row) {
        std::string tag = LoadStringRow(kIdsExportTags, row);
        if (tag.empty()) break;
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::optional<int> ParseIntInRange(std::string_view text, int min, int max) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return static_cast<int>(value);
}

std::string IntRangeMessage(int min, int max) {
    return FormatString(kIdpParseIntRange, {std::to_string(min), std::to_string(max)});
}

}  // namespace nl
