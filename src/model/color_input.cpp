#include "model/color_input.h"

#include <array>
#include <charconv>

#include "base/text.h"
#include "model/color_math.h"

namespace nl {
namespace {

constexpr std::string_view kHslPrefix = "hsl:";
constexpr size_t kHexDigits = 6;
constexpr int kChannelMax = 255;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<int> WholeNumber(std::string_view text, int max) {
    int value = 0;
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    if (value < 0 || value > max) return std::nullopt;
    return value;
}

// Three comma-separated whole numbers, each 0..max.
std::optional<std::array<int, 3>> ReadTriple(std::string_view text, int max) {
    std::array<int, 3> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        const size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i + 1 == values.size())) return std::nullopt;
        const auto value = WholeNumber(Trim(text.substr(0, comma)), max);
        if (!value) return std::nullopt;
        values[i] = *value;
        if (comma != std::string_view::npos) text.remove_prefix(comma + 1);
    }
    return values;
}

// Six hexadecimal digits without a '#', as the data file's own text writes them.
std::optional<COLORREF> ReadBareHex(std::string_view text) {
    if (text.size() != kHexDigits) return std::nullopt;
    std::uint32_t rgb = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return MakeRgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

}  // namespace

std::optional<CssColor> ReadColorInput(std::string_view text, std::string* error) {
    text = Trim(text);
    std::string why;
    std::optional<CssColor> color;
    if (StartsWithNoCase(text, kHslPrefix)) {
        if (const auto hsl = ReadTriple(text.substr(kHslPrefix.size()), kHslScale))
            color = CssColor{HslToRgb((*hsl)[0], (*hsl)[1], (*hsl)[2]), false};
    } else if (text.find(',') != std::string_view::npos &&
               text.find('(') == std::string_view::npos) {
        if (const auto rgb = ReadTriple(text, kChannelMax))
            color = CssColor{MakeRgb((*rgb)[0], (*rgb)[1], (*rgb)[2]), false};
    } else if (const auto hex = ReadBareHex(text)) {
        color = CssColor{*hex, false};
    } else {
        color = ParseCssColor(text, &why);
    }
    if (!color && error) *error = why;
    return color;
}

}  // namespace nl
