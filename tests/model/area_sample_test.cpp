// Sampling a square of pixels: the square at the screen's edge and the four statistics on
// patterns with known answers.
#include "model/area_sample.h"

#include <gtest/gtest.h>

#include <vector>

namespace nl {
namespace {

std::uint32_t Argb(int r, int g, int b) {
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

TEST(AreaSampleTest, SquaresAreCentredAndCutToTheScreen) {
    const Rect screen{0, 0, 1280, 1024};
    struct Case {
        Point centre;
        int size;
        Rect want;
    };
    const Case cases[] = {
        {{100, 100}, 1, {100, 100, 101, 101}},
        {{100, 100}, 3, {99, 99, 102, 102}},
        {{100, 100}, 31, {85, 85, 116, 116}},
        {{0, 0}, 5, {0, 0, 3, 3}},  // the corner keeps what is on the screen
        {{1279, 1023}, 5, {1277, 1021, 1280, 1024}},
    };
    for (const Case& c : cases) EXPECT_EQ(SampleSquare(c.centre, c.size, screen), c.want);
    // On a screen that starts left of zero (a monitor on the left).
    EXPECT_EQ(SampleSquare({-1920, 5}, 3, {-1920, 0, 1280, 1024}), (Rect{-1920, 4, -1918, 7}));
}

TEST(AreaSampleTest, StatisticsOnKnownPatterns) {
    const std::uint32_t black = Argb(0, 0, 0);
    const std::uint32_t white = Argb(255, 255, 255);
    const std::uint32_t grey = Argb(128, 128, 128);
    const std::uint32_t red = Argb(200, 30, 40);
    // A 3×3 checkerboard: five black, four white.
    const std::vector<std::uint32_t> checker = {black, white, black, white, black,
                                                white, black, white, black};
    // A grey background with one white outlier.
    std::vector<std::uint32_t> outlier(25, grey);
    outlier[12] = white;
    // A dither: red and white, red more often, white first.
    const std::vector<std::uint32_t> dither = {white, red, red, white, red, red};
    struct Case {
        const char* what;
        const std::vector<std::uint32_t>* pixels;
        SampleStat stat;
        COLORREF want;
    };
    const Case cases[] = {
        {"checker mean", &checker, SampleStat::kMean, MakeRgb(113, 113, 113)},  // 4/9 of 255
        // In linear light 4/9 of white is a much lighter grey.
        {"checker linear mean", &checker, SampleStat::kLinearMean, MakeRgb(178, 178, 178)},
        {"checker median", &checker, SampleStat::kMedian, MakeRgb(0, 0, 0)},
        {"checker mode", &checker, SampleStat::kMode, MakeRgb(0, 0, 0)},
        {"outlier median", &outlier, SampleStat::kMedian, MakeRgb(128, 128, 128)},
        {"outlier mean", &outlier, SampleStat::kMean, MakeRgb(133, 133, 133)},
        {"dither mode", &dither, SampleStat::kMode, MakeRgb(200, 30, 40)},
        {"dither median", &dither, SampleStat::kMedian, MakeRgb(200, 30, 40)},
    };
    for (const Case& c : cases) EXPECT_EQ(SampleColor(*c.pixels, c.stat), c.want) << c.what;
    // Equally frequent: the color met first.
    EXPECT_EQ(SampleColor(std::vector{white, black, black, white}, SampleStat::kMode),
              MakeRgb(255, 255, 255));
    // One pixel is itself whatever the statistic; the alpha byte plays no part.
    for (const SampleStat stat :
         {SampleStat::kMean, SampleStat::kLinearMean, SampleStat::kMedian, SampleStat::kMode}) {
        EXPECT_EQ(SampleColor(std::vector<std::uint32_t>{0x00C81E28}, stat), MakeRgb(200, 30, 40));
        EXPECT_EQ(SampleStatFromName(SampleStatName(stat)), stat);
    }
    EXPECT_EQ(SampleStatFromName("average"), std::nullopt);
}

}  // namespace
}  // namespace nl
