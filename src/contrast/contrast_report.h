#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/color_math.h"
#include "model/color_vision.h"

namespace nl {

// What the Contrast window shows of a pair of colors, worked out once per change: the
// WCAG 2.x ratio and its five verdicts, the APCA lightness contrast and its level, the pair
// as each color-vision deficiency sees it, and the nearest colors that pass.
struct ContrastReport {
    struct Verdict {
        std::string name;  // "AA normal text"
        double threshold = 0;
        bool pass = false;
    };
    struct Simulated {
        ColorVision vision = ColorVision::kNormal;
        std::string name;  // "Deuteranopia"
        COLORREF text = 0;
        COLORREF background = 0;
        std::string ratio;  // "4.48:1"
        bool aaNormal = false;
    };
    // A color that passes `level` with the other color of the pair kept; none when no
    // lightness reaches it.
    struct Suggestion {
        std::string level;  // "AA" or "AAA"
        bool movesText = true;
        std::optional<COLORREF> color;
    };

    COLORREF text = 0;
    COLORREF background = 0;
    double ratio = 1;
    std::string ratioText;  // "4.48:1", never rounded up onto a threshold it misses
    std::vector<Verdict> verdicts;
    double lc = 0;
    std::string lcText;     // "Lc 71.11" (signed: light text on dark is negative)
    int level = 0;          // 90, 75, 60, 45, 30, 15 or 0
    std::string levelText;  // what the level is good for
    std::vector<Simulated> simulations;
    std::vector<Suggestion> suggestions;  // empty when the pair passes AAA
};

// The simulations the report shows the pair under: the dichromacies and achromatopsia.
inline constexpr ColorVision kReportedVisions[] = {
    ColorVision::kProtanopia, ColorVision::kDeuteranopia, ColorVision::kTritanopia,
    ColorVision::kAchromatopsia};

ContrastReport MakeContrastReport(COLORREF text, COLORREF background);

// The figures as lines of "name<TAB>value": the ratio, the five verdicts ("pass" or "fail"),
// the APCA Lc and its level; what the command line prints and the window copies.
std::string ContrastFiguresText(const ContrastReport& report);

// A ratio as the program writes it, "12.29:1".
std::string RatioText(double ratio);

// Lc rounded to two decimals as shown; -0.00 reads 0.00.
double ShownLc(double lc);

// What an APCA level is fit for ("Body text"; "Not enough for text" below 15).
std::string ApcaLevelText(int level);

}  // namespace nl
