#include "cli/command_support.h"

#include <charconv>
#include <cstdio>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "base/text.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "model/color_input.h"

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
    if (matches.empty()) {
        // "oklch" for "oklch()": the parentheses of the CSS forms may be left out.
        for (int row = 0; row < count; ++row) {
            const std::string& name = names[static_cast<size_t>(row)];
            if (name.ends_with("()") &&
                EqualsNoCase(std::string_view(name).substr(0, name.size() - 2), query)) {
                matches.push_back(name);
                match = row;
            }
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

COLORREF ParseColorArgument(std::string_view text) {
    std::string why;
    const auto color = ReadColorInput(text, &why);
    if (!color)
        throw UsageError("invalid color \"" + std::string(text) +
                         "\": " + (why.empty() ? std::string() : why + "; ") + "expected " +
                         std::string(kColorArgumentForms));
    if (color->alphaDropped)
        std::fprintf(stderr, "nerimlens-cli: note: the alpha of \"%.*s\" is dropped\n",
                     static_cast<int>(text.size()), text.data());
    return color->color;
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
