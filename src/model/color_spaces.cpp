#include "model/color_spaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nl {
namespace {

constexpr double kChannelMax = 255.0;
// Halving the chroma this many times pins the gamut's edge far below an 8-bit step.
constexpr int kChromaSearchSteps = 24;

double Channel(int value) {
    return SrgbToLinear(value / kChannelMax);
}

int Encode(double linear) {
    const double encoded = LinearToSrgb(std::clamp(linear, 0.0, 1.0));
    return static_cast<int>(std::lround(encoded * kChannelMax));
}

}  // namespace

double SrgbToLinear(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double linear) {
    return linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

LinearRgb ToLinear(COLORREF color) {
    return {Channel(RgbRed(color)), Channel(RgbGreen(color)), Channel(RgbBlue(color))};
}

COLORREF FromLinear(const LinearRgb& rgb) {
    return MakeRgb(Encode(rgb.r), Encode(rgb.g), Encode(rgb.b));
}

bool InGamut(const LinearRgb& rgb, double slack) {
    const auto inside = [slack](double v) { return v >= -slack && v <= 1 + slack; };
    return inside(rgb.r) && inside(rgb.g) && inside(rgb.b);
}

Oklab LinearToOklab(const LinearRgb& c) {
    const double l = std::cbrt(0.4122214708 * c.r + 0.5363325363 * c.g + 0.0514459929 * c.b);
    const double m = std::cbrt(0.2119034982 * c.r + 0.6806995451 * c.g + 0.1073969566 * c.b);
    const double s = std::cbrt(0.0883024619 * c.r + 0.2817188376 * c.g + 0.6299787005 * c.b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

LinearRgb OklabToLinear(const Oklab& lab) {
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

Oklch ToPolar(const Oklab& lab) {
    double hue = std::atan2(lab.b, lab.a) * 180 / std::numbers::pi;
    if (hue < 0) hue += 360;
    return {lab.l, std::hypot(lab.a, lab.b), hue};
}

Oklab FromPolar(const Oklch& lch) {
    const double radians = lch.h * std::numbers::pi / 180;
    return {lch.l, lch.c * std::cos(radians), lch.c * std::sin(radians)};
}

LinearRgb OklchInGamut(double l, double c, double h) {
    const LinearRgb full = OklabToLinear(FromPolar({l, c, h}));
    if (InGamut(full)) return full;
    double inside = 0;
    double outside = c;
    for (int i = 0; i < kChromaSearchSteps; ++i) {
        const double middle = (inside + outside) / 2;
        if (InGamut(OklabToLinear(FromPolar({l, middle, h})))) {
            inside = middle;
        } else {
            outside = middle;
        }
    }
    return OklabToLinear(FromPolar({l, inside, h}));
}

}  // namespace nl
