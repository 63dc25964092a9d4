#include "model/color_vision.h"

#include <algorithm>
#include <cmath>

#include "model/color_spaces.h"

namespace nl {
namespace {

using MatrixTable = std::array<ColorMatrix, 11>;

// Machado, Oliveira and Fernandes (2009), severities 0, 0.1, ..., 1.
constexpr MatrixTable kProtan = {{
    {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0},
    {0.856167, 0.182038, -0.038205, 0.029342, 0.955115, 0.015544, -0.00288, -0.001563, 1.004443},
    {0.734766, 0.334872, -0.069637, 0.05184, 0.919198, 0.028963, -0.004928, -0.004209, 1.009137},
    {0.630323, 0.465641, -0.095964, 0.069181, 0.890046, 0.040773, -0.006308, -0.007724, 1.014032},
    {0.539009, 0.579343, -0.118352, 0.082546, 0.866121, 0.051332, -0.007136, -0.011959, 1.019095},
    {0.458064, 0.679578, -0.137642, 0.092785, 0.846313, 0.060902, -0.007494, -0.016807, 1.024301},
    {0.38545, 0.769005, -0.154455, 0.100526, 0.829802, 0.069673, -0.007442, -0.02219, 1.029632},
    {0.319627, 0.849633, -0.169261, 0.106241, 0.815969, 0.07779, -0.007025, -0.028051, 1.035076},
    {0.259411, 0.923008, -0.18242, 0.110296, 0.80434, 0.085364, -0.006276, -0.034346, 1.040622},
    {0.203876, 0.990338, -0.194214, 0.112975, 0.794542, 0.092483, -0.005222, -0.041043, 1.046265},
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
}};
constexpr MatrixTable kDeutan = {{
    {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0},
    {0.866435, 0.177704, -0.044139, 0.049567, 0.939063, 0.01137, -0.003453, 0.007233, 0.99622},
    {0.760729, 0.319078, -0.079807, 0.090568, 0.889315, 0.020117, -0.006027, 0.013325, 0.992702},
    {0.675425, 0.43385, -0.109275, 0.125303, 0.847755, 0.026942, -0.00795, 0.018572, 0.989378},
    {0.605511, 0.52856, -0.134071, 0.155318, 0.812366, 0.032316, -0.009376, 0.023176, 0.9862},
    {0.547494, 0.607765, -0.155259, 0.181692, 0.781742, 0.036566, -0.01041, 0.027275, 0.983136},
    {0.498864, 0.674741, -0.173604, 0.205199, 0.754872, 0.039929, -0.011131, 0.030969, 0.980162},
    {0.457771, 0.731899, -0.18967, 0.226409, 0.731012, 0.042579, -0.011595, 0.034333, 0.977261},
    {0.422823, 0.781057, -0.203881, 0.245752, 0.709602, 0.044646, -0.011843, 0.037423, 0.974421},
    {0.392952, 0.82361, -0.216562, 0.263559, 0.69021, 0.046232, -0.01191, 0.040281, 0.97163},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.01182, 0.04294, 0.968881},
}};
constexpr MatrixTable kTritan = {{
    {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0},
    {0.92667, 0.092514, -0.019184, 0.021191, 0.964503, 0.014306, 0.008437, 0.054813, 0.93675},
    {0.89572, 0.13333, -0.02905, 0.029997, 0.9454, 0.024603, 0.013027, 0.104707, 0.882266},
    {0.905871, 0.127791, -0.033662, 0.026856, 0.941251, 0.031893, 0.01341, 0.148296, 0.838294},
    {0.948035, 0.08949, -0.037526, 0.014364, 0.946792, 0.038844, 0.010853, 0.193991, 0.795156},
    {1.017277, 0.027029, -0.044306, -0.006113, 0.958479, 0.047634, 0.006379, 0.248708, 0.744913},
    {1.104996, -0.046633, -0.058363, -0.032137, 0.971635, 0.060503, 0.001336, 0.317922, 0.680742},
    {1.193214, -0.109812, -0.083402, -0.058496, 0.97941, 0.079086, -0.002346, 0.403492, 0.598854},
    {1.257728, -0.139648, -0.118081, -0.078003, 0.975409, 0.102594, -0.003316, 0.501214, 0.502102},
    {1.278864, -0.125333, -0.153531, -0.084748, 0.957674, 0.127074, -0.000989, 0.601151, 0.399838},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.3039},
}};

