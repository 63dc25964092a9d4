#include "cli/command_support.h"

#include <charconv>
#include <cstdio>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "base/text.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "model/color_math.h"
#include "model/css_color.h"

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

std::string RunNamingFile(FileUse use, const std::string& path,
                          const std::function<std::string()>& run) {
    const std::string shown = path.empty() ? std::string("\"\"") : path;
    try {
        return run();
    } catch (const CArchiveException& e) {
        if (e.GetCause() != CArchiveException::Cause::kEndOfFile) throw;
        throw std::runtime_error(CArchiveException(e.GetCause(), shown).Message());
    } catch (const CSystemError& e) {
        const std::string data = e.Data().empty() ? shown : e.Data();
        throw std::runtime_error(use == FileUse::kWrite ? FileWriteErrorText(e.Code(), data)
                                                        : FormatSystemError(e.Code(), data));
    }
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

namespace {

constexpr std::string_view kHslPrefix = "hsl:";
constexpr size_t kHexDigits = 6;
constexpr int kChannelMax = 255;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Three comma-separated whole numbers, each 0..max.
std::optional<std::vector<int>> ParseTriple(std::string_view text, int max) {
    std::vector<int> values;
    while (true) {
        const size_t comma = text.find(',');
        const auto value = ParseWholeNumber(Trim(text.substr(0, comma)), 0, max);
        if (!value || values.size() == 3) return std::nullopt;
        values.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (values.size() != 3) return std::nullopt;
    return values;
}

std::optional<COLORREF> ParseHex(std::string_view text) {
    if (text.size() != kHexDigits) return std::nullopt;
    COLORREF rgb = 0;  // 0xRRGGBB as written
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        rgb = rgb << 4 | static_cast<COLORREF>(digit);
    }
    return MakeRgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

}  // namespace

COLORREF ParseColorArgument(std::string_view text) {
    std::optional<COLORREF> color;
    std::string why;
    if (StartsWithNoCase(text, kHslPrefix)) {
        if (const auto hsl = ParseTriple(text.substr(kHslPrefix.size()), kHslScale)) {
            color = HslToRgb((*hsl)[0], (*hsl)[1], (*hsl)[2]);
        }
    } else if (text.find(',') != std::string_view::npos &&
               text.find('(') == std::string_view::npos) {
        if (const auto rgb = ParseTriple(text, kChannelMax)) {
            color = MakeRgb((*rgb)[0], (*rgb)[1], (*rgb)[2]);
        }
    } else if (!(color = ParseHex(text))) {
        // Everything else is read as CSS writes colors.
        if (const auto css = ParseCssColor(text, &why)) {
            color = css->color;
            if (css->alphaDropped)
                std::fprintf(stderr, "nerimlens-cli: note: the alpha of \"%.*s\" is dropped\n",
                             static_cast<int>(text.size()), text.data());
        }
    }
    if (!color)
        throw UsageError("invalid color \"" + std::string(text) +
                         "\": " + (why.empty() ? std::string() : why + "; ") + "expected " +
                         std::string(kColorArgumentForms));
    return *color;
}

std::vector<std::string> ColorFormatNames() {
    CUnitsCol table;
    std::vector<std::string> names;
    if (!table.LoadColorFormats()) return names;
    for (const CUnitCol& row : table) names.push_back(row.Name());
    return names;
}

std::vector<std::string> LengthUnitAbbreviations() {
    CUnitsXY units;
    std::vector<std::string> names;
    if (!units.LoadUnits(DisplayMetrics{}, nullptr)) return names;
    for (const CUnitXY& unit : units) names.push_back(unit.Abbreviation());
    return names;
}

}  // namespace nl::cli
