#include "model/CUnitCol.h"

#include <array>
#include <utility>

#include "model/printf_format.h"

namespace nl {
namespace {

constexpr double kChannelMax = 255.0;

template <size_t N>
std::string Print(std::string_view format, const std::array<PrintfArg, N>& args) {
    return FormatPrintf(format, args).value_or(std::string());
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

}  // namespace nl
