#include "export/palette_files.h"

#include <array>
#include <cstdio>

#include "base/escape.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "model/CUnitsCol.h"

namespace nl {
namespace {

constexpr std::string_view kGimpExtension = ".gpl";
constexpr std::string_view kCssExtension = ".css";
constexpr std::string_view kJsonExtension = ".json";
constexpr std::size_t kHexTextSize = sizeof "#RRGGBB";
// The first control character a JSON string may hold as it is.
constexpr unsigned char kFirstPrintable = 0x20;

struct Entry {
    int red;
    int green;
    int blue;
    std::string hex;   // "#RRGGBB"
    std::string text;  // in the chosen color form
};

std::vector<Entry> Entries(const CColorPicker& colors, const CUnitsCol& formats, int row) {
    std::vector<Entry> entries;
    for (int i = 0; i < colors.GetCount(); ++i) {
        const COLORREF color = colors.GetAt(i).Color();
        Entry e{
            RgbRed(color), RgbGreen(color), RgbBlue(color), {}, formats.FormatColor(color, row)};
        std::array<char, kHexTextSize> hex{};
        std::snprintf(hex.data(), hex.size(), "#%02X%02X%02X", e.red, e.green, e.blue);
        e.hex = hex.data();
        entries.push_back(std::move(e));
    }
    return entries;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
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

std::string GimpPalette(const std::vector<Entry>& entries, std::string_view title) {
    std::string out = "GIMP Palette\nName: " + OneLine(title) + "\nColumns: 0\n#\n";
    for (const Entry& e : entries) {
        std::array<char, sizeof "255 255 255\t"> rgb{};
        std::snprintf(rgb.data(), rgb.size(), "%3d %3d %3d\t", e.red, e.green, e.blue);
        out += rgb.data() + OneLine(e.text) + "\n";
    }
    return out;
}

std::string CssProperties(const std::vector<Entry>& entries, std::string_view title) {
    static constexpr CharEscape kCommentEnd[] = {{'*', "* "}};
    std::string out = "/* " + EscapeChars(OneLine(title), kCommentEnd) + " */\n:root {\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
        out += "  --color-" + std::to_string(i + 1) + ": " + entries[i].hex + "; /* " +
               EscapeChars(OneLine(entries[i].text), kCommentEnd) + " */\n";
    return out + "}\n";
}

std::string JsonPalette(const std::vector<Entry>& entries, std::string_view title) {
    std::string out = "{\n  \"name\": " + JsonString(title) + ",\n  \"colors\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        out += std::string(i == 0 ? "\n" : ",\n") + "    {\"hex\": \"" + e.hex + "\", \"rgb\": [" +
               std::to_string(e.red) + ", " + std::to_string(e.green) + ", " +
               std::to_string(e.blue) + "], \"text\": " + JsonString(e.text) + "}";
    }
    return out + (entries.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

std::optional<PaletteForm> PaletteFormFromPath(std::string_view path) {
    if (EndsWithNoCase(path, kGimpExtension)) return PaletteForm::kGimp;
    if (EndsWithNoCase(path, kCssExtension)) return PaletteForm::kCss;
    if (EndsWithNoCase(path, kJsonExtension)) return PaletteForm::kJson;
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
        case PaletteForm::kJson:
            break;
    }
    return JsonPalette(entries, title);
}

}  // namespace nl
