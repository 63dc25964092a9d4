#include "model/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "model/color_spaces.h"

namespace nl {
namespace {

// APCA-W3 0.0.98G-4g: a plain 2.4 power curve for screen luminance, a soft clamp near black,
// and separate exponents for the two polarities.
constexpr double kApcaTrc = 2.4;
constexpr double kApcaRed = 0.2126729;
constexpr double kApcaGreen = 0.7151522;
constexpr double kApcaBlue = 0.0721750;
constexpr double kNormalBackground = 0.56;
constexpr double kNormalText = 0.57;
constexpr double kReverseText = 0.62;
constexpr double kReverseBackground = 0.65;
constexpr double kBlackThreshold = 0.022;
constexpr double kBlackClamp = 1.414;
constexpr double kScale = 1.14;
constexpr double kLowOffset = 0.027;
constexpr double kDeltaYMin = 0.0005;
constexpr double kLowClip = 0.1;

constexpr std::array<int, 6> kApcaLevels = {90, 75, 60, 45, 30, 15};

// The lightness steps of the search for a passing color, far finer than an 8-bit step.
constexpr double kLightnessStep = 0.0005;

double ScreenLuminance(COLORREF color) {
    const auto channel = [](int value) { return std::pow(value / 255.0, kApcaTrc); };
    const double y = kApcaRed * channel(RgbRed(color)) + kApcaGreen * channel(RgbGreen(color)) +
                     kApcaBlue * channel(RgbBlue(color));
    return y > kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

}  // namespace

double RelativeLuminance(COLORREF color) {
    const LinearRgb c = ToLinear(color);
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

WcagVerdicts JudgeRatio(double ratio) {
    return {ratio >= kRatioAaNormal, ratio >= kRatioAaLarge, ratio >= kRatioAaaNormal,
            ratio >= kRatioAaaLarge, ratio >= kRatioNonText};
}

double ShownRatio(double ratio) {
    const double rounded = std::round(ratio * 100) / 100;
    for (const double threshold : {kRatioAaLarge, kRatioAaNormal, kRatioAaaNormal}) {
        if (ratio < threshold && rounded >= threshold) return std::floor(ratio * 100) / 100;
    }
    return rounded;
}

double ApcaContrast(COLORREF text, COLORREF background) {
    const double textY = ScreenLuminance(text);
    const double backgroundY = ScreenLuminance(background);
    if (std::abs(backgroundY - textY) < kDeltaYMin) return 0;
    if (backgroundY > textY) {
        const double sapc =
            (std::pow(backgroundY, kNormalBackground) - std::pow(textY, kNormalText)) * kScale;
        return sapc < kLowClip ? 0 : (sapc - kLowOffset) * 100;
    }
    const double sapc =
        (std::pow(backgroundY, kReverseBackground) - std::pow(textY, kReverseText)) * kScale;
    return sapc > -kLowClip ? 0 : (sapc + kLowOffset) * 100;
}

int ApcaLevel(double lc) {
    const double magnitude = std::abs(lc);
    for (const int level : kApcaLevels) {
        if (magnitude >= level) return level;
    }
    return 0;
}

std::optional<COLORREF> NearestPassingColor(COLORREF moving, COLORREF fixed, double ratio) {
    if (ContrastRatio(moving, fixed) >= ratio) return moving;
    const Oklch start = ToPolar(LinearToOklab(ToLinear(moving)));
    // The first passing color in each direction; the nearer of the two wins.
    const auto search = [&](double direction) -> std::optional<std::pair<double, COLORREF>> {
        for (double distance = kLightnessStep;; distance += kLightnessStep) {
            const double l = start.l + direction * distance;
            if (l < 0 || l > 1) {
                // The ends themselves, black or white, are the last to try.
                const COLORREF end = l < 0 ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255);
                if (ContrastRatio(end, fixed) >= ratio) return std::pair{distance, end};
                return std::nullopt;
            }
            const COLORREF candidate = FromLinear(OklchInGamut(l, start.c, start.h));
            if (ContrastRatio(candidate, fixed) >= ratio) return std::pair{distance, candidate};
        }
    };
    const auto lighter = search(+1);
    const auto darker = search(-1);
    if (lighter && (!darker || lighter->first <= darker->first)) return lighter->second;
    if (darker) return darker->second;
    return std::nullopt;
}

}  // namespace nl
