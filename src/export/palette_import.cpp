#include "export/palette_import.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "base/text.h"
#include "export/CNotSupportedException.h"
#include "model/CUnitCol.h"
#include "model/color_input.h"
#include "platform/IFileSystem.h"

namespace nl {
namespace {

constexpr int kChannelMax = 255;

[[noreturn]] void BadFormat(const std::string& fileName) {
    throw CArchiveException(CArchiveException::Cause::kBadFormat, fileName);
}

// Collects colors up to the limit, counting the rest as read but not kept.
class Collector {
public:
    void Add(COLORREF color) {
        if (m_result.colors.size() < kMaxImportColors) m_result.colors.push_back(color);
    }
    void Add(const std::optional<COLORREF>& color) {
        if (color)
            Add(*color);
        else
            ++m_result.skipped;
    }
    bool Full() const { return m_result.colors.size() >= kMaxImportColors; }
    ImportedColors Take() { return std::move(m_result); }

private:
    ImportedColors m_result;
};

std::optional<COLORREF> TypedColor(std::string_view text) {
    const auto color = ReadColorInput(text);
    if (!color) return std::nullopt;
    return color->color;
}

// The text of a file: UTF-16LE after its byte-order mark (the program's exports), else UTF-8
// with or without one, invalid bytes replaced.
std::string DecodeText(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
        return Utf16ToUtf8(units);
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return ValidUtf8(text);
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// GIMP: "GIMP Palette", then header lines (Name:, Columns:), comments (#) and one color per
// line as three numbers 0-255 and an optional name.
ImportedColors ReadGimp(const std::string& text, const std::string& fileName) {
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || Trim(lines[0]) != "GIMP Palette") BadFormat(fileName);
    Collector out;
    for (std::size_t i = 1; i < lines.size() && !out.Full(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.starts_with('#') || line.starts_with("Name:") ||
            line.starts_with("Columns:"))
            continue;
        std::array<int, 3> rgb{};
        const char* at = line.data();
        const char* end = line.data() + line.size();
        bool read = true;
        for (int& channel : rgb) {
            while (at < end && (*at == ' ' || *at == '\t')) ++at;
            const auto [ptr, ec] = std::from_chars(at, end, channel);
            if (ec != std::errc() || channel < 0 || channel > kChannelMax) {
                read = false;
                break;
            }
            at = ptr;
        }
        out.Add(read ? std::optional(MakeRgb(rgb[0], rgb[1], rgb[2])) : std::nullopt);
    }
    return out.Take();
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// The colors of one declaration's value, in order: hexadecimal colors, color functions and
// color names ("1px solid red" holds red).
void ReadCssValue(std::string_view value, Collector& out) {
    std::size_t i = 0;
    while (i < value.size() && !out.Full()) {
        if (!IsNameChar(value[i]) && value[i] != '#') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < value.size() && IsNameChar(value[end])) ++end;
        std::string_view token = value.substr(i, end - i);
        if (end < value.size() && value[end] == '(') {
            const std::size_t close = value.find(')', end);
            if (close == std::string_view::npos) return;
            token = value.substr(i, close + 1 - i);
            end = close + 1;
        }
        // Numbers, units and keywords that are not colors are passed over silently.
        const auto color = ParseCssColor(token);
        if (color) out.Add(color->color);
        i = end;
    }
}

// CSS: every color in the declarations' values (custom properties or any other); selectors
// (#header) and comments are not read.
ImportedColors ReadCss(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t close = text.find("*/", i + 2);
            if (close == std::string::npos) break;
            i = close + 2;
            plain += ' ';
        } else {
            plain += text[i++];
        }
    }
    Collector out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= plain.size() && !out.Full(); ++i) {
        const char c = i < plain.size() ? plain[i] : ';';
        if (c != ';' && c != '{' && c != '}') continue;
        const std::string_view segment = std::string_view(plain).substr(start, i - start);
        start = i + 1;
        if (c == '{') continue;  // a selector
        const std::size_t colon = segment.find(':');
        if (colon != std::string_view::npos) ReadCssValue(segment.substr(colon + 1), out);
    }
    return out.Take();
}

