// The picking timer on a hand-driven timer and clock: started and stopped by the picking
// state, what a tick does while the window is shown or hidden, when memory goes back, and
// which picks stop picking.
#include "picking/CPickingTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CColorPicker.h"
#include "document/document_test_support.h"
#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "picking/ITickTimer.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeSound.h"

namespace nl {
namespace {

using testing_support::RecordingSink;

// A timer that records its starts; the test ticks the picking timer itself.
class HandTimer final : public ITickTimer {
public:
    void Start(int periodMs) override {
        starts.push_back(periodMs);
        running = true;
    }
    void Stop() override { running = false; }
    bool IsRunning() const override { return running; }
    std::vector<int> starts;
    bool running = false;
};

// A tick count the test moves.
class TickClock final : public FakeClock {
public:
    TickClock() : FakeClock(kNewYear2024, 1'000'000) {}
};

constexpr COLORREF kGreen = MakeRgb(0x10, 0xA0, 0x30);
constexpr Point kCursor{40, 50};

struct PickingRig {
    FakeDesktop desktop;
    TickClock clock;
    RecordingSink documentSink;
    CColorPicker colors{clock, &documentSink};
    FakeSettingsStore store;
    FakeFolders folders;
    FakeFileSystem files;
    FakeDialogs dialogs;
    CAppPrefs prefs{PrefsServices{&store, &folders, &files, &dialogs, &clock}};
    FakeClipboard clipboard;
    FakeSound sound;
    ViewNotifyHub notify;
    RecordingSink views;
    HandTimer timer;
    int trims = 0;
    int stops = 0;
    CPickingTimer picking{
        {desktop, colors, prefs, clipboard, sound, clock}, notify, timer, [this] { ++trims; }};

    explicit PickingRig(bool started) {
        prefs.Initialize({});
        prefs.SetDefaults();
        SetStarted(started);
        desktop.FillRect({0, 0, 1024, 768}, kGreen);
        desktop.SetCursorPos(kCursor);
        notify.Register(&views);
        picking.SetStopPicking([this] { ++stops; });
    }
    void SetStarted(bool started) {
        prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                        started ? OptionState::kOn : OptionState::kOff);
    }
    int Count(ViewNotify type) const {
        int n = 0;
        for (const auto& entry : views.Entries()) n += entry.first == type ? 1 : 0;
        return n;
    }
};

TEST(CPickingTimerTest, PickingStateStartsAndStopsTheTimer) {
    PickingRig rig(true);
    EXPECT_TRUE(rig.picking.Apply());
    EXPECT_TRUE(rig.picking.IsRunning());
    // Applying again leaves the running timer alone.
    rig.picking.Apply();
    EXPECT_EQ(rig.timer.starts, std::vector<int>{CPickingTimer::kPeriodMs});

    rig.SetStarted(false);
    EXPECT_FALSE(rig.picking.Apply());
    EXPECT_FALSE(rig.picking.IsRunning());
    // Every application tells the views.
    EXPECT_EQ(rig.Count(ViewNotify::kPickingApplied), 3);

    rig.SetStarted(true);
    rig.picking.Apply();
    rig.picking.Stop();
    EXPECT_FALSE(rig.picking.IsRunning());
}

TEST(CPickingTimerTest, TicksRefreshTheSampleOnlyWhileShownAndTellTheViewsWhilePicking) {
    struct Case {
        bool started;
        CPickingTimer::Visibility window;
        bool wantSampled;
        int wantTicks;
    };
    const Case cases[] = {
        {true, CPickingTimer::Visibility::kShown, true, 1},
        {true, CPickingTimer::Visibility::kHidden, false, 1},
        {false, CPickingTimer::Visibility::kShown, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.started << " " << static_cast<int>(c.window));
        PickingRig rig(c.started);
        EXPECT_EQ(rig.picking.OnTick(c.window), c.wantSampled);
        EXPECT_EQ(rig.colors.Sample().Color() == kGreen, c.wantSampled);
        EXPECT_EQ(rig.colors.Sample().Position() == kCursor, c.wantSampled);
        EXPECT_EQ(rig.Count(ViewNotify::kTimerTick), c.wantTicks);
        // Nothing moved or changed: the next tick reports no new sample.
        EXPECT_FALSE(rig.picking.OnTick(c.window));
    }
}

TEST(CPickingTimerTest, TheTimerSlowsDownAfterASecondWithoutNewSamplesAndSpeedsUpAtTheNext) {
    PickingRig rig(true);
    rig.picking.Apply();
    const int fast = CPickingTimer::kPeriodMs;
    const int slow = CPickingTimer::kRestPeriodMs;
    const auto rest = static_cast<std::int64_t>(CPickingTimer::kRestAfterMs);
    // Each step: move the clock on, maybe move the cursor, tick; then the period wanted.
    struct Step {
        std::int64_t advanceMs;
        bool moveCursor;
        int wantPeriod;
    };
    const Step steps[] = {
        {fast, false, fast},      // the first sample
        {rest - 1, false, fast},  // still within the second
        {1, false, slow},         // a second without a new sample
        {slow, false, slow},      // stays slow, the timer not started again
        {slow, true, fast},       // the pointer moved
        {rest, false, slow},
    };
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step++);
        rig.clock.tick += s.advanceMs;
        if (s.moveCursor) rig.desktop.SetCursorPos({kCursor.x + step, kCursor.y});
        rig.picking.OnTick(CPickingTimer::Visibility::kShown);
        EXPECT_EQ(rig.picking.PeriodMs(), s.wantPeriod);
    }
    EXPECT_EQ(rig.timer.starts, (std::vector<int>{fast, slow, fast, slow}));
    // Starting picking again starts at the fast period.
    rig.SetStarted(false);
    rig.picking.Apply();
    rig.SetStarted(true);
    rig.picking.Apply();
    EXPECT_EQ(rig.timer.starts.back(), fast);
}

