#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/color_math.h"

namespace nl {

// Turns a color into text with a printf-style format string.
using ColorFormatter = std::string (*)(COLORREF color, std::string_view format);

// One color text form: its name and the format string its formatter prints with.
class CUnitCol {
public:
    // The highest id that has a formatter.
    static constexpr int kMaxId = 17;
    enum Id : int {
        kCmyk = 0,
        kHsl = 1,
        kHsv = 2,
        kFractions = 7,  // RGB 0-1
        kRgbBytes = 8,   // RGB 0-255, the last of the desktop forms
        // The forms CSS writes, read back by the CSS color reader. rgb() in both syntaxes and
        // 0xRRGGBB print bytes.
        kCssHsl = 11,
        kCssHwb = 12,
        kCssLab = 13,
        kCssLch = 14,
        kCssOklab = 15,
        kCssOklch = 16,
    };

    CUnitCol() = default;
    // Label is a copy of the name; the formatter is chosen by the id.
    CUnitCol(int id, std::string name, std::string format);

    // The color in this form; empty for kNoColor, a row without formatter, or a format string
    // that does not fit the formatter (see FormatPrintf).
    std::string FormatColor(COLORREF color) const;

    // Reads back a text this form wrote: its numbers in the formatter's order (C, M, Y, K in
    // percent; H, S, L 0-240; H in degrees, S and V in percent; R, G, B 0-1 or 0-255), each in
    // its range. Nothing when the count or a range does not fit, for hexadecimal texts (the
    // typed-color reader knows those) and for rows without a formatter. The CSS forms are read
    // as CSS reads them. CMYK, HSV and the CSS functions round, so the color read may be a
    // step from the one written.
    std::optional<COLORREF> ReadColor(std::string_view text) const;
    int Id() const { return m_id; }
    const std::string& Name() const { return m_name; }
    const std::string& Label() const { return m_label; }
    const std::string& Format() const { return m_format; }
    ColorFormatter Formatter() const { return m_formatter; }

    // 0 CMYK, 1 HSL, 2 HSV, 7 fractions, 11..16 the CSS functions, other ids 0..17 bytes,
    // anything else none.
    static ColorFormatter FormatterForId(int id);
    // C, M, Y, K in percent.
    static std::string FormatCmyk(COLORREF color, std::string_view format);
    // H, S, L on the 0..240 scale.
    static std::string FormatHsl(COLORREF color, std::string_view format);
    // H in degrees, S and V in percent.
    static std::string FormatHsv(COLORREF color, std::string_view format);
    // R, G, B as integers 0..255.
    static std::string FormatBytes(COLORREF color, std::string_view format);
    // R, G, B as fractions 0..1 (doubles).
    static std::string FormatFractions(COLORREF color, std::string_view format);
    // The CSS functions, three doubles each, with the precision the format string gives. A
    // hue is 0 where the color has no chroma, and a value that prints as zero never shows a
    // minus sign. hsl() and hwb(): H in degrees, then two percentages; lab(): L (0..100), a,
    // b; lch(): L, C, H; oklab(): L in percent, a, b; oklch(): L in percent, C, H.
    static std::string FormatCssHsl(COLORREF color, std::string_view format);
    static std::string FormatCssHwb(COLORREF color, std::string_view format);
    static std::string FormatCssLab(COLORREF color, std::string_view format);
    static std::string FormatCssLch(COLORREF color, std::string_view format);
    static std::string FormatCssOklab(COLORREF color, std::string_view format);
    static std::string FormatCssOklch(COLORREF color, std::string_view format);

private:
    int m_id = -1;
    std::string m_name;
    std::string m_label;
    std::string m_format;
    ColorFormatter m_formatter = nullptr;
};

}  // namespace nl
