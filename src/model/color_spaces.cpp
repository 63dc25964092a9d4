#include "model/color_spaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nl {
namespace {

constexpr double kChannelMax = 255.0;
// CIE Lab's constants and the D50 white point's X and Z (Y is 1).
constexpr double kLabKappa = 24389.0 / 27;
constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kD50WhiteX = 0.3457 / 0.3585;
constexpr double kD50WhiteZ = (1 - 0.3457 - 0.3585) / 0.3585;
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

CieLab LinearToLab(const LinearRgb& c) {
    const double x65 =
        0.41239079926595934 * c.r + 0.357584339383878 * c.g + 0.1804807884018343 * c.b;
    const double y65 =
        0.21263900587151027 * c.r + 0.715168678767756 * c.g + 0.07219231536073371 * c.b;
    const double z65 =
        0.01933081871559182 * c.r + 0.11919477979462598 * c.g + 0.9505321522496607 * c.b;
    const double x =
        1.0479298208405488 * x65 + 0.022946793341019088 * y65 - 0.05019222954313557 * z65;
    const double y =
        0.029627815688159344 * x65 + 0.990434484573249 * y65 - 0.01707382502938514 * z65;
    const double z =
        -0.009243058152591178 * x65 + 0.015055144896577895 * y65 + 0.7518742899580008 * z65;
    const auto f = [](double t) {
        return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16) / 116;
    };
    const double fx = f(x / kD50WhiteX);
    const double fy = f(y);
    const double fz = f(z / kD50WhiteZ);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

LinearRgb LabToLinear(const CieLab& lab) {
    const double fy = (lab.l + 16) / 116;
    const double fx = fy + lab.a / 500;
    const double fz = fy - lab.b / 200;
    const auto cube = [](double f) {
        return f * f * f > kLabEpsilon ? f * f * f : (116 * f - 16) / kLabKappa;
    };
    const double x = cube(fx) * kD50WhiteX;
    const double y = lab.l > kLabKappa * kLabEpsilon ? fy * fy * fy : lab.l / kLabKappa;
    const double z = cube(fz) * kD50WhiteZ;
    const double x65 = 0.955473421488075 * x - 0.02309845494876471 * y + 0.06325924320057072 * z;
    const double y65 = -0.0283697093338637 * x + 1.0099953980813041 * y + 0.021041441191917323 * z;
    const double z65 = 0.012314014864481998 * x - 0.020507649298898964 * y + 1.330365926242124 * z;
    return {3.2409699419045226 * x65 - 1.537383177570094 * y65 - 0.4986107602930034 * z65,
            -0.9692436362808796 * x65 + 1.8759675015077202 * y65 + 0.04155505740717559 * z65,
            0.05563007969699366 * x65 - 0.20397695888897652 * y65 + 1.0569715142428786 * z65};
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
