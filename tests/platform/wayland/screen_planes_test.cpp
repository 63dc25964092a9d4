#include "platform/wayland/screen_planes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace nl::wayland {
namespace {

// A 4x2 picture whose pixel (x, y) holds red x, green y and blue 0x80, as 32-bit words in
// the given form and row order.
std::vector<std::uint32_t> Picture(PlaneFormat format, PlaneRows rows) {
    std::vector<std::uint32_t> words;
    for (int row = 0; row < 2; ++row) {
        const int y = rows == PlaneRows::kTopDown ? row : 1 - row;
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t r = 0x10 + x, g = 0x20 + y, b = 0x80;
            // The top byte is undefined in captures: readers must not pass it on.
            words.push_back(format == PlaneFormat::kXrgb
                                ? (0x11u << 24) | (r << 16) | (g << 8) | b
                                : (0x22u << 24) | (b << 16) | (g << 8) | r);
        }
    }
    return words;
}

GrabPixel Expected(int x, int y) {
    return 0xFF000000u | ((0x10u + x) << 16) | ((0x20u + y) << 8) | 0x80u;
}

constexpr GrabPixel kBlack = 0xFF000000;

// Two monitors side by side: a top-down 0x??RRGGBB one at 0,0 and a bottom-up 0x??BBGGRR one
// at 4,0, each 4x2.
struct TwoPlanes {
    std::vector<std::uint32_t> left = Picture(PlaneFormat::kXrgb, PlaneRows::kTopDown);
    std::vector<std::uint32_t> right = Picture(PlaneFormat::kXbgr, PlaneRows::kBottomUp);
    std::vector<ScreenPlane> planes = {
        {{0, 0, 4, 2},
         reinterpret_cast<const std::uint8_t*>(left.data()),
         16,
         PlaneFormat::kXrgb,
         PlaneRows::kTopDown},
        {{4, 0, 8, 2},
         reinterpret_cast<const std::uint8_t*>(right.data()),
         16,
         PlaneFormat::kXbgr,
         PlaneRows::kBottomUp},
    };
};

