#include "framework/ViewNotifyHub.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace nl {
namespace {

using Log = std::vector<std::string>;

// A sink that logs "name:type[/argument]" and can act from inside a notification.
class Sink : public IViewNotifySink {
public:
    Sink(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override {
        m_log.push_back(m_name + ":" + std::to_string(static_cast<int>(type)) +
                        (argument != 0 ? "/" + std::to_string(argument) : ""));
        if (action) action(type);
    }
    std::function<void(ViewNotify)> action;

private:
    std::string m_name;
    Log& m_log;
};

class ViewNotifyHubTest : public ::testing::Test {
public:  // the cases of a table act on the fixture
    // Registers a, b and c in this order.
    void RegisterAll() {
        for (Sink* sink : {&m_a, &m_b, &m_c}) m_hub.Register(sink);
    }
    Log m_log;
    ViewNotifyHub m_hub;
    Sink m_a{"a", m_log};
    Sink m_b{"b", m_log};
    Sink m_c{"c", m_log};
};

TEST_F(ViewNotifyHubTest, SendReachesEverySinkOnceInRegistrationOrder) {
    m_hub.Register(&m_b);
    m_hub.Register(&m_a);
    m_hub.Register(&m_b);
    m_hub.Register(nullptr);
    m_hub.Register(&m_hub);  // the hub passing to itself would never end
    m_hub.Send(ViewNotify::kColorInserted, 4);
    EXPECT_EQ(m_log, (Log{"b:20/4", "a:20/4"}));
    m_log.clear();
    m_hub.Unregister(&m_b);
    m_hub.Unregister(&m_c);  // never registered
    m_hub.OnViewNotify(ViewNotify::kTimerTick, 0);
    EXPECT_EQ(m_log, (Log{"a:6"}));
}

TEST_F(ViewNotifyHubTest, ASubscriptionHearsWhileItLivesAndMayOutliveTheHub) {
    m_hub.Register(&m_a);
    CSubscription b = m_hub.Subscribe(m_b);
    EXPECT_FALSE(m_hub.Subscribe(m_hub).IsActive());
    // Joined during a broadcast: heard from the next one on, after the others.
    CSubscription late;
    m_a.action = [this, &late](ViewNotify) {
        if (!late.IsActive()) late = m_hub.Subscribe(m_c);
    };
    m_hub.Send(ViewNotify::kZoomChanged);
    m_hub.Send(ViewNotify::kGridLinesChanged);
    EXPECT_EQ(m_log, (Log{"a:5", "b:5", "a:2", "b:2", "c:2"}));
    m_a.action = nullptr;
    m_log.clear();
    b.Reset();
    m_hub.Send(ViewNotify::kTimerTick);
    EXPECT_EQ(m_log, (Log{"a:6", "c:6"}));
    {
        auto hub = std::make_unique<ViewNotifyHub>();
        b = hub->Subscribe(m_b);
    }
    b.Reset();  // the hub is gone: nothing to end, nothing breaks
    EXPECT_FALSE(b.IsActive());
}

TEST_F(ViewNotifyHubTest, SinksRemovedOrAddedDuringABroadcast) {
    struct Case {
        const char* what;
        char actor;  // the sink that acts
        std::function<void(ViewNotifyHubTest&)> act;
        Log first, second;  // the broadcast that changes things, and the next one
    };
    const Case cases[] = {
        {"a removes c before its turn", 'a',
         [](ViewNotifyHubTest& t) { t.m_hub.Unregister(&t.m_c); }, Log{"a:2", "b:2"},
         Log{"a:2", "b:2"}},
        {"b removes itself", 'b', [](ViewNotifyHubTest& t) { t.m_hub.Unregister(&t.m_b); },
         Log{"a:2", "b:2", "c:2"}, Log{"a:2", "c:2"}},
        {"c removes a, which had it already", 'c',
         [](ViewNotifyHubTest& t) { t.m_hub.Unregister(&t.m_a); }, Log{"a:2", "b:2", "c:2"},
         Log{"b:2", "c:2"}},
        {"a removes everybody", 'a',
         [](ViewNotifyHubTest& t) {
             for (Sink* sink : {&t.m_a, &t.m_b, &t.m_c}) t.m_hub.Unregister(sink);
         },
         Log{"a:2"}, Log{}},
        {"b removes c and adds it again", 'b',
         [](ViewNotifyHubTest& t) {
             t.m_hub.Unregister(&t.m_c);
             t.m_hub.Register(&t.m_c);
         },
         Log{"a:2", "b:2"}, Log{"a:2", "b:2", "c:2"}},
    };
    for (const Case& c : cases) {
        for (Sink* sink : {&m_a, &m_b, &m_c}) m_hub.Unregister(sink);
        RegisterAll();
        Sink& actor = c.actor == 'a' ? m_a : c.actor == 'b' ? m_b : m_c;
        actor.action = [this, &c](ViewNotify) { c.act(*this); };
        m_log.clear();
        m_hub.Send(ViewNotify::kGridLinesChanged);
        EXPECT_EQ(m_log, c.first) << c.what;
        actor.action = nullptr;
        m_log.clear();
        m_hub.Send(ViewNotify::kGridLinesChanged);
        EXPECT_EQ(m_log, c.second) << c.what;
    }
}

TEST_F(ViewNotifyHubTest, ASinkAddedDuringABroadcastGetsTheNextOne) {
    m_hub.Register(&m_a);
    m_a.action = [this](ViewNotify) { m_hub.Register(&m_b); };
    m_hub.Send(ViewNotify::kTimerTick);
    m_hub.Send(ViewNotify::kZoomChanged);
    EXPECT_EQ(m_log, (Log{"a:6", "a:5", "b:5"}));
}

TEST_F(ViewNotifyHubTest, NestedSendsReachEverySinkInOrder) {
    RegisterAll();
    // b answers a unit change with a broadcast of its own and drops c on the way: c gets
    // neither the inner nor the rest of the outer broadcast.
    m_b.action = [this](ViewNotify type) {
        if (type != ViewNotify::kUnitOrNumberFormatChanged) return;
        m_hub.Unregister(&m_c);
        m_hub.Send(ViewNotify::kDocumentReplaced);
    };
    m_hub.Send(ViewNotify::kUnitOrNumberFormatChanged);
    EXPECT_EQ(m_log, (Log{"a:31", "b:31", "a:32", "b:32"}));
}

TEST_F(ViewNotifyHubTest, AThrowingSinkLeavesTheHubUsable) {
    m_hub.Register(&m_a);
    m_hub.Register(&m_b);
    m_a.action = [this](ViewNotify) {
        m_hub.Unregister(&m_b);
        throw std::runtime_error("boom");
    };
    EXPECT_THROW(m_hub.Send(ViewNotify::kTimerTick), std::runtime_error);
    m_a.action = nullptr;
    m_log.clear();
    m_hub.Register(&m_c);
    m_hub.Unregister(&m_a);  // must really go now that no broadcast runs
    m_hub.Send(ViewNotify::kTimerTick);
    EXPECT_EQ(m_log, (Log{"c:6"}));
}

TEST_F(ViewNotifyHubTest, PostedNotificationsWaitForFlushInOrder) {
    int wakes = 0;
    m_hub.Register(&m_a);
    m_hub.Post(ViewNotify::kSaveState);  // no wake handler yet: queued all the same
    const CSubscription wake = m_hub.SubscribeWake([&wakes] { ++wakes; });
    m_hub.Post(ViewNotify::kColorInserted, 1);
    m_hub.Post(ViewNotify::kAllColorsRemoved);
    EXPECT_EQ(wakes, 0);  // the queue was not empty: a flush is already due
    EXPECT_TRUE(m_log.empty());
    m_hub.Flush();
    EXPECT_EQ(m_log, (Log{"a:7", "a:20/1", "a:30"}));
    EXPECT_FALSE(m_hub.HasPosted());
    m_hub.Post(ViewNotify::kTimerTick);
    m_hub.Post(ViewNotify::kTimerTick);
    EXPECT_EQ(wakes, 1);
}

TEST_F(ViewNotifyHubTest, NotificationsPostedDuringAFlushWaitForTheNext) {
    int wakes = 0;
    const CSubscription wake = m_hub.SubscribeWake([&wakes] { ++wakes; });
    m_hub.Register(&m_a);
    // A sink that posts from every tick must not keep one flush running for ever.
    m_a.action = [this](ViewNotify type) {
        if (type == ViewNotify::kTimerTick) m_hub.Post(ViewNotify::kTimerTick);
    };
    m_hub.Post(ViewNotify::kTimerTick);
    m_hub.Post(ViewNotify::kZoomChanged);
    m_hub.Flush();
    EXPECT_EQ(m_log, (Log{"a:6", "a:5"}));
    EXPECT_TRUE(m_hub.HasPosted());
    EXPECT_EQ(wakes, 2);  // the flush asked for the next one
    m_hub.Flush();
    EXPECT_EQ(m_log, (Log{"a:6", "a:5", "a:6"}));
    EXPECT_EQ(wakes, 3);
}

TEST_F(ViewNotifyHubTest, EveryWakeSubscriberIsCalledWhileSubscribed) {
    Log wakes;
    CSubscription window = m_hub.SubscribeWake([&wakes] { wakes.push_back("window"); });
    const CSubscription application =
        m_hub.SubscribeWake([&wakes] { wakes.push_back("application"); });
    m_hub.Post(ViewNotify::kZoomChanged);
    m_hub.Flush();
    window.Reset();
    m_hub.Post(ViewNotify::kZoomChanged);
    EXPECT_EQ(wakes, (Log{"window", "application", "application"}));
}

}  // namespace
}  // namespace nl
