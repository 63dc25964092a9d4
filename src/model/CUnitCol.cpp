#include "model/CUnitCol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "model/color_spaces.h"
#include "model/css_color.h"
#include "model/printf_format.h"

namespace nl {
namespace {

constexpr double kChannelMax = 255.0;

template <size_t N>
std::string Print(std::string_view format, const std::array<PrintfArg, N>& args) {
    return FormatPrintf(format, args).value_or(std::string());
}

// The decimal numbers of a text, in order ("12", "0.86"); nothing when a number runs into a
// letter (a hexadecimal text) or when there are more than `most`.
std::optional<std::vector<double>> Numbers(std::string_view text, std::size_t most) {
    std::vector<double> numbers;
    std::size_t i = 0;
    const auto digit = [&text](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
    while (i < text.size()) {
        if (!digit(i)) {
            const char c = text[i];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return std::nullopt;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && (digit(end) || text[end] == '.')) ++end;
        double value = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + end, value);
        if (ec != std::errc() || ptr != text.data() + end || numbers.size() == most)
            return std::nullopt;
        numbers.push_back(value);
        i = end;
    }
    return numbers;
}

bool InRange(const std::vector<double>& values, double top) {
    for (const double v : values)
        if (v < 0 || v > top) return false;
    return true;
}

// Drops the minus of every number in `text` that prints as zero ("-0.000" becomes "0.000"),
// which a tiny negative value leaves behind.
std::string WithoutNegativeZeros(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-') continue;
        std::size_t end = i + 1;
        bool zero = end < text.size() && text[end] == '0';
        while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) {
            if (text[end] != '0' && text[end] != '.') zero = false;
            ++end;
        }
        if (zero) text.erase(i, 1);
    }
    return text;
}

std::string PrintCss(std::string_view format, double a, double b, double c) {
    return WithoutNegativeZeros(Print<3>(format, {a, b, c}));
}

// Hue (degrees), the HSL saturation and lightness (0..1), and the smallest and largest
// channels (0..1), of an 8-bit color.
struct HueParts {
    double hue = 0;
    double saturation = 0;
    double lightness = 0;
    double low = 0;
    double high = 0;
};

HueParts Hue(COLORREF color) {
    const double r = RgbRed(color) / kChannelMax;
    const double g = RgbGreen(color) / kChannelMax;
    const double b = RgbBlue(color) / kChannelMax;
    HueParts parts;
    parts.high = std::max({r, g, b});
    parts.low = std::min({r, g, b});
    const double d = parts.high - parts.low;
    parts.lightness = (parts.high + parts.low) / 2;
    if (d == 0) return parts;
    parts.saturation = d / (1 - std::fabs(2 * parts.lightness - 1));
    double h = 0;
    if (parts.high == r) {
        h = std::fmod((g - b) / d + 6, 6);
    } else if (parts.high == g) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    parts.hue = h * 60;
    return parts;
}

// A polar hue, 0 where the chroma is below what the format would print as zero.
double PolarHue(const Oklch& polar, double noChroma) {
    return polar.c < noChroma ? 0 : polar.h;
}

int Channel(double fraction) {
    return static_cast<int>(std::lround(fraction * kChannelMax));
}

COLORREF HsvToRgb(double h, double s, double v) {
    constexpr double kSector = 60.0;
    constexpr double kPercent = 100.0;
    s /= kPercent;
    v /= kPercent;
    const double c = v * s;
    const double x = c * (1 - std::fabs(std::fmod(h / kSector, 2) - 1));
    const double m = v - c;
    double r = 0;
    double g = 0;
    double b = 0;
    switch (static_cast<int>(h / kSector) % 6) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    return MakeRgb(Channel(r + m), Channel(g + m), Channel(b + m));
}

}  // namespace

CUnitCol::CUnitCol(int id, std::string name, std::string format)
    : m_id(id),
      m_name(name),
      m_label(std::move(name)),
      m_format(std::move(format)),
      m_formatter(FormatterForId(id)) {}

std::string CUnitCol::FormatColor(COLORREF color) const {
    if (color == kNoColor || m_formatter == nullptr) return {};
    return m_formatter(color, m_format);
}