std::optional<COLORREF> JsonEntry(const nlohmann::json& entry) {
    if (entry.is_string()) return TypedColor(entry.get<std::string>());
    if (!entry.is_object()) return std::nullopt;
    for (const char* key : {"hex", "color", "value"}) {
        const auto it = entry.find(key);
        if (it != entry.end() && it->is_string()) {
            if (const auto color = TypedColor(it->get<std::string>())) return color;
        }
    }
    const auto rgb = entry.find("rgb");
    if (rgb == entry.end() || !rgb->is_array() || rgb->size() != 3) return std::nullopt;
    std::array<int, 3> channels{};
    for (std::size_t i = 0; i < 3; ++i) {
        const nlohmann::json& v = (*rgb)[i];
        if (!v.is_number_integer() || v.get<std::int64_t>() < 0 ||
            v.get<std::int64_t>() > kChannelMax)
            return std::nullopt;
        channels[i] = v.get<int>();
    }
    return MakeRgb(channels[0], channels[1], channels[2]);
}

// JSON: an array of colors, or an object whose "colors" is one (the program's own palette);
// each color a string in any typed form or an object with "hex", "color", "value" or "rgb".
ImportedColors ReadJson(const std::string& text, const std::string& fileName) {
    nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded()) BadFormat(fileName);
    const nlohmann::json* list = &document;
    if (document.is_object()) {
        const auto it = document.find("colors");
        if (it == document.end()) BadFormat(fileName);
        list = &*it;
    }
    if (!list->is_array()) BadFormat(fileName);
    Collector out;
    for (const nlohmann::json& entry : *list) {
        if (out.Full()) break;
        out.Add(JsonEntry(entry));
    }
    return out.Take();
}

// A cursor over the big-endian numbers of a binary file that refuses to read past its end.
class BigEndianReader {
public:
    BigEndianReader(std::span<const std::uint8_t> bytes, const std::string& fileName)
        : m_bytes(bytes), m_fileName(fileName) {}

    std::size_t Left() const { return m_bytes.size() - m_at; }
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > Left()) BadFormat(m_fileName);
        const auto part = m_bytes.subspan(m_at, count);
        m_at += count;
        return part;
    }
    std::uint16_t U16() {
        const auto b = Take(2);
        return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
    }
    std::uint32_t U32() {
        const std::uint32_t high = U16();
        return (high << 16) | U16();
    }
    float F32() { return std::bit_cast<float>(U32()); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
    const std::string& m_fileName;
};

std::optional<COLORREF> AseColor(std::string_view model, BigEndianReader& values) {
    const auto fraction = [](float v) -> std::optional<int> {
        if (!std::isfinite(v) || v < 0 || v > 1) return std::nullopt;
        return static_cast<int>(std::lround(v * kChannelMax));
    };
    if (model == "RGB ") {
        const auto r = fraction(values.F32());
        const auto g = fraction(values.F32());
        const auto b = fraction(values.F32());
        if (r && g && b) return MakeRgb(*r, *g, *b);
    } else if (model == "Gray") {
        if (const auto v = fraction(values.F32())) return MakeRgb(*v, *v, *v);
    } else if (model == "CMYK") {
        std::array<float, 4> cmyk{};
        for (float& v : cmyk) v = values.F32();
        const auto k = fraction(1 - cmyk[3]);
        std::array<std::optional<int>, 3> rgb;
        for (std::size_t i = 0; i < 3; ++i) rgb[i] = fraction((1 - cmyk[i]) * (1 - cmyk[3]));
        if (k && rgb[0] && rgb[1] && rgb[2]) return MakeRgb(*rgb[0], *rgb[1], *rgb[2]);
    } else if (model == "LAB ") {
        // L as a fraction of 100, a and b as they are; written out for the CSS reader's lab(),
        // which converts from the same D50 white.
        constexpr float kLightnessScale = 100;
        std::array<float, 3> lab{values.F32() * kLightnessScale, values.F32(), values.F32()};
        std::string css = "lab(";
        for (const float v : lab) {
            if (!std::isfinite(v)) return std::nullopt;
            std::array<char, 32> number{};
            const auto [ptr, ec] = std::to_chars(number.data(), number.data() + number.size(), v);
            if (ec != std::errc()) return std::nullopt;
            css.append(number.data(), ptr) += ' ';
        }
        css.back() = ')';
        if (const auto color = ParseCssColor(css)) return color->color;
    }
    return std::nullopt;
}

