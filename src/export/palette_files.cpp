#include "export/palette_files.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <map>

#include "base/escape.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "model/CUnitsCol.h"
#include "model/css_color.h"

namespace nl {
namespace {

constexpr std::string_view kGimpExtension = ".gpl";
constexpr std::string_view kCssExtension = ".css";
constexpr std::string_view kJsonExtension = ".json";
constexpr std::string_view kAseExtension = ".ase";
// The first control character a JSON string may hold as it is.
constexpr unsigned char kFirstPrintable = 0x20;

struct Entry {
    int red;
    int green;
    int blue;
    std::string hex;   // "#RRGGBB"
    std::string text;  // in the chosen color form
    NearestCssName name;
};

std::vector<Entry> Entries(const CColorPicker& colors, const CUnitsCol& formats, int row) {
    std::vector<Entry> entries;
    for (int i = 0; i < colors.GetCount(); ++i) {
        const COLORREF color = colors.GetAt(i).Color();
        entries.push_back({RgbRed(color), RgbGreen(color), RgbBlue(color), HashColor(color),
                           formats.FormatColor(color, row), NearestCssColorName(color)});
    }
    return entries;
}

// A line of a GIMP palette holds its name up to the line's end. Names are UTF-8 (a file name
// that is not is decoded with replacement characters).
std::string OneLine(std::string_view text) {
    std::string line = ValidUtf8(text);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : ValidUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < kFirstPrintable) {
            std::array<char, sizeof "\\u0000"> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04X", static_cast<unsigned char>(c));
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A swatch's name in palettes that keep one: the nearest CSS name, marked "≈" when the color
// is not that named color itself.
std::string SwatchName(const Entry& e) {
    return (e.name.exact ? "" : "≈ ") + std::string(e.name.name);
}

std::string GimpPalette(const std::vector<Entry>& entries, std::string_view title) {
    std::string out = "GIMP Palette\nName: " + OneLine(title) + "\nColumns: 0\n#\n";
    for (const Entry& e : entries) {
        std::array<char, sizeof "255 255 255\t"> rgb{};
        std::snprintf(rgb.data(), rgb.size(), "%3d %3d %3d\t", e.red, e.green, e.blue);
        out += rgb.data() + SwatchName(e) + "\n";
    }
    return out;
}

std::string CssProperties(const std::vector<Entry>& entries, std::string_view title) {
    static constexpr CharEscape kCommentEnd[] = {{'*', "* "}};
    std::string out = "/* " + EscapeChars(OneLine(title), kCommentEnd) + " */\n:root {\n";
    // Each property is named after its color's nearest name; a name that comes again gets
    // a number (--red, --red-2) so that no property hides another.
    std::map<std::string_view, int> uses;
    for (const Entry& e : entries) {
        const int use = ++uses[e.name.name];
        std::string property = "--" + std::string(e.name.name);
        if (use > 1) property += "-" + std::to_string(use);
        std::string comment = OneLine(e.text);
        if (!e.name.exact) comment += ", near " + std::string(e.name.name);
        out +=
            "  " + property + ": " + e.hex + "; /* " + EscapeChars(comment, kCommentEnd) + " */\n";
    }
    return out + "}\n";
}

std::string JsonPalette(const std::vector<Entry>& entries, std::string_view title) {
    std::string out = "{\n  \"name\": " + JsonString(title) + ",\n  \"colors\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        out += std::string(i == 0 ? "\n" : ",\n") + "    {\"hex\": \"" + e.hex + "\", \"rgb\": [" +
               std::to_string(e.red) + ", " + std::to_string(e.green) + ", " +
               std::to_string(e.blue) + "], \"text\": " + JsonString(e.text) + ", \"name\": \"" +
               std::string(e.name.name) +
               "\", \"name_exact\": " + (e.name.exact ? "true" : "false") + "}";
    }
    return out + (entries.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

void AppendU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

void AppendU32(std::string& out, std::uint32_t value) {
    AppendU16(out, static_cast<std::uint16_t>(value >> 16));
    AppendU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

// Adobe Swatch Exchange: "ASEF", version 1.0, the block count, then one color entry block per
// color (its name in UTF-16BE with a terminating zero, the model "RGB ", three big-endian
// floats 0..1 and the color type "normal"), all numbers big-endian.
std::string SwatchExchange(const std::vector<Entry>& entries) {
    constexpr std::uint16_t kColorEntry = 0x0001;
    constexpr std::uint16_t kNormalColor = 2;
    constexpr float kFullChannel = 255.0F;
    std::string out = "ASEF";
    AppendU16(out, 1);
    AppendU16(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(entries.size()));
    for (const Entry& e : entries) {
        const std::u16string name = Utf8ToUtf16(SwatchName(e));
        std::string block;
        AppendU16(block, static_cast<std::uint16_t>(name.size() + 1));
        for (const char16_t unit : name) AppendU16(block, unit);
        AppendU16(block, 0);
        block += "RGB ";
        for (const int channel : {e.red, e.green, e.blue})
            AppendU32(block,
                      std::bit_cast<std::uint32_t>(static_cast<float>(channel) / kFullChannel));
        AppendU16(block, kNormalColor);
        AppendU16(out, kColorEntry);
        AppendU32(out, static_cast<std::uint32_t>(block.size()));
        out += block;
    }
    return out;
}

}  // namespace

std::optional<PaletteForm> PaletteFormFromPath(std::string_view path) {
    if (EndsWithNoCase(path, kGimpExtension)) return PaletteForm::kGimp;
    if (EndsWithNoCase(path, kCssExtension)) return PaletteForm::kCss;
    if (EndsWithNoCase(path, kJsonExtension)) return PaletteForm::kJson;
    if (EndsWithNoCase(path, kAseExtension)) return PaletteForm::kAse;
    return std::nullopt;
}

std::string PaletteText(PaletteForm form, const CColorPicker& colors, const CUnitsCol& formats,
                        int formatRow, std::string_view title) {
    const std::vector<Entry> entries = Entries(colors, formats, formatRow);
    switch (form) {
        case PaletteForm::kGimp:
            return GimpPalette(entries, title);
        case PaletteForm::kCss:
            return CssProperties(entries, title);
        case PaletteForm::kAse:
            return SwatchExchange(entries);
        case PaletteForm::kJson:
            break;
    }
    return JsonPalette(entries, title);
}

}  // namespace nl
