#pragma once
#include <optional>

#include "model/color_math.h"

namespace nl {

// The thresholds of the WCAG 2.x contrast ratio: body text, large text (18 pt, or 14 pt
// bold) and the non-text 3:1 of interface parts and graphics.
inline constexpr double kRatioAaNormal = 4.5;
inline constexpr double kRatioAaLarge = 3.0;
inline constexpr double kRatioAaaNormal = 7.0;
inline constexpr double kRatioAaaLarge = 4.5;
inline constexpr double kRatioNonText = 3.0;

// The relative luminance of an sRGB color, 0 for black to 1 for white.
double RelativeLuminance(COLORREF color);
// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: 1 to 21, whichever color is given first.
double ContrastRatio(COLORREF a, COLORREF b);

// The verdicts of a ratio, each compared unrounded: 4.499 fails 4.5 though it reads 4.50.
struct WcagVerdicts {
    bool aaNormal = false;
    bool aaLarge = false;
    bool aaaNormal = false;
    bool aaaLarge = false;
    bool nonText = false;
    friend bool operator==(const WcagVerdicts&, const WcagVerdicts&) = default;
};
WcagVerdicts JudgeRatio(double ratio);
// The ratio to show, to two decimals: rounded, but never up onto a threshold it misses (4.499
// shows 4.49, not a passing-looking 4.50).
double ShownRatio(double ratio);

// The APCA lightness contrast Lc of `text` on `background` (APCA-W3 0.0.98G-4g): positive for
// dark text on a light background, negative for light on dark, 0 below the noise floor.
double ApcaContrast(COLORREF text, COLORREF background);
// The highest usage level |Lc| reaches: 90, 75, 60, 45, 30 or 15; 0 below 15.
int ApcaLevel(double lc);

// The color nearest to `moving` whose contrast ratio with `fixed` is at least `ratio`: its
// OKLCH lightness moved up or down as little as needed, its hue kept and as much of its
// chroma as the sRGB gamut holds at that lightness. `moving` itself when it passes; none
// when no lightness reaches the ratio.
std::optional<COLORREF> NearestPassingColor(COLORREF moving, COLORREF fixed, double ratio);

}  // namespace nl