// Adobe Swatch Exchange: "ASEF", a version, a block count, then blocks of a type and a
// length; color entries hold a UTF-16 name, a model and its values. Group blocks and unknown
// blocks are passed over by their length.
ImportedColors ReadAse(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    constexpr std::uint16_t kColorEntry = 0x0001;
    BigEndianReader file(bytes, fileName);
    const auto magic = file.Take(4);
    if (std::string_view(reinterpret_cast<const char*>(magic.data()), 4) != "ASEF")
        BadFormat(fileName);
    file.U16();  // the version, 1.0 in every file seen; later versions keep the layout
    file.U16();
    const std::uint32_t blocks = file.U32();
    Collector out;
    for (std::uint32_t i = 0; i < blocks && !out.Full(); ++i) {
        const std::uint16_t type = file.U16();
        const std::uint32_t length = file.U32();
        BigEndianReader block(file.Take(length), fileName);
        if (type != kColorEntry) continue;
        block.Take(std::size_t{block.U16()} * 2);  // the name; the list keeps no names
        const auto model = block.Take(4);
        out.Add(AseColor(std::string_view(reinterpret_cast<const char*>(model.data()), 4), block));
    }
    return out.Take();
}

// Splits one line of a text or CSV export at `separator`, outside double quotes ("" inside
// quotes is one quote).
std::vector<std::string> Fields(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// The program's text and CSV exports: a header row, then one row per color whose first
// field that reads as a color gives it (in a typed form, else in `textFormat`). The separator
// is the header's first tab, semicolon or comma.
ImportedColors ReadTextExport(const std::string& text, const CUnitCol* textFormat) {
    const std::vector<std::string> lines = SplitLines(text);
    Collector out;
    if (lines.empty()) return out.Take();
    const std::size_t at = lines[0].find_first_of("\t;,");
    const char separator = at == std::string::npos ? '\t' : lines[0][at];
    for (std::size_t i = 1; i < lines.size() && !out.Full(); ++i) {
        if (Trim(lines[i]).empty()) continue;
        std::optional<COLORREF> color;
        for (const std::string& field : Fields(lines[i], separator)) {
            const std::string_view value = Trim(field);
            color = TypedColor(value);
            if (!color && textFormat != nullptr) color = textFormat->ReadColor(value);
            if (color) break;
        }
        out.Add(color);
    }
    return out.Take();
}

}  // namespace

std::optional<ImportForm> ImportFormFromPath(std::string_view path) {
    static constexpr std::pair<std::string_view, ImportForm> kExtensions[] = {
        {".gpl", ImportForm::kGimp}, {".css", ImportForm::kCss},  {".json", ImportForm::kJson},
        {".ase", ImportForm::kAse},  {".txt", ImportForm::kText}, {".csv", ImportForm::kText},
    };
    for (const auto& [extension, form] : kExtensions)
        if (EndsWithNoCase(path, extension)) return form;
    return std::nullopt;
}

ImportedColors ReadPalette(ImportForm form, std::span<const std::uint8_t> bytes,
                           const std::string& fileName, const CUnitCol* textFormat) {
    switch (form) {
        case ImportForm::kGimp:
            return ReadGimp(DecodeText(bytes), fileName);
        case ImportForm::kCss:
            return ReadCss(DecodeText(bytes));
        case ImportForm::kJson:
            return ReadJson(DecodeText(bytes), fileName);
        case ImportForm::kAse:
            return ReadAse(bytes, fileName);
        case ImportForm::kText:
            break;
    }
    return ReadTextExport(DecodeText(bytes), textFormat);
}

ImportedColors ReadPaletteFile(const IFileSystem& files, const std::string& path,
                               const CUnitCol* textFormat) {
    const auto form = ImportFormFromPath(path);
    if (!form) throw CNotSupportedException();
    std::uint64_t size = 0;
    if (const std::uint32_t code = files.FileSize(path, size)) throw CSystemError(code, path);
    if (size > kMaxImportBytes) BadFormat(path);
    std::vector<std::uint8_t> bytes;
    if (const std::uint32_t code = files.ReadFile(path, bytes)) throw CSystemError(code, path);
    if (bytes.size() > kMaxImportBytes) BadFormat(path);
    return ReadPalette(*form, bytes, path, textFormat);
}

}  // namespace nl