constexpr ColorMatrix kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};

constexpr std::string_view kNames[kColorVisionCount] = {
    "normal",        "protanopia",  "deuteranopia",  "tritanopia",
    "achromatopsia", "protanomaly", "deuteranomaly", "tritanomaly",
};

// The table's matrix at `severity`, between its tenths linearly.
ColorMatrix AtSeverity(const MatrixTable& table, double severity) {
    const double at = std::clamp(severity, 0.0, 1.0) * 10;
    const auto low = static_cast<std::size_t>(std::floor(at));
    if (low >= 10) return table[10];
    const double t = at - static_cast<double>(low);
    ColorMatrix m{};
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = table[low][i] + (table[low + 1][i] - table[low][i]) * t;
    return m;
}

}  // namespace

std::string_view ColorVisionName(ColorVision vision) {
    const auto index = static_cast<std::size_t>(vision);
    return index < std::size(kNames) ? kNames[index] : kNames[0];
}

bool ColorVisionFromName(std::string_view name, ColorVision& vision) {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        if (kNames[i] == name) {
            vision = static_cast<ColorVision>(i);
            return true;
        }
    }
    return false;
}

ColorMatrix ColorVisionMatrix(ColorVision vision, double severity) {
    switch (vision) {
        case ColorVision::kProtanopia:
            return kProtan[10];
        case ColorVision::kDeuteranopia:
            return kDeutan[10];
        case ColorVision::kTritanopia:
            return kTritan[10];
        case ColorVision::kProtanomaly:
            return AtSeverity(kProtan, severity);
        case ColorVision::kDeuteranomaly:
            return AtSeverity(kDeutan, severity);
        case ColorVision::kTritanomaly:
            return AtSeverity(kTritan, severity);
        case ColorVision::kAchromatopsia: {
            // Relative luminance on every channel: the grey of the same lightness.
            constexpr double r = 0.2126, g = 0.7152, b = 0.0722;
            return {r, g, b, r, g, b, r, g, b};
        }
        case ColorVision::kNormal:
            break;
    }
    return kIdentity;
}

CColorVisionFilter::CColorVisionFilter(ColorVision vision, double severity)
    : m_matrix(ColorVisionMatrix(vision, severity)), m_identity(m_matrix == kIdentity) {
    for (int v = 0; v < 256; ++v) m_decode[static_cast<std::size_t>(v)] = SrgbToLinear(v / 255.0);
    for (int v = 0; v < 255; ++v)
        m_halfway[static_cast<std::size_t>(v)] = SrgbToLinear((v + 0.5) / 255.0);
}

int CColorVisionFilter::Encode(double linear) const {
    return static_cast<int>(std::upper_bound(m_halfway.begin(), m_halfway.end(), linear) -
                            m_halfway.begin());
}

COLORREF CColorVisionFilter::Apply(COLORREF color) const {
    if (m_identity) return color & kRgbMask;
    const double r = m_decode[static_cast<std::size_t>(RgbRed(color))];
    const double g = m_decode[static_cast<std::size_t>(RgbGreen(color))];
    const double b = m_decode[static_cast<std::size_t>(RgbBlue(color))];
    const ColorMatrix& m = m_matrix;
    return MakeRgb(Encode(m[0] * r + m[1] * g + m[2] * b), Encode(m[3] * r + m[4] * g + m[5] * b),
                   Encode(m[6] * r + m[7] * g + m[8] * b));
}

std::uint32_t CColorVisionFilter::ApplyArgb(std::uint32_t pixel) const {
    const COLORREF rgb =
        MakeRgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                static_cast<int>(pixel & 0xFF));
    const COLORREF out = Apply(rgb);
    return (pixel & 0xFF000000) | static_cast<std::uint32_t>(RgbRed(out)) << 16 |
           static_cast<std::uint32_t>(RgbGreen(out)) << 8 |
           static_cast<std::uint32_t>(RgbBlue(out));
}

}  // namespace nl
