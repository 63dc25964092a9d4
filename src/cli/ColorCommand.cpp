#include "cli/ColorCommand.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "cli/command_support.h"
#include "model/CUnitsCol.h"
#include "model/color_math.h"

namespace nl::cli {
namespace {

constexpr std::string_view kColorForms =
    "#RRGGBB, RRGGBB, R,G,B (each 0-255) or hsl:H,S,L (each 0-240)";
constexpr std::string_view kHslPrefix = "hsl:";
constexpr size_t kHexDigits = 6;
constexpr int kChannelMax = 255;

struct ColorArgs {
    std::string color;
    std::string format;
};

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
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
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

COLORREF ParseColor(std::string_view text) {
    std::optional<COLORREF> color;
    if (StartsWithNoCase(text, kHslPrefix)) {
        if (const auto hsl = ParseTriple(text.substr(kHslPrefix.size()), kHslScale)) {
            color = HslToRgb((*hsl)[0], (*hsl)[1], (*hsl)[2]);
        }
    } else if (text.find(',') != std::string_view::npos) {
        if (const auto rgb = ParseTriple(text, kChannelMax)) {
            color = MakeRgb((*rgb)[0], (*rgb)[1], (*rgb)[2]);
        }
    } else {
        color = ParseHex(text);
    }
    if (!color)
        throw UsageError("invalid color \"" + std::string(text) + "\": expected " +
                         std::string(kColorForms));
    return *color;
}

std::string RunColor(const ColorArgs& args, bool formatGiven) {
    const COLORREF color = ParseColor(args.color);
    CUnitsCol table;
    if (!table.LoadColorFormats()) throw std::runtime_error("the color formats are missing");
    if (formatGiven) {
        std::vector<std::string> names;
        for (const CUnitCol& row : table) names.push_back(row.Name());
        return table.FormatColor(color, ChooseRow(names, args.format, "color format")) + "\n";
    }
    std::string out;
    for (const CUnitCol& row : table) out += row.Name() + "\t" + row.FormatColor(color) + "\n";
    return out;
}

}  // namespace

void RegisterColorCommand(CLI::App& app, std::string& output) {
    auto args = std::make_shared<ColorArgs>();
    CLI::App* command = app.add_subcommand("color", "Show a color in the color text forms");
    command->add_option("COLOR", args->color, std::string(kColorForms))->required();
    CLI::Option* format = command->add_option(
        "-f,--format", args->format,
        "Only this form: CMYK, HSL, HSV, HTML, #HTML, html, #html, \"RGB 0-1\", \"RGB 0-255\" or "
        "its index 0-8");
    command->callback([args, format, &output] { output = RunColor(*args, format->count() > 0); });
}

}  // namespace nl::cli
