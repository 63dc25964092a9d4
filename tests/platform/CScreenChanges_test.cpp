// The change bookkeeping behind a tracking desktop's ChangeCount: which reports change which
// watched areas, when an area must be re-armed, and how old areas make room.
#include "platform/CScreenChanges.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace nl {
namespace {

constexpr Rect kArea{100, 100, 140, 130};

TEST(CScreenChangesTest, ReportsChangeTheAreasTheyTouch) {
    struct Case {
        const char* what;
        std::function<void(CScreenChanges&)> report;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"nothing reported", [](CScreenChanges&) {}, false},
        {"drawing inside",
         [](CScreenChanges& c) {
             c.Damaged({110, 110, 120, 120});
         },
         true},
        {"drawing across an edge",
         [](CScreenChanges& c) {
             c.Damaged({0, 0, 101, 101});
         },
         true},
        {"drawing beside it",
         [](CScreenChanges& c) {
             c.Damaged({140, 100, 200, 130});
         },
         false},
        {"drawing elsewhere",
         [](CScreenChanges& c) {
             c.Damaged({0, 0, 50, 50});
         },
         false},
        {"a window change anywhere", [](CScreenChanges& c) { c.WindowsChanged(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CScreenChanges changes;
        const CScreenChanges::Reading first = changes.Read(kArea);
        EXPECT_TRUE(first.rearm);  // a new area
        c.report(changes);
        const CScreenChanges::Reading second = changes.Read(kArea);
        EXPECT_EQ(second.count != first.count, c.changed);
        EXPECT_EQ(second.rearm, c.changed);
        // Read again with nothing new: the same count, nothing to re-arm.
        const CScreenChanges::Reading third = changes.Read(kArea);
        EXPECT_EQ(third.count, second.count);
        EXPECT_FALSE(third.rearm);
    }
}

TEST(CScreenChangesTest, TheWindowsCountMovesOnlyWithWindowChanges) {
    CScreenChanges changes;
    const std::uint64_t start = changes.Read({}).count;
    changes.Damaged({0, 0, 1000, 1000});
    EXPECT_EQ(changes.Read({}).count, start);
    EXPECT_FALSE(changes.Read({}).rearm);
    changes.WindowsChanged();
    EXPECT_NE(changes.Read({}).count, start);
}

TEST(CScreenChangesTest, DirtyAreaKeepsItsCountUntilRead) {
    CScreenChanges changes;
    changes.Read(kArea);
    changes.Damaged({100, 100, 101, 101});
    const std::uint64_t dirty = changes.Read(kArea).count;
    changes.Damaged({100, 100, 101, 101});
    changes.Damaged({110, 110, 111, 111});
    const CScreenChanges::Reading again = changes.Read(kArea);
    EXPECT_NE(again.count, dirty);
    EXPECT_TRUE(again.rearm);
}

TEST(CScreenChangesTest, TheAreaReadLongestAgoMakesRoom) {
    CScreenChanges changes;
    std::vector<std::uint64_t> counts;
    for (int i = 0; i < static_cast<int>(CScreenChanges::kMaxAreas); ++i)
        counts.push_back(changes.Read({i, 0, i + 1, 1}).count);
    // Area 0 read again: area 1 is now the oldest and goes for a new one.
    EXPECT_EQ(changes.Read({0, 0, 1, 1}).count, counts[0]);
    EXPECT_TRUE(changes.Read({50, 0, 51, 1}).rearm);
    EXPECT_EQ(changes.Read({0, 0, 1, 1}).count, counts[0]);
    const CScreenChanges::Reading back = changes.Read({1, 0, 2, 1});
    EXPECT_TRUE(back.rearm);  // forgotten: counted as new
    EXPECT_NE(back.count, counts[1]);
}

}  // namespace
}  // namespace nl