TEST(ScreenPlanes, PixelsReadTheSameWhateverTheFormatAndRowOrder) {
    const TwoPlanes screen;
    struct Case {
        Point at;
        std::optional<GrabPixel> expected;
    };
    const Case cases[] = {
        {{0, 0}, Expected(0, 0)}, {{3, 1}, Expected(3, 1)},  // top-down 0x??RRGGBB
        {{4, 0}, Expected(0, 0)}, {{7, 1}, Expected(3, 1)},  // bottom-up 0x??BBGGRR
        {{8, 0}, std::nullopt},   {{0, 2}, std::nullopt},    // no monitor there
        {{-1, 0}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlanePixel(screen.planes, c.at), c.expected) << c.at.x << "," << c.at.y;
}

TEST(ScreenPlanes, ComposeCopiesAcrossMonitorsAndBlackensTheRest) {
    const TwoPlanes screen;
    // From 2,-1 to 6,2 with a wider stride: a row above the screen, both monitors' edges.
    const Rect rect{2, -1, 6, 2};
    constexpr std::size_t kStride = 6;
    std::vector<GrabPixel> out(kStride * 3, 0x12345678);
    ComposePlanes(screen.planes, rect, out.data(), kStride);
    struct Case {
        int x, y;
        GrabPixel expected;
    };
    const Case cases[] = {
        {0, 0, kBlack},         {3, 0, kBlack},          // above the screen
        {0, 1, Expected(2, 0)}, {1, 2, Expected(3, 1)},  // the left monitor
        {2, 1, Expected(0, 0)}, {3, 2, Expected(1, 1)},  // the right monitor
        {4, 0, 0x12345678},     {5, 2, 0x12345678},      // past the width: untouched
    };
    for (const Case& c : cases)
        EXPECT_EQ(out[static_cast<std::size_t>(c.y) * kStride + c.x], c.expected)
            << c.x << "," << c.y;
}

TEST(ScreenPlanes, LendsOnlyFromOneTopDownRgbPlane) {
    const TwoPlanes screen;
    struct Case {
        Rect rect;
        bool lent;
    };
    const Case cases[] = {
        {{1, 1, 3, 2}, true},   // inside the top-down 0x??RRGGBB monitor
        {{3, 0, 5, 1}, false},  // across two monitors
        {{5, 0, 6, 1}, false},  // inside the bottom-up 0x??BBGGRR monitor: needs converting
        {{7, 1, 9, 2}, false},  // off the screen
        {{1, 1, 1, 2}, false},  // empty
    };
    for (const Case& c : cases) {
        const auto lent = LendFromPlanes(screen.planes, c.rect);
        ASSERT_EQ(lent.has_value(), c.lent) << c.rect.left << "," << c.rect.top;
        if (!lent) continue;
        EXPECT_EQ(lent->stride, 4u);
        EXPECT_EQ(lent->pixels[0] & 0xFFFFFF, Expected(1, 1) & 0xFFFFFF);
        EXPECT_EQ(lent->pixels[1] & 0xFFFFFF, Expected(2, 1) & 0xFFFFFF);
    }
}

TEST(ScreenPlanes, MonitorsKeepTheirLogicalArrangementInDevicePixels) {
    struct Case {
        const char* what;
        std::vector<OutputLayout> outputs;
        std::vector<Rect> expected;
        double scale;
    };
    const Case cases[] = {
        {"one monitor at scale 1", {{{0, 0, 1600, 1000}, 1600, 1000}}, {{0, 0, 1600, 1000}}, 1.0},
        {"two at scale 1, the second above and to the right",
         {{{0, 0, 1920, 1080}, 1920, 1080}, {{1920, -200, 3200, 824}, 1280, 1024}},
         {{0, 0, 1920, 1080}, {1920, -200, 3200, 824}},
         1.0},
        {"scale 2 beside scale 1: positions at the larger scale, sizes as captured",
         {{{0, 0, 1280, 800}, 2560, 1600}, {{1280, 0, 3200, 1080}, 1920, 1080}},
         {{0, 0, 2560, 1600}, {2560, 0, 4480, 1080}},
         2.0},
        {"fractional scale 1.5", {{{0, 0, 1280, 720}, 1920, 1080}}, {{0, 0, 1920, 1080}}, 1.5},
        {"no monitors", {}, {}, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceRects(c.outputs), c.expected) << c.what;
        EXPECT_DOUBLE_EQ(LayoutScale(c.outputs), c.scale) << c.what;
    }
    EXPECT_EQ(LogicalToDevice({800, 25, 1600, 475}, 1.5), (Rect{1200, 38, 2400, 713}));
}

TEST(ScreenPlanes, WindowsLandOnThePixelsOfTheirMonitor) {
    // A scale-2 monitor (logical 800x500) and a scale-1 one at logical 1600,0: device
    // positions at scale 2, so the second monitor starts at 3200.
    const std::vector<OutputLayout> outputs = {{{0, 0, 800, 500}, 1600, 1000},
                                               {{1600, 0, 2400, 600}, 800, 600}};
    struct Case {
        const char* what;
        Rect logical, device;
    };
    const Case cases[] = {
        {"on the scale-2 monitor", {100, 50, 300, 150}, {200, 100, 600, 300}},
        {"on the scale-1 monitor", {1602, 87, 2398, 535}, {3202, 87, 3998, 535}},
        {"off every monitor: by the first", {-10, -10, 10, 10}, {-20, -20, 20, 20}},
    };
    for (const Case& c : cases) EXPECT_EQ(WindowToDevice(outputs, c.logical), c.device) << c.what;
    EXPECT_EQ(WindowToDevice({}, {1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace nl::wayland