TEST(CPickingTimerTest, MemoryGoesBackAtOnceWhenStoppedAndOnceAfterThreeHiddenSeconds) {
    // Each step: hide or show the window, or move the clock on and tick.
    enum class Step { kHide, kShow, kTick };
    struct Move {
        Step step;
        std::int64_t advanceMs;
        int wantTrims;
    };
    struct Case {
        const char* name;
        bool started;
        std::vector<Move> moves;
    };
    const std::int64_t limit = static_cast<std::int64_t>(CPickingTimer::kTrimAfterHiddenMs);
    const Case cases[] = {
        {"stopped: at once", false, {{Step::kHide, 0, 1}}},
        {"picking: after the limit, once",
         true,
         {{Step::kHide, 0, 0},
          {Step::kTick, limit, 0},
          {Step::kTick, 1, 1},
          {Step::kTick, limit * 2, 1}}},
        {"shown again in time: never",
         true,
         {{Step::kHide, 0, 0},
          {Step::kTick, 1000, 0},
          {Step::kShow, 0, 0},
          {Step::kTick, limit, 0}}},
        {"hidden again: the wait starts over",
         true,
         {{Step::kHide, 0, 0},
          {Step::kTick, limit - 1, 0},
          {Step::kShow, 0, 0},
          {Step::kHide, 0, 0},
          {Step::kTick, limit, 0},
          {Step::kTick, 1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PickingRig rig(c.started);
        for (const Move& move : c.moves) {
            rig.clock.tick += move.advanceMs;
            switch (move.step) {
                case Step::kHide:
                    rig.picking.OnWindowHidden();
                    break;
                case Step::kShow:
                    rig.picking.OnWindowShown();
                    break;
                case Step::kTick:
                    rig.picking.OnTick(CPickingTimer::Visibility::kHidden);
                    break;
            }
            EXPECT_EQ(rig.trims, move.wantTrims);
            EXPECT_EQ(rig.picking.Trims(), move.wantTrims);
        }
    }
}

// A countdown that takes no time.
class NoWaitCountdown final : public IPickCountdown {
public:
    void ShowCountdown(const std::string&) override {}
    void Wait(int) override {}
};

TEST(CPickingTimerTest, OnlyKeyPicksStopPickingWithAutoStop) {
    struct Case {
        bool autoStop;
        bool asKey;
        bool delayed;
        int wantStops;
    };
    const Case cases[] = {{true, true, false, 1},
                          {true, false, false, 0},
                          {false, true, false, 0},
                          {true, true, true, 1},
                          {true, false, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "auto-stop " << c.autoStop << " key " << c.asKey
                                        << " delayed " << c.delayed);
        PickingRig rig(true);
        rig.prefs.SetOption(OptionWord::kColorPicker, AppSettings::kPickerAutoStop,
                            c.autoStop ? OptionState::kOn : OptionState::kOff);
        const PickOrigin origin = c.asKey ? PickOrigin::kKey : PickOrigin::kCommand;
        NoWaitCountdown countdown;
        EXPECT_TRUE(c.delayed ? rig.picking.DelayedPick(origin, countdown)
                              : rig.picking.Pick(origin));
        EXPECT_EQ(rig.colors.GetCount(), 1);
        EXPECT_EQ(rig.stops, c.wantStops);
        // A later pick from a command leaves picking alone.
        rig.picking.Pick(PickOrigin::kCommand);
        EXPECT_EQ(rig.stops, c.wantStops);
    }
}

}  // namespace
}  // namespace nl
