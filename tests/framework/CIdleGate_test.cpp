#include "framework/CIdleGate.h"

#include <gtest/gtest.h>

#include <vector>

namespace nl {
namespace {

TEST(CIdleGateTest, DueOnlyWhenSomethingMayHaveChangedOrAfterTheLongestWait) {
    // Each step: optionally mark a change, then ask at `now` with the windows' count, and run
    // the update when it is due.
    struct Step {
        bool mark;
        std::uint64_t now;
        std::uint64_t windows;
        bool wantDue;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    constexpr std::uint64_t kWait = CIdleGate::kRefreshMs;
    const Case cases[] = {
        {"the first update is always due", {{false, 0, 0, true}}},
        {"nothing changed: skipped until the longest wait is over",
         {{false, 0, 7, true},
          {false, 100, 7, false},
          {false, kWait - 1, 7, false},
          {false, kWait, 7, true},
          {false, kWait + 100, 7, false}}},
        {"a marked change is due once",
         {{false, 0, 7, true}, {true, 100, 7, true}, {false, 200, 7, false}}},
        {"the windows changed",
         {{false, 0, 7, true}, {false, 100, 8, true}, {false, 200, 8, false}}},
        {"a clock that went back", {{false, 500, 7, true}, {false, 400, 7, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CIdleGate gate;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            SCOPED_TRACE(i);
            if (s.mark) gate.MarkChanged();
            const bool due = gate.IsDue(s.now, s.windows);
            EXPECT_EQ(due, s.wantDue);
            if (due) gate.Ran(s.now, s.windows);
        }
    }
}

}  // namespace
}  // namespace nl
