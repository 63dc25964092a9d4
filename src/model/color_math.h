#pragma once
#include <cstdint>

namespace nl {

// A color: red in the lowest byte, green in the next, blue in the third, top byte zero.
using COLORREF = std::uint32_t;

// Marks "no color" (the all-ones value, -1 as a signed number).
inline constexpr COLORREF kNoColor = 0xFFFFFFFF;
// The 24 bits that hold red, green and blue.
inline constexpr COLORREF kRgbMask = 0x00FFFFFF;

constexpr int RgbRed(COLORREF color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int RgbGreen(COLORREF color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int RgbBlue(COLORREF color) {
    return static_cast<int>((color >> 16) & 0xFF);
}
// Each channel is taken modulo 256.
constexpr COLORREF MakeRgb(int red, int green, int blue) {
    return (static_cast<COLORREF>(red) & 0xFF) | ((static_cast<COLORREF>(green) & 0xFF) << 8) |
           ((static_cast<COLORREF>(blue) & 0xFF) << 16);
}

// The top of the HSL scale: hue, saturation and luminosity each run 0..240.
inline constexpr int kHslScale = 240;

struct Hsl {
    int h = 0;
    int s = 0;
    int l = 0;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};

// Hue in degrees 0..360, saturation and value in percent 0..100.
struct Hsv {
    int h = 0;
    int s = 0;
    int v = 0;
    friend bool operator==(const Hsv&, const Hsv&) = default;
};

// Each component in percent 0..100.
struct Cmyk {
    int c = 0;
    int m = 0;
    int y = 0;
    int k = 0;
    friend bool operator==(const Cmyk&, const Cmyk&) = default;
};

// HSL on the 0..240 scale in integer arithmetic; greys get the hue 160.
Hsl RgbToHsl(COLORREF color);
// The inverse of RgbToHsl on the 0..240 scale; inputs outside 0..240 are clamped into it.
COLORREF HslToRgb(int h, int s, int l);
// HSV with rounded integers; black and greys get the hue 240.
Hsv RgbToHsv(COLORREF color);
// CMYK with rounded percentages; black is 0, 0, 0, 100.
Cmyk RgbToCmyk(COLORREF color);

}  // namespace nl
