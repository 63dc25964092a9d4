#pragma once
#include "model/color_math.h"

namespace nl {

// Red, green and blue in linear light, 0..1 inside the sRGB gamut.
struct LinearRgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

// OKLab: perceptual lightness L (0..1) and the two opponent axes a and b.
struct Oklab {
    double l = 0;
    double a = 0;
    double b = 0;
};

// OKLab in polar form: lightness, chroma and hue in degrees 0..360.
struct Oklch {
    double l = 0;
    double c = 0;
    double h = 0;
};

// CIE Lab under the D50 white, as CSS's lab() and lch() write it: L 0..100, a and b about
// -125..125.
struct CieLab {
    double l = 0;
    double a = 0;
    double b = 0;
};

// The sRGB transfer function and its inverse, on channel values 0..1.
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

LinearRgb ToLinear(COLORREF color);
// The nearest 8-bit color, each channel clamped into the gamut first.
COLORREF FromLinear(const LinearRgb& rgb);
// Whether every channel lies within 0..1, give or take `slack`.
bool InGamut(const LinearRgb& rgb, double slack = 1e-7);

Oklab LinearToOklab(const LinearRgb& rgb);
LinearRgb OklabToLinear(const Oklab& lab);
Oklch ToPolar(const Oklab& lab);
Oklab FromPolar(const Oklch& lch);

// CIE Lab (D50) from and to linear sRGB (D65), through XYZ and the Bradford adaptation. The
// polar form of Lab (lch) uses ToPolar and FromPolar, whose fields read as L, C, h there.
CieLab LinearToLab(const LinearRgb& rgb);
LinearRgb LabToLinear(const CieLab& lab);

// The color of lightness `l` and hue `h` with as much of the chroma `c` as the sRGB gamut
// holds there (the chroma is reduced, never the lightness or the hue).
LinearRgb OklchInGamut(double l, double c, double h);

}  // namespace nl