std::optional<COLORREF> CUnitCol::ReadColor(std::string_view text) const {
    constexpr double kPercent = 100.0;
    constexpr double kHslTop = 240.0;
    constexpr double kDegrees = 360.0;
    if (m_formatter == nullptr) return std::nullopt;
    if (m_id > kRgbBytes) {
        const auto css = ParseCssColor(text);
        return css ? std::optional<COLORREF>(css->color) : std::nullopt;
    }
    const std::size_t count = m_id == kCmyk ? 4 : 3;
    const auto n = Numbers(text, count);
    if (!n || n->size() != count) return std::nullopt;
    const std::vector<double>& v = *n;
    switch (m_id) {
        case kCmyk: {
            if (!InRange(v, kPercent)) return std::nullopt;
            const double k = 1 - v[3] / kPercent;
            return MakeRgb(Channel((1 - v[0] / kPercent) * k), Channel((1 - v[1] / kPercent) * k),
                           Channel((1 - v[2] / kPercent) * k));
        }
        case kHsl:
            if (!InRange(v, kHslTop)) return std::nullopt;
            return HslToRgb(static_cast<int>(std::lround(v[0])),
                            static_cast<int>(std::lround(v[1])),
                            static_cast<int>(std::lround(v[2])));
        case kHsv:
            if (!InRange(v, kDegrees) || v[1] > kPercent || v[2] > kPercent) return std::nullopt;
            return HsvToRgb(v[0] == kDegrees ? 0 : v[0], v[1], v[2]);
        case kFractions:
            if (!InRange(v, 1)) return std::nullopt;
            return MakeRgb(Channel(v[0]), Channel(v[1]), Channel(v[2]));
        default:
            for (const double x : v)
                if (x != std::floor(x)) return std::nullopt;
            if (!InRange(v, kChannelMax)) return std::nullopt;
            return MakeRgb(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
    }
}

ColorFormatter CUnitCol::FormatterForId(int id) {
    switch (id) {
        case kCmyk:
            return &FormatCmyk;
        case kHsl:
            return &FormatHsl;
        case kHsv:
            return &FormatHsv;
        case kFractions:
            return &FormatFractions;
        case kCssHsl:
            return &FormatCssHsl;
        case kCssHwb:
            return &FormatCssHwb;
        case kCssLab:
            return &FormatCssLab;
        case kCssLch:
            return &FormatCssLch;
        case kCssOklab:
            return &FormatCssOklab;
        case kCssOklch:
            return &FormatCssOklch;
        default:
            return id >= 0 && id <= kMaxId ? &FormatBytes : nullptr;
    }
}

std::string CUnitCol::FormatCmyk(COLORREF color, std::string_view format) {
    const Cmyk cmyk = RgbToCmyk(color);
    return Print<4>(format, {cmyk.c, cmyk.m, cmyk.y, cmyk.k});
}

std::string CUnitCol::FormatHsl(COLORREF color, std::string_view format) {
    const Hsl hsl = RgbToHsl(color);
    return Print<3>(format, {hsl.h, hsl.s, hsl.l});
}

std::string CUnitCol::FormatHsv(COLORREF color, std::string_view format) {
    const Hsv hsv = RgbToHsv(color);
    return Print<3>(format, {hsv.h, hsv.s, hsv.v});
}

std::string CUnitCol::FormatBytes(COLORREF color, std::string_view format) {
    return Print<3>(format, {RgbRed(color), RgbGreen(color), RgbBlue(color)});
}

std::string CUnitCol::FormatFractions(COLORREF color, std::string_view format) {
    return Print<3>(format, {RgbRed(color) / kChannelMax, RgbGreen(color) / kChannelMax,
                             RgbBlue(color) / kChannelMax});
}

std::string CUnitCol::FormatCssHsl(COLORREF color, std::string_view format) {
    const HueParts p = Hue(color);
    return PrintCss(format, p.hue, p.saturation * 100, p.lightness * 100);
}

std::string CUnitCol::FormatCssHwb(COLORREF color, std::string_view format) {
    const HueParts p = Hue(color);
    return PrintCss(format, p.hue, p.low * 100, (1 - p.high) * 100);
}

std::string CUnitCol::FormatCssLab(COLORREF color, std::string_view format) {
    const CieLab lab = LinearToLab(ToLinear(color));
    return PrintCss(format, lab.l, lab.a, lab.b);
}

std::string CUnitCol::FormatCssLch(COLORREF color, std::string_view format) {
    constexpr double kNoChroma = 0.005;
    const CieLab lab = LinearToLab(ToLinear(color));
    const Oklch polar = ToPolar({lab.l, lab.a, lab.b});
    return PrintCss(format, polar.l, polar.c, PolarHue(polar, kNoChroma));
}

std::string CUnitCol::FormatCssOklab(COLORREF color, std::string_view format) {
    const Oklab lab = LinearToOklab(ToLinear(color));
    return PrintCss(format, lab.l * 100, lab.a, lab.b);
}

std::string CUnitCol::FormatCssOklch(COLORREF color, std::string_view format) {
    constexpr double kNoChroma = 0.0005;
    const Oklch polar = ToPolar(LinearToOklab(ToLinear(color)));
    return PrintCss(format, polar.l * 100, polar.c, PolarHue(polar, kNoChroma));
}

}  // namespace nl
