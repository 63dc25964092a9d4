#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "model/color_math.h"

namespace nl {

// How a color-vision deficiency is simulated: the three dichromacies (one kind of cone
// missing), the anomalous trichromacies (one kind shifted, by a severity), and
// achromatopsia (no color at all, luminance only).
enum class ColorVision : std::int32_t {
    kNormal = 0,
    kProtanopia,
    kDeuteranopia,
    kTritanopia,
    kAchromatopsia,
    kProtanomaly,
    kDeuteranomaly,
    kTritanomaly,
};
inline constexpr int kColorVisionCount = 8;

// The stored names of the simulations ("normal", "protanopia", ...), and back; none for a
// name that is not one of them.
std::string_view ColorVisionName(ColorVision vision);
bool ColorVisionFromName(std::string_view name, ColorVision& vision);

// A row-major 3×3 matrix on linear-light red, green and blue.
using ColorMatrix = std::array<double, 9>;

// The matrix of a simulation: Machado, Oliveira and Fernandes (2009) for the deficiencies,
// at `severity` 0..1 for the anomalous ones (the dichromacies are severity 1), and the
// luminance row thrice for achromatopsia.
ColorMatrix ColorVisionMatrix(ColorVision vision, double severity);

// Applies the simulation to 8-bit sRGB colors: each channel decoded to linear light, the
// matrix applied, the result clamped and encoded again. Built once per simulation, it
// carries a whole picture quickly.
class CColorVisionFilter {
public:
    CColorVisionFilter(ColorVision vision, double severity);
    bool IsIdentity() const { return m_identity; }
    COLORREF Apply(COLORREF color) const;
    // The same on a pixel 0xAARRGGBB (alpha kept), as pictures store them.
    std::uint32_t ApplyArgb(std::uint32_t pixel) const;

private:
    // The nearest 8-bit value of a linear-light channel, clamped into 0..255.
    int Encode(double linear) const;

    ColorMatrix m_matrix;
    bool m_identity;
    std::array<double, 256> m_decode{};
    // The linear light halfway between each 8-bit value and the next: where rounding turns.
    std::array<double, 255> m_halfway{};
};

}  // namespace nl
