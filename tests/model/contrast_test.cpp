// Contrast between two colors: the WCAG 2.x ratio and verdicts, APCA's Lc and its levels,
// and the nearest colors that pass, against reference values.
#include "model/contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "hex_color.h"
#include "model/color_spaces.h"

namespace nl {
namespace {

using test::Hex;

TEST(ContrastTest, RatioAndLcMatchTheReferenceImplementations) {
    // Text, background, the WCAG 2.x ratio (culori) and APCA's Lc (apca-w3).
    struct Case {
        const char* text;
        const char* background;
        double ratio;
        double lc;
    };
    const Case cases[] = {
        {"#000000", "#FFFFFF", 21.000000, 106.0407}, {"#FFFFFF", "#000000", 21.000000, -107.8847},
        {"#777777", "#FFFFFF", 4.478089, 71.1111},   {"#767676", "#FFFFFF", 4.542225, 71.5724},
        {"#888888", "#FFFFFF", 3.544886, 63.0565},   {"#FFFFFF", "#777777", 4.478089, -76.5819},
        {"#1A5C9E", "#FFFFFF", 6.843723, 83.2035},   {"#C03020", "#FFFFFF", 5.698885, 77.0756},
        {"#2E8B57", "#F0F0F0", 3.725074, 60.0778},   {"#FFFF00", "#000080", 14.908868, -98.7140},
        {"#595959", "#FFFFFF", 7.004729, 84.2901},   {"#E63946", "#1D3557", 2.965257, -28.0199},
        {"#333333", "#EEEEEE", 10.889780, 88.5753},  {"#808080", "#808080", 1.000000, 0.0000},
        {"#0000FF", "#FF0000", 2.148936, 19.7305},   {"#00FF00", "#FFFFFF", 1.372190, 17.1301},
        {"#FFFFFF", "#0066CC", 5.566637, -82.3253},  {"#121212", "#1E1E1E", 1.123717, 0.0000},
        {"#949494", "#000000", 6.922765, -44.6215},  {"#FAFAFA", "#F0F0F0", 1.091827, 0.0000},
        {"#A7B82C", "#4E0850", 6.467001, -54.1316},  {"#A1EA70", "#FEF210", 1.234459, 10.6538},
        {"#ADF130", "#AC51D0", 3.180899, -53.0809},  {"#2C35F0", "#E21790", 1.655552, 13.4929},
        {"#B50FE6", "#D3D94E", 3.306004, 46.1525},   {"#BD4A96", "#56763E", 1.129925, 0.0000},
        {"#CB3CC6", "#3134AE", 2.239639, -21.3087},  {"#947276", "#3BD7D4", 2.406156, 35.1056},
        {"#357DA4", "#C99E6B", 1.858203, 21.2294},   {"#DF0DF0", "#D80F90", 1.241999, 0.0000},
        {"#1C80B0", "#786B50", 1.185794, 0.0000},    {"#BB38A6", "#5DB30E", 1.872622, 20.0253},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " on " + c.background);
        const COLORREF text = Hex(c.text);
        const COLORREF background = Hex(c.background);
        EXPECT_NEAR(ContrastRatio(text, background), c.ratio, 5e-6);
        EXPECT_NEAR(ContrastRatio(background, text), c.ratio, 5e-6);
        EXPECT_NEAR(ApcaContrast(text, background), c.lc, 5e-4);
    }
}

TEST(ContrastTest, OklchMatchesTheReferenceAndComesBack) {
    // Colors in OKLCH as culori gives them: lightness, chroma, hue in degrees.
    struct Case {
        const char* color;
        double l;
        double c;
        double h;
    };
    const Case cases[] = {
        {"#1A5C9E", 0.470117, 0.124676, 252.4051}, {"#C03020", 0.533510, 0.183147, 30.3242},
        {"#777777", 0.569262, 0.000000, 0.0000},   {"#2E8B57", 0.568526, 0.118714, 154.9492},
        {"#FFFF00", 0.967983, 0.211006, 109.7692}, {"#FF00FF", 0.701674, 0.322491, 328.3634},
        {"#010203", 0.082309, 0.008035, 240.7509},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.color);
        const COLORREF color = Hex(c.color);
        const Oklch lch = ToPolar(LinearToOklab(ToLinear(color)));
        EXPECT_NEAR(lch.l, c.l, 2e-6);
        EXPECT_NEAR(lch.c, c.c, 2e-6);
        if (c.c > 0) {
            EXPECT_NEAR(lch.h, c.h, 2e-3);
        }
        EXPECT_EQ(FromLinear(OklabToLinear(FromPolar(lch))), color);
        // In the gamut already: the chroma is kept.
        EXPECT_EQ(FromLinear(OklchInGamut(lch.l, lch.c, lch.h)), color);
    }
    // Past the gamut the chroma gives way and the lightness stays.
    const LinearRgb vivid = OklchInGamut(0.6, 0.5, 30);
    EXPECT_TRUE(InGamut(vivid, 1e-6));
    EXPECT_NEAR(LinearToOklab(vivid).l, 0.6, 1e-6);
}

