// Window facts kept between questions: asked once while the windows' count stays, watched
// before the first question, dropped when the count moves on or the set is full, and answers
// about a related window not kept when something changed while it was asked.
#include "platform/CWindowFacts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nl {
namespace {

struct FactsRig {
    std::uint64_t count = 1;
    std::vector<WindowId> watched;
    int asks = 0;
    CWindowFacts facts{[this] { return count; }, [this](WindowId w) { watched.push_back(w); }};

    std::string Text(WindowId w) {
        return facts.Text(w, [&] {
            ++asks;
            // The watch comes before the question.
            EXPECT_FALSE(watched.empty());
            EXPECT_EQ(watched.back(), w);
            return "title " + std::to_string(w) + " at " + std::to_string(count);
        });
    }
};

TEST(CWindowFactsTest, AnswersAreKeptUntilTheWindowsCountMovesOn) {
    FactsRig rig;
    EXPECT_EQ(rig.Text(5), "title 5 at 1");
    EXPECT_EQ(rig.Text(5), "title 5 at 1");
    EXPECT_EQ(rig.asks, 1);
    // Another fact of the same window is asked once too; the window is watched once.
    const auto rect = [&] {
        ++rig.asks;
        return Rect{1, 2, 3, 4};
    };
    EXPECT_EQ(rig.facts.ClientRect(5, rect), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(rig.facts.ClientRect(5, rect), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(rig.asks, 2);
    EXPECT_EQ(rig.watched, std::vector<WindowId>{5});

    rig.count = 2;
    EXPECT_EQ(rig.Text(5), "title 5 at 2");
    EXPECT_EQ(rig.asks, 3);
    EXPECT_EQ(rig.watched, (std::vector<WindowId>{5, 5}));
}

TEST(CWindowFactsTest, AFullSetStartsOver) {
    FactsRig rig;
    for (WindowId w = 1; w <= CWindowFacts::kMaxWindows; ++w) rig.Text(w);
    rig.Text(1);
    EXPECT_EQ(rig.asks, static_cast<int>(CWindowFacts::kMaxWindows));
    rig.Text(CWindowFacts::kMaxWindows + 1);  // one more: all dropped
    rig.Text(1);
    EXPECT_EQ(rig.asks, static_cast<int>(CWindowFacts::kMaxWindows) + 2);
}

TEST(CWindowFactsTest, RelatedWindowsAreWatchedAndKeptOnlyWhenNothingChangedMeanwhile) {
    struct Case {
        const char* name;
        WindowId answer;
        bool changeWhileAsking;
        std::vector<WindowId> wantWatched;
        int wantAsks;  // after asking twice
    };
    const Case cases[] = {
        {"an owner", 9, false, {3, 9}, 1},
        {"itself", 3, false, {3}, 1},
        {"none", kNoWindow, false, {3}, 1},
        {"changed meanwhile", 9, true, {3, 9, 3}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FactsRig rig;
        for (int i = 0; i < 2; ++i) {
            const WindowId got = rig.facts.Related(3, CWindowFacts::Relation::kRootOwner, [&] {
                ++rig.asks;
                if (c.changeWhileAsking && rig.asks == 1) ++rig.count;
                return c.answer;
            });
            EXPECT_EQ(got, c.answer);
        }
        EXPECT_EQ(rig.asks, c.wantAsks);
        EXPECT_EQ(rig.watched, c.wantWatched);
        // The other relations of the window are facts of their own.
        rig.facts.Related(3, CWindowFacts::Relation::kOwner, [&] {
            ++rig.asks;
            return kNoWindow;
        });
        EXPECT_EQ(rig.asks, c.wantAsks + 1);
    }
}

}  // namespace
}  // namespace nl
