#include "cli/command_support.h"

#include <charconv>

#include "base/text.h"

namespace nl::cli {

std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t min,
                                             std::int64_t max) {
    std::int64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

int ChooseRow(const std::vector<std::string>& names, std::string_view query,
              std::string_view what) {
    const int count = static_cast<int>(names.size());
    for (int row = 0; row < count; ++row) {
        if (names[static_cast<size_t>(row)] == query) return row;
    }
    if (const auto index = ParseWholeNumber(query, 0, count - 1)) return static_cast<int>(*index);
    std::vector<std::string> matches;
    int match = -1;
    for (int row = 0; row < count; ++row) {
        if (EqualsNoCase(names[static_cast<size_t>(row)], query)) {
            matches.push_back(names[static_cast<size_t>(row)]);
            match = row;
        }
    }
    if (matches.size() == 1) return match;
    const std::string accepted =
        "expected one of " + JoinNames(names) + " or an index 0-" + std::to_string(count - 1);
    if (matches.size() > 1) {
        throw UsageError(std::string(what) + " \"" + std::string(query) + "\" is ambiguous (" +
                         JoinNames(matches) + "): " + accepted);
    }
    throw UsageError("unknown " + std::string(what) + " \"" + std::string(query) +
                     "\": " + accepted);
}

}  // namespace nl::cli
