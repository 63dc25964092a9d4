#include "base/monitor_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

#include "framework/CWinState.h"

namespace nl {
namespace {

// A primary monitor with a task bar at the bottom, a second one to its right and a third to
// its left at negative coordinates, reaching higher.
const MonitorInfo kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorInfo kRight{{1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}};
const MonitorInfo kLeft{{-1280, -200, 0, 824}, {-1280, -200, 0, 784}};
const Rect kDesktop{0, 0, 1024, 768};

using Monitors = std::vector<MonitorInfo>;

TEST(MonitorLayoutTest, NearestMonitorPrefersOverlapThenDistance) {
    const Monitors three{kPrimary, kRight, kLeft};
    struct Case {
        const char* what;
        Rect rect;
        std::size_t expected;
    };
    const Case cases[] = {
        {"inside the second", {2000, 100, 2100, 200}, 1},
        {"more on the second", {1800, 0, 2100, 100}, 1},
        {"more on the primary", {1700, 0, 2000, 100}, 0},
        {"right of everything", {4000, 0, 4100, 100}, 1},
        {"below the left one, nearer to it than to the primary", {-300, 900, -100, 1000}, 2},
        {"above everything, over the primary", {1000, -900, 1100, -800}, 0},
        {"inverted rectangle on the left one", {-100, 100, -500, 50}, 2},
        {"a point on the left one", {-10, 10, -10, 10}, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestMonitor(three, c.rect), c.expected) << c.what;
    }
    EXPECT_EQ(NearestMonitor({}, Rect{0, 0, 10, 10}), std::nullopt);
    // Equal overlaps: the first one wins.
    EXPECT_EQ(NearestMonitor(Monitors{kRight, kPrimary}, Rect{1900, 0, 1940, 10}), 0u);
}

TEST(MonitorLayoutTest, PrimaryComesFirstAndOneMonitorTakesTheWorkArea) {
    const Rect a{0, 0, 1920, 1080};
    const Rect b{1920, 0, 3840, 1080};
    const Rect c{-1280, -200, 0, 824};
    const Rect panel{0, 0, 1920, 1040};  // a task bar along the bottom of `a`
    struct Case {
        const char* what;
        std::vector<Rect> listed;
        std::optional<std::size_t> primary;
        std::optional<Rect> workArea;
        Monitors expected;
    };
    const Case cases[] = {
        {"nothing listed", {}, std::nullopt, panel, {}},
        {"one monitor, work area known", {a}, 0, panel, {{a, panel}}},
        {"one monitor, work area unknown", {a}, std::nullopt, std::nullopt, {{a, a}}},
        {"one monitor, work area past it: cut to it", {a}, 0, Rect{-50, 0, 1920, 2000}, {{a, a}}},
        {"one monitor, work area elsewhere", {a}, 0, Rect{5000, 0, 5100, 100}, {{a, a}}},
        {"primary listed last", {b, c, a}, 2, panel, {{a, a}, {b, b}, {c, c}}},
        {"no primary: listed order", {b, a}, std::nullopt, std::nullopt, {{b, b}, {a, a}}},
        {"primary index out of range", {b, a}, 7, std::nullopt, {{b, b}, {a, a}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const Monitors got = MonitorsWithWorkAreas(k.listed, k.primary, k.workArea);
        ASSERT_EQ(got.size(), k.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].monitor, k.expected[i].monitor) << i;
            EXPECT_EQ(got[i].workArea, k.expected[i].workArea) << i;
        }
    }
}

TEST(MonitorLayoutTest, CentersOnTheNearestWorkAreaRoundingTowardZero) {
    const Monitors three{kPrimary, kRight, kLeft};
    // An odd-sized monitor at negative coordinates: (-1921 + 0) / 2 is -960, not -961.
    const Monitors odd{{{-1921, -1, 0, 1000}, {-1921, -1, 0, 1000}}};
    struct Case {
        const char* what;
        Monitors monitors;
        Rect window;
        Rect expected;
    };
    const Case cases[] = {
        {"odd size on the primary's work area", three, {10, 10, 311, 211}, {810, 420, 1111, 621}},
        {"on the left monitor", three, {-1000, 0, -699, 201}, {-790, 192, -489, 393}},
        {"from off-screen right to the second",
         three,
         {5000, 50, 5100, 150},
         {2830, 490, 2930, 590}},
        {"negative odd work area", odd, {-100, 10, -97, 13}, {-961, 498, -958, 501}},
        {"no monitors: the desktop", {}, {0, 0, 101, 51}, {462, 359, 563, 410}},
        {"larger than the work area", three, {0, 0, 2000, 1100}, {-40, -30, 1960, 1070}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CenterOnWorkArea(c.window, c.monitors, kDesktop), c.expected) << c.what;
    }
}

TEST(MonitorLayoutTest, ClampsRectanglesBackOntoAMonitor) {
    const Monitors primaryOnly{kPrimary};
    const Monitors three{kPrimary, kRight, kLeft};
    // The same monitor shown twice (mirrored outputs): overlap must not count double.
    const Monitors mirrored{kPrimary, kPrimary};
    struct Case {
        const char* what;
        Monitors monitors;
        Rect rect;
        int mx, my;  // 0 means the rectangle's own size
        Rect expected;
    };
    const Case cases[] = {
        {"fully visible: untouched", three, {100, 100, 500, 400}, 0, 0, {100, 100, 500, 400}},
        {"across two monitors: untouched",
         three,
         {1800, 100, 2100, 400},
         0,
         0,
         {1800, 100, 2100, 400}},
        {"over the task bar: untouched",
         primaryOnly,
         {100, 900, 500, 1080},
         0,
         0,
         {100, 900, 500, 1080}},
        {"second monitor gone: wholly on the primary",
         primaryOnly,
         {2000, 100, 2600, 500},
         0,
         0,
         {1320, 100, 1920, 500}},
        {"half off the right edge: moved left",
         primaryOnly,
         {1600, 100, 2000, 400},
         0,
         0,
         {1520, 100, 1920, 400}},
        {"above the top: moved down",
         primaryOnly,
         {100, -500, 400, -100},
         0,
         0,
         {100, 0, 400, 400}},
        {"below the work area: moved up",
         primaryOnly,
         {100, 1000, 400, 1300},
         0,
         0,
         {100, 740, 400, 1040}},
        {"larger than the work area: top-left on the work area's",
         primaryOnly,
         {100, 50, 2100, 1150},
         0,
         0,
         {0, 0, 2000, 1100}},
        {"left of the left monitor", three, {-2000, 0, -1500, 300}, 0, 0, {-1280, 0, -780, 300}},
        {"above the left monitor",
         three,
         {-1000, -900, -600, -500},
         0,
         0,
         {-1000, -200, -600, 200}},
        {"default margin of 32", primaryOnly, {-500, 100, -100, 300}, -1, -1, {-368, 100, 32, 300}},
        {"inverted and visible: normalized",
         primaryOnly,
         {500, 400, 100, 100},
         0,
         0,
         {100, 100, 500, 400}},
        {"mirrored monitors, half off",
         mirrored,
         {1600, 100, 2000, 400},
         0,
         0,
         {1520, 100, 1920, 400}},
        {"no monitors: the desktop", {}, {900, 100, 1200, 300}, 0, 0, {724, 100, 1024, 300}},
        {"the whole int range",
         primaryOnly,
         {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
         -1,
         -1,
         {0, 0, INT_MAX, INT_MAX}},
    };
    for (const auto& c : cases) {
        const Rect n = c.rect.Normalized();
        const int mx = c.mx == 0 ? n.Width() : c.mx;
        const int my = c.my == 0 ? n.Height() : c.my;
        EXPECT_EQ(ClampRectToMonitors(c.rect, mx, my, c.monitors, kDesktop), c.expected) << c.what;
    }
}

TEST(MonitorLayoutTest, RestoreCentersClampsAndStoresBack) {
    const Monitors primaryOnly{kPrimary};
    struct Case {
        const char* what;
        bool open;
        Rect stored;
        Rect window;
        RestoreMode mode;
        Rect expected;
        Rect storedAfter;
    };
    const Case cases[] = {
        {"never placed: centered, record untouched",
         true,
         {},
         {0, 0, 301, 201},
         RestoreMode::kMoveAndSize,
         {810, 420, 1111, 621},
         {}},
        {"placed and visible: as stored",
         false,
         {100, 100, 500, 400},
         {0, 0, 10, 10},
         RestoreMode::kMoveAndSize,
         {100, 100, 500, 400},
         {100, 100, 500, 400}},
        {"placed off the edge: clamped and stored",
         true,
         {1600, 100, 2000, 400},
         {0, 0, 10, 10},
         RestoreMode::kMoveAndSize,
         {1520, 100, 1920, 400},
         {1520, 100, 1920, 400}},
        {"move only: the window's own size fits",
         true,
         {1600, 100, 2000, 400},
         {0, 0, 200, 100},
         RestoreMode::kMoveOnly,
         {1600, 100, 1800, 200},
         {1600, 100, 1800, 200}},
        {"move only: the window's own size is clamped",
         true,
         {1800, 100, 1900, 400},
         {0, 0, 200, 100},
         RestoreMode::kMoveOnly,
         {1720, 100, 1920, 200},
         {1720, 100, 1920, 200}},
    };
    for (const auto& c : cases) {
        CWinState record;
        record.SetOpen(c.open);
        record.Placement().normalPosition = c.stored;
        const RestoreResult result = RestoreRect(record, c.window, c.mode, primaryOnly, kDesktop);
        EXPECT_EQ(result.rect, c.expected) << c.what;
        EXPECT_EQ(result.show, c.open) << c.what;
        EXPECT_EQ(record.Placement().normalPosition, c.storedAfter) << c.what;
    }
}

}  // namespace
}  // namespace nl