TEST(ContrastTest, VerdictsCompareTheUnroundedRatio) {
    struct Case {
        double ratio;
        WcagVerdicts want;
    };
    const Case cases[] = {
        {21.0, {true, true, true, true, true}},       {7.0, {true, true, true, true, true}},
        {6.999, {true, true, false, true, true}},     {4.5, {true, true, false, true, true}},
        {4.499, {false, true, false, false, true}},   {3.0, {false, true, false, false, true}},
        {2.999, {false, false, false, false, false}}, {1.0, {false, false, false, false, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(JudgeRatio(c.ratio), c.want) << c.ratio;
    // Shown to two decimals, never rounded up onto a threshold the ratio misses.
    const std::pair<double, double> shown[] = {
        {4.478089, 4.48}, {4.499, 4.49}, {4.5, 4.5},       {6.996, 6.99},
        {2.9951, 2.99},   {3.004, 3.0},  {12.2867, 12.29}, {21.0, 21.0},
    };
    for (const auto& [ratio, want] : shown) EXPECT_DOUBLE_EQ(ShownRatio(ratio), want) << ratio;
    // #777777 on white reads 4.48 and fails AA; #767676 reads 4.54 and passes.
    EXPECT_FALSE(JudgeRatio(ContrastRatio(Hex("#777777"), Hex("#FFFFFF"))).aaNormal);
    EXPECT_TRUE(JudgeRatio(ContrastRatio(Hex("#767676"), Hex("#FFFFFF"))).aaNormal);
}

TEST(ContrastTest, ApcaLevelsAreTheHighestReachedWhateverThePolarity) {
    const std::pair<double, int> cases[] = {
        {106.04, 90}, {90.0, 90},  {89.99, 75}, {-107.88, 90}, {71.11, 60}, {-76.58, 75},
        {45.0, 45},   {-44.6, 30}, {30.0, 30},  {15.0, 15},    {14.99, 0},  {0.0, 0},
    };
    for (const auto& [lc, level] : cases) EXPECT_EQ(ApcaLevel(lc), level) << lc;
}

TEST(ContrastTest, NearestPassingColorsMoveLightnessOnlyAsFarAsNeeded) {
    // A failing grey moves to the first grey that passes: #777777 on white to #767676.
    EXPECT_EQ(NearestPassingColor(Hex("#777777"), Hex("#FFFFFF"), kRatioAaNormal), Hex("#767676"));
    // A color that passes stays as it is.
    EXPECT_EQ(NearestPassingColor(Hex("#000000"), Hex("#FFFFFF"), kRatioAaaNormal), Hex("#000000"));
    // Nothing reaches 21:1 against a mid grey.
    EXPECT_EQ(NearestPassingColor(Hex("#777777"), Hex("#808080"), 21.0), std::nullopt);

    struct Case {
        const char* moving;
        const char* fixed;
        double ratio;
    };
    const Case cases[] = {
        {"#E63946", "#FFFFFF", kRatioAaNormal},  {"#E63946", "#FFFFFF", kRatioAaaNormal},
        {"#2E8B57", "#F0F0F0", kRatioAaNormal},  {"#1D3557", "#E63946", kRatioAaNormal},
        {"#F4A261", "#264653", kRatioAaaNormal}, {"#FFFF00", "#FFFFFF", kRatioAaLarge},
        {"#3A86FF", "#000000", kRatioAaaNormal}, {"#777777", "#FFFFFF", kRatioAaaNormal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.moving) + " against " + c.fixed);
        const COLORREF moving = Hex(c.moving);
        const COLORREF fixed = Hex(c.fixed);
        const auto found = NearestPassingColor(moving, fixed, c.ratio);
        ASSERT_TRUE(found.has_value());
        EXPECT_GE(ContrastRatio(*found, fixed), c.ratio);
        const Oklch from = ToPolar(LinearToOklab(ToLinear(moving)));
        const Oklch to = ToPolar(LinearToOklab(ToLinear(*found)));
        // The hue stays (chroma may shrink at the gamut's edge; 8-bit steps move it a little).
        if (to.c > 0.02) {
            EXPECT_LT(std::abs(std::remainder(to.h - from.h, 360.0)), 4.0);
        }
        // Nearest: the same hue and chroma a little less far in lightness does not pass.
        const double back = (to.l - from.l) * 0.97;
        const COLORREF nearer = FromLinear(OklchInGamut(from.l + back, from.c, from.h));
        if (nearer != *found) {
            EXPECT_LT(ContrastRatio(nearer, fixed), c.ratio);
        }
    }
}

}  // namespace
}  // namespace nl
