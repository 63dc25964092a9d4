#include "model/color_math.h"

#include <algorithm>

namespace nl {
namespace {

constexpr int kRgbMax = 255;
constexpr int kHslGreyHue = 160;       // two thirds of the 0..240 circle
constexpr int kHueSixth = 40;          // one sixth of the 0..240 circle
constexpr int kHslHalf = 120;          // half of the 0..240 scale
constexpr double kHsvGreyHue = 240.0;  // degrees; the same two thirds of the circle
constexpr double kDegreesPerHueUnit = 60.0;
constexpr double kFullCircle = 360.0;
constexpr double kPercent = 100.0;

// The printed form of a proportion or angle: the integer part of x + 0.5, kept to 16 bits.
int RoundHalfUp16(double x) {
    return static_cast<std::int16_t>(static_cast<int>(x + 0.5));
}

// One channel of HslToRgb on the 0..240 scale, for the hue `h` of that channel.
int HueToChannel(int m1, int m2, int h) {
    if (h < 0) h += kHslScale;
    if (h > kHslScale) h -= kHslScale;
    if (h < kHueSixth) return m1 + ((m2 - m1) * h + kHueSixth / 2) / kHueSixth;
    if (h < kHslHalf) return m2;
    if (h < kHslGreyHue) return m1 + ((m2 - m1) * (kHslGreyHue - h) + kHueSixth / 2) / kHueSixth;
    return m1;
}

}  // namespace

Hsl RgbToHsl(COLORREF color) {
    const int r = RgbRed(color);
    const int g = RgbGreen(color);
    const int b = RgbBlue(color);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int sum = max + min;
    constexpr int kTwiceMax = 2 * kRgbMax;

    Hsl hsl;
    hsl.l = (sum * kHslScale + kRgbMax) / kTwiceMax;
    if (max == min) {
        hsl.s = 0;
        hsl.h = kHslGreyHue;
        return hsl;
    }
    const int d = max - min;
    if (hsl.l <= kHslHalf) {
        hsl.s = (d * kHslScale + sum / 2) / sum;
    } else {
        hsl.s = (d * kHslScale + (kTwiceMax - sum) / 2) / (kTwiceMax - sum);
    }
    const int rd = ((max - r) * kHueSixth + d / 2) / d;
    const int gd = ((max - g) * kHueSixth + d / 2) / d;
    const int bd = ((max - b) * kHueSixth + d / 2) / d;
    if (r == max) {
        hsl.h = bd - gd;
    } else if (g == max) {
        hsl.h = 2 * kHueSixth + rd - bd;
    } else {
        hsl.h = 4 * kHueSixth + gd - rd;
    }
    if (hsl.h < 0) hsl.h += kHslScale;
    if (hsl.h > kHslScale) hsl.h -= kHslScale;
    return hsl;
}

COLORREF HslToRgb(int h, int s, int l) {
    h = std::clamp(h, 0, kHslScale);
    s = std::clamp(s, 0, kHslScale);
    l = std::clamp(l, 0, kHslScale);
    if (s == 0) {
        const int grey = l * kRgbMax / kHslScale;
        return MakeRgb(grey, grey, grey);
    }
    const int m2 = l <= kHslHalf ? (l * (kHslScale + s) + kHslHalf) / kHslScale
                                 : l + s - (l * s + kHslHalf) / kHslScale;
    const int m1 = 2 * l - m2;
    const auto toByte = [](int channel) { return (channel * kRgbMax + kHslHalf) / kHslScale; };
    return MakeRgb(toByte(HueToChannel(m1, m2, h + 2 * kHueSixth)), toByte(HueToChannel(m1, m2, h)),
                   toByte(HueToChannel(m1, m2, h - 2 * kHueSixth)));
}

Hsv RgbToHsv(COLORREF color) {
    const double r = RgbRed(color) / static_cast<double>(kRgbMax);
    const double g = RgbGreen(color) / static_cast<double>(kRgbMax);
    const double b = RgbBlue(color) / static_cast<double>(kRgbMax);
    const double v = std::max({r, g, b});
    const double mn = std::min({r, g, b});

    double s = 0.0;
    double hue = kHsvGreyHue;
    if (v != 0.0) {
        const double d = v - mn;
        s = d / v;
        if (s != 0.0) {
            const double dr = (v - r) / d;
            const double dg = (v - g) / d;
            const double db = (v - b) / d;
            if (r == v) {
                hue = db - dg;
            } else if (g == v) {
                hue = 2.0 + dr - db;
            } else {
                hue = 4.0 + dg - dr;
            }
            hue *= kDegreesPerHueUnit;
            if (hue < 0.0) hue += kFullCircle;
        }
    }
    return Hsv{RoundHalfUp16(hue), RoundHalfUp16(s * kPercent), RoundHalfUp16(v * kPercent)};
}

Cmyk RgbToCmyk(COLORREF color) {
    const double c1 = 1.0 - RgbRed(color) / static_cast<double>(kRgbMax);
    const double m1 = 1.0 - RgbGreen(color) / static_cast<double>(kRgbMax);
    const double y1 = 1.0 - RgbBlue(color) / static_cast<double>(kRgbMax);
    const double k = std::min({c1, m1, y1});
    double c = 0.0;
    double m = 0.0;
    double y = 0.0;
    if (k != 1.0) {
        c = (c1 - k) / (1.0 - k);
        m = (m1 - k) / (1.0 - k);
        y = (y1 - k) / (1.0 - k);
    }
    const auto percent = [](double x) { return static_cast<int>(x * kPercent + 0.5); };
    return Cmyk{percent(c), percent(m), percent(y), percent(k)};
}

}  // namespace nl
