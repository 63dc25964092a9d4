#include "base/StringTable.h"

#include <algorithm>
#include <cctype>

#include "base/string_entries.h"

namespace nl {

std::optional<std::string_view> FindString(std::uint32_t id) {
    const auto entries = StringEntries();
    const auto it =
        std::lower_bound(entries.begin(), entries.end(), id,
                         [](const StringEntry& e, std::uint32_t v) { return e.id < v; });
    if (it == entries.end() || it->id != id) return std::nullopt;
    return it->text;
}

std::string LoadString(std::uint32_t id) {
    const auto text = FindString(id);
    return text ? std::string(*text) : std::string();
}

std::string LoadStringRow(std::uint32_t id, std::size_t row) {
    std::string_view rest = FindString(id).value_or(std::string_view());
    for (std::size_t i = 0; i < row; ++i) {
        const std::size_t lf = rest.find('\n');
        if (lf == std::string_view::npos) return {};
        rest.remove_prefix(lf + 1);
    }
    return std::string(rest.substr(0, rest.find('\n')));
}

std::string FormatMessage(std::string_view pattern,
                          std::initializer_list<std::string_view> inserts) {
    std::string out;
    out.reserve(pattern.size() + 32);
    const auto* values = inserts.begin();
    const size_t count = inserts.size();
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            ++i;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '0') return out;
        if (!std::isdigit(static_cast<unsigned char>(next))) {
            out += next == 'n' ? '\n' : next;
            i += 2;
            continue;
        }
        // %N or %NN, optionally followed by !printf-format!
        size_t j = i + 1;
        unsigned number = 0;
        while (j < pattern.size() && j < i + 3 &&
               std::isdigit(static_cast<unsigned char>(pattern[j]))) {
            number = number * 10 + static_cast<unsigned>(pattern[j] - '0');
            ++j;
        }
        if (j < pattern.size() && pattern[j] == '!') {
            const size_t close = pattern.find('!', j + 1);
            if (close != std::string_view::npos) j = close + 1;
        }
        if (number >= 1 && number <= count) {
            out += values[number - 1];
        } else {
            out.append(pattern.substr(i, j - i));
        }
        i = j;
    }
    return out;
}

std::string FormatString(std::uint32_t id, std::initializer_list<std::string_view> inserts) {
    return FormatMessage(LoadString(id), inserts);
}

PromptAndTip SplitPrompt(std::string_view text) {
    const size_t lf = text.find('\n');
    if (lf == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, lf)), std::string(text.substr(lf + 1))};
}

}  // namespace nl
