// Color-vision simulation: the matrices applied in linear light to 8-bit colors, against
// values computed with colorjs.io's sRGB conversions and the published matrices.
#include "model/color_vision.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "hex_color.h"

namespace nl {
namespace {

using test::Hex;

TEST(ColorVisionTest, SimulatedColorsMatchTheReference) {
    struct Case {
        ColorVision vision;
        double severity;
        const char* color;
        const char* seen;
    };
    const Case cases[] = {
        {ColorVision::kProtanopia, 1, "#C83264", "#575B65"},
        {ColorVision::kProtanopia, 1, "#FF0000", "#6D5F00"},
        {ColorVision::kProtanopia, 1, "#00FF00", "#FFE500"},
        {ColorVision::kProtanopia, 1, "#0000FF", "#0059FF"},
        {ColorVision::kProtanopia, 1, "#2E8B57", "#8B8054"},
        {ColorVision::kProtanopia, 1, "#E63946", "#6C6545"},
        {ColorVision::kProtanopia, 1, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kProtanopia, 1, "#101010", "#101010"},
        {ColorVision::kDeuteranopia, 1, "#C83264", "#7F7860"},
        {ColorVision::kDeuteranopia, 1, "#FF0000", "#A39000"},
        {ColorVision::kDeuteranopia, 1, "#00FF00", "#EFD63A"},
        {ColorVision::kDeuteranopia, 1, "#0000FF", "#003DFB"},
        {ColorVision::kDeuteranopia, 1, "#2E8B57", "#7F775A"},
        {ColorVision::kDeuteranopia, 1, "#E63946", "#988940"},
        {ColorVision::kDeuteranopia, 1, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kDeuteranopia, 1, "#101010", "#101010"},
        {ColorVision::kTritanopia, 1, "#C83264", "#DA0B47"},
        {ColorVision::kTritanopia, 1, "#FF0000", "#FF000F"},
        {ColorVision::kTritanopia, 1, "#00FF00", "#00F7D9"},
        {ColorVision::kTritanopia, 1, "#0000FF", "#006B96"},
        {ColorVision::kTritanopia, 1, "#2E8B57", "#008A7E"},
        {ColorVision::kTritanopia, 1, "#E63946", "#FD0040"},
        {ColorVision::kTritanopia, 1, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kTritanopia, 1, "#101010", "#101010"},
        {ColorVision::kAchromatopsia, 1, "#C83264", "#6E6E6E"},
        {ColorVision::kAchromatopsia, 1, "#FF0000", "#7F7F7F"},
        {ColorVision::kAchromatopsia, 1, "#00FF00", "#DCDCDC"},
        {ColorVision::kAchromatopsia, 1, "#0000FF", "#4C4C4C"},
        {ColorVision::kAchromatopsia, 1, "#2E8B57", "#7B7B7B"},
        {ColorVision::kAchromatopsia, 1, "#E63946", "#7C7C7C"},
        {ColorVision::kAchromatopsia, 1, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kAchromatopsia, 1, "#101010", "#101010"},
        {ColorVision::kProtanomaly, 0.6, "#C83264", "#835664"},
        {ColorVision::kProtanomaly, 0.6, "#FF0000", "#A75900"},
        {ColorVision::kProtanomaly, 0.6, "#00FF00", "#E3EB00"},
        {ColorVision::kProtanomaly, 0.6, "#0000FF", "#004BFF"},
        {ColorVision::kProtanomaly, 0.6, "#2E8B57", "#7A8256"},
        {ColorVision::kProtanomaly, 0.6, "#E63946", "#9B6043"},
        {ColorVision::kProtanomaly, 0.6, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kProtanomaly, 0.6, "#101010", "#101010"},
        {ColorVision::kDeuteranomaly, 0.35, "#C83264", "#A45E62"},
        {ColorVision::kDeuteranomaly, 0.35, "#FF0000", "#D16900"},
        {ColorVision::kDeuteranomaly, 0.35, "#00FF00", "#B8EB28"},
        {ColorVision::kDeuteranomaly, 0.35, "#0000FF", "#0030FE"},
        {ColorVision::kDeuteranomaly, 0.35, "#2E8B57", "#658159"},
        {ColorVision::kDeuteranomaly, 0.35, "#E63946", "#BF6B42"},
        {ColorVision::kDeuteranomaly, 0.35, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kDeuteranomaly, 0.35, "#101010", "#101010"},
        {ColorVision::kTritanomaly, 0.5, "#C83264", "#C9335C"},
        {ColorVision::kTritanomaly, 0.5, "#FF0000", "#FF0013"},
        {ColorVision::kTritanomaly, 0.5, "#00FF00", "#2EFA89"},
        {ColorVision::kTritanomaly, 0.5, "#0000FF", "#003EE0"},
        {ColorVision::kTritanomaly, 0.5, "#2E8B57", "#318967"},
        {ColorVision::kTritanomaly, 0.5, "#E63946", "#E83646"},
        {ColorVision::kTritanomaly, 0.5, "#FFFFFF", "#FFFFFF"},
        {ColorVision::kTritanomaly, 0.5, "#101010", "#101010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ColorVisionName(c.vision)) + " " + c.color);
        const CColorVisionFilter filter(c.vision, c.severity);
        const COLORREF got = filter.Apply(Hex(c.color));
        const COLORREF want = Hex(c.seen);
        // Exact but for ties in the last rounding.
        EXPECT_LE(std::abs(RgbRed(got) - RgbRed(want)), 1);
        EXPECT_LE(std::abs(RgbGreen(got) - RgbGreen(want)), 1);
        EXPECT_LE(std::abs(RgbBlue(got) - RgbBlue(want)), 1);
        // A picture's pixels go the same way, their alpha kept.
        const std::uint32_t argb = 0x80000000 |
                                   static_cast<std::uint32_t>(RgbRed(Hex(c.color))) << 16 |
                                   static_cast<std::uint32_t>(RgbGreen(Hex(c.color))) << 8 |
                                   static_cast<std::uint32_t>(RgbBlue(Hex(c.color)));
        const std::uint32_t out = filter.ApplyArgb(argb);
        EXPECT_EQ(out >> 24, 0x80u);
        EXPECT_EQ(MakeRgb(out >> 16 & 0xFF, out >> 8 & 0xFF, out & 0xFF), got);
    }
}

TEST(ColorVisionTest, NormalVisionAndSeverityZeroChangeNothing) {
    for (const auto& [vision, severity] :
         {std::pair{ColorVision::kNormal, 1.0}, std::pair{ColorVision::kProtanomaly, 0.0},
          std::pair{ColorVision::kTritanomaly, 0.0}}) {
        const CColorVisionFilter filter(vision, severity);
        EXPECT_TRUE(filter.IsIdentity());
        for (int v = 0; v < 256; v += 5)
            EXPECT_EQ(filter.Apply(MakeRgb(v, 255 - v, v / 2)), MakeRgb(v, 255 - v, v / 2));
    }
    // Every grey stays grey for achromatopsia, and every channel value comes back exactly.
    const CColorVisionFilter grey(ColorVision::kAchromatopsia, 1);
    for (int v = 0; v < 256; ++v) EXPECT_EQ(grey.Apply(MakeRgb(v, v, v)), MakeRgb(v, v, v)) << v;
}

TEST(ColorVisionTest, NamesGoBothWays) {
    for (int i = 0; i < kColorVisionCount; ++i) {
        const auto vision = static_cast<ColorVision>(i);
        ColorVision back = ColorVision::kNormal;
        ASSERT_TRUE(ColorVisionFromName(ColorVisionName(vision), back));
        EXPECT_EQ(back, vision);
    }
    ColorVision unchanged = ColorVision::kTritanopia;
    EXPECT_FALSE(ColorVisionFromName("Deuteranopia", unchanged));
    EXPECT_EQ(unchanged, ColorVision::kTritanopia);
}

}  // namespace
}  // namespace nl
