#include "base/CSubscriberList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace nl {
namespace {

using Log = std::vector<std::string>;

TEST(CSubscriberListTest, CallsInSubscriptionOrderWhileSubscriptionsLive) {
    Log log;
    CSubscriberList<int> list;
    CSubscription a = list.Subscribe([&](int n) { log.push_back("a" + std::to_string(n)); });
    {
        const CSubscription b =
            list.Subscribe([&](int n) { log.push_back("b" + std::to_string(n)); });
        CSubscription c = list.Subscribe([&](int n) { log.push_back("c" + std::to_string(n)); });
        // A moved subscription keeps the callback; the emptied one ends nothing.
        CSubscription moved = std::move(c);
        EXPECT_FALSE(c.IsActive());
        EXPECT_EQ(list.Count(), 3u);
        list.Notify(1);
    }
    list.Notify(2);
    a.Reset();
    a.Reset();
    list.Notify(3);
    EXPECT_EQ(log, (Log{"a1", "b1", "c1", "a2"}));
    EXPECT_TRUE(list.IsEmpty());
    // An empty callback is not registered.
    EXPECT_FALSE(list.Subscribe({}).IsActive());
}

TEST(CSubscriberListTest, ChangesDuringNotifyTakeEffectSafely) {
    // Each case: what the first callback does while it runs, and the calls of two rounds.
    struct Case {
        const char* name;
        int action;  // 0 ends itself, 1 ends the third, 2 subscribes a fourth, 3 destroys list
        Log want;
    };
    const Case cases[] = {
        {"ends itself", 0, {"first", "second", "third", "second", "third"}},
        {"ends a later one", 1, {"first", "second", "first", "second"}},
        {"adds one", 2, {"first", "second", "third", "first", "second", "third", "fourth"}},
        {"destroys the list", 3, {"first", "second", "third"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Log log;
        std::optional<CSubscriberList<>> list;
        list.emplace();
        CSubscription first, third, fourth;
        first = list->Subscribe([&] {
            log.push_back("first");
            if (c.action == 0) first.Reset();
            if (c.action == 1) third.Reset();
            if (c.action == 2 && !fourth.IsActive())
                fourth = list->Subscribe([&] { log.push_back("fourth"); });
            if (c.action == 3) list.reset();
        });
        const CSubscription second = list->Subscribe([&] { log.push_back("second"); });
        third = list->Subscribe([&] { log.push_back("third"); });
        list->Notify();
        if (list) list->Notify();
        EXPECT_EQ(log, c.want);
    }
}

}  // namespace
}  // namespace nl
