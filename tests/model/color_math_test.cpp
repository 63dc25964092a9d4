#include "model/color_math.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace nl {
namespace {

TEST(ColorMathTest, ChannelsAndPacking) {
    constexpr COLORREF color = MakeRgb(12, 200, 99);
    static_assert(color == 0x0063C80C);
    static_assert(RgbRed(color) == 12 && RgbGreen(color) == 200 && RgbBlue(color) == 99);
    static_assert(MakeRgb(256 + 1, -1, 0) == 0x0000FF01);  // each channel modulo 256
    static_assert(RgbBlue(kNoColor) == 255);
    SUCCEED();
}

TEST(ColorMathTest, HslRoundTrip) {
    struct Case {
        COLORREF in;
        COLORREF out;
    };
    const Case cases[] = {
        {MakeRgb(0, 0, 0), MakeRgb(0, 0, 0)},
        {MakeRgb(255, 255, 255), MakeRgb(255, 255, 255)},
        {MakeRgb(255, 0, 0), MakeRgb(255, 0, 0)},
        {MakeRgb(0, 255, 0), MakeRgb(0, 255, 0)},
        {MakeRgb(0, 0, 255), MakeRgb(0, 0, 255)},
        {MakeRgb(255, 255, 0), MakeRgb(255, 255, 0)},
        {MakeRgb(0, 255, 255), MakeRgb(0, 255, 255)},
        {MakeRgb(255, 0, 255), MakeRgb(255, 0, 255)},
        {MakeRgb(128, 128, 128), MakeRgb(127, 127, 127)},  // the grey branch truncates
        {MakeRgb(12, 200, 99), MakeRgb(12, 201, 102)},
    };
    for (const Case& c : cases) {
        const Hsl hsl = RgbToHsl(c.in);
        EXPECT_EQ(HslToRgb(hsl.h, hsl.s, hsl.l), c.out) << std::hex << c.in;
    }
}

TEST(ColorMathTest, HslToRgbClampsOutOfRangeInput) {
    EXPECT_EQ(HslToRgb(-5, 300, 120), HslToRgb(0, 240, 120));
    EXPECT_EQ(HslToRgb(1000, 240, 1000), MakeRgb(255, 255, 255));
    EXPECT_EQ(HslToRgb(80, -7, 60), HslToRgb(80, 0, 60));
}

// Over a coarse grid of all colors, every conversion stays in its range and a colored pixel
// survives the HSL round trip within the rounding of the 0..240 scale.
TEST(ColorMathTest, ValuesStayInRangeOverColorGrid) {
    constexpr int kStep = 15;  // 0, 15, ..., 255
    // The largest channel error of the round trip over all 24-bit colors.
    constexpr int kMaxRoundTripError = 5;
    for (int r = 0; r <= 255; r += kStep) {
        for (int g = 0; g <= 255; g += kStep) {
            for (int b = 0; b <= 255; b += kStep) {
                const COLORREF color = MakeRgb(r, g, b);
                const Hsl hsl = RgbToHsl(color);
                const Hsv hsv = RgbToHsv(color);
                const Cmyk cmyk = RgbToCmyk(color);
                SCOPED_TRACE(testing::Message() << r << "," << g << "," << b);
                for (const int v : {hsl.h, hsl.s, hsl.l}) ASSERT_TRUE(v >= 0 && v <= 240) << v;
                ASSERT_TRUE(hsv.h >= 0 && hsv.h <= 360) << hsv.h;
                ASSERT_TRUE(hsv.s >= 0 && hsv.s <= 100 && hsv.v >= 0 && hsv.v <= 100);
                for (const int v : {cmyk.c, cmyk.m, cmyk.y, cmyk.k}) {
                    ASSERT_TRUE(v >= 0 && v <= 100) << v;
                }
                const COLORREF back = HslToRgb(hsl.h, hsl.s, hsl.l);
                ASSERT_LE(std::abs(RgbRed(back) - r), kMaxRoundTripError);
                ASSERT_LE(std::abs(RgbGreen(back) - g), kMaxRoundTripError);
                ASSERT_LE(std::abs(RgbBlue(back) - b), kMaxRoundTripError);
            }
        }
    }
}

}  // namespace
}  // namespace nl
