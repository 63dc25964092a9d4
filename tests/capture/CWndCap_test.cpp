// The overlay's state machine: gestures in single- and multi-click mode, every way of
// aborting, creation failure, and the finish step running exactly once.
#include "capture/CWndCap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/virtual_keys.h"
#include "capture_test_support.h"

namespace nl {
namespace {

using testing_support::RecordingOverlay;

// An overlay whose steps write themselves into the window's call log.
class LoggingOverlay final : public CWndCap {
public:
    LoggingOverlay(RecordingOverlay& window, bool multiClick)
        : CWndCap(window, MainWindowAfter::kRestore), m_log(window.calls), m_multi(multiClick) {}

protected:
    void Reset() override { m_log.push_back("reset"); }
    bool IsMultiClick() const override { return m_multi; }
    void Start(Point) override { m_log.push_back("start"); }
    void Track(Point, KeyState) override { m_log.push_back("track"); }
    void Update(Point, KeyState) override { m_log.push_back("update"); }
    void Finish() override { m_log.push_back("finish"); }
    void AddPoint(Point) override { m_log.push_back("add"); }

private:
    std::vector<std::string>& m_log;
    bool m_multi;
};

using Script = std::function<void(CWndCap&)>;

TEST(CWndCapTest, EventsDriveTheStatesAndEndTheOverlayOnce) {
    const Point p{5, 5};
    const auto press = [p](CWndCap& o) { o.OnLeftDown(p, {}); };
    struct Case {
        const char* name;
        bool multiClick;
        Script script;
        std::vector<std::string> calls;
        CapState state;
        std::uint32_t error;
    };
    const std::vector<std::string> pressed{"grab", "start", "update"};
    const auto then = [&](std::vector<std::string> tail) {
        std::vector<std::string> all = pressed;
        all.insert(all.end(), tail.begin(), tail.end());
        return all;
    };
    const std::vector<std::string> aborted{"reset", "release", "finish", "end"};
    const Case cases[] = {
        {"drag", false,
         [&](CWndCap& o) {
             press(o);
             o.OnMouseMove({9, 9}, {});
             o.OnLeftUp({9, 9}, {});
         },
         then({"track", "update", "track", "release", "finish", "end"}), CapState::kFinished, 0},
        {"moves and releases without a press",
         false,
         [](CWndCap& o) {
             o.OnMouseMove({9, 9}, {});
             o.OnLeftUp({9, 9}, {});
             o.OnLeftDoubleClick({9, 9}, {});
         },
         {},
         CapState::kOpen,
         0},
        {"second press while held", false, [&](CWndCap& o) { press(o), press(o); }, pressed,
         CapState::kTracking, 0},
        {"right button", false, [&](CWndCap& o) { press(o), o.OnRightUp(); }, then(aborted),
         CapState::kAborted, kErrorRequestAborted},
        {"capture lost", false, [&](CWndCap& o) { press(o), o.OnCaptureLost(); }, then(aborted),
         CapState::kAborted, kErrorRequestAborted},
        {"deactivated", false, [&](CWndCap& o) { press(o), o.OnDeactivated(); }, then(aborted),
         CapState::kAborted, kErrorRequestAborted},
        {"a letter key", false, [&](CWndCap& o) { press(o), o.OnKeyDown('A'); }, then(aborted),
         CapState::kAborted, kErrorRequestAborted},
        {"Esc before any press",
         false,
         [](CWndCap& o) { o.Abort(); },
         {"reset", "finish", "end"},
         CapState::kAborted,
         kErrorRequestAborted},
        {"Shift and Ctrl keys", false,
         [&](CWndCap& o) { press(o), o.OnKeyDown(kVkShift), o.OnKeyDown(kVkControl); }, pressed,
         CapState::kTracking, 0},
        {"aborts after the finish", false,
         [&](CWndCap& o) {
             press(o);
             o.OnLeftUp(p, {});
             o.OnCaptureLost();
             o.OnRightUp();
             o.Abort(kErrorImplementationLimit);
             o.CreationFailed(kErrorNotEnoughMemory);
         },
         then({"track", "release", "finish", "end"}), CapState::kFinished, 0},
        {"creation failure",
         false,
         [](CWndCap& o) { o.CreationFailed(kErrorNotEnoughMemory); },
         {"reset", "finish", "end"},
         CapState::kAborted,
         kErrorNotEnoughMemory},
        {"multi-click path",
         true,
         [&](CWndCap& o) {
             press(o);
             o.OnMouseMove({7, 7}, {});
             o.OnLeftUp({7, 7}, {});
             press(o);
             o.OnLeftDoubleClick({8, 8}, {});
         },
         {"grab", "start", "add", "track", "update", "add", "track", "release", "finish", "end"},
         CapState::kFinished,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingOverlay window;
        LoggingOverlay overlay(window, c.multiClick);
        c.script(overlay);
        EXPECT_EQ(window.calls, c.calls);
        EXPECT_EQ(overlay.State(), c.state);
        EXPECT_EQ(overlay.Error(), c.error);
        const bool ended = c.state == CapState::kFinished || c.state == CapState::kAborted;
        EXPECT_EQ(overlay.IsOpen(), !ended);
        EXPECT_EQ(window.ends.size(), ended ? 1u : 0u);
        if (ended) {
            EXPECT_EQ(window.ends[0], (OverlayEnd{c.error, MainWindowAfter::kRestore}));
        }
        EXPECT_FALSE(ended && overlay.HoldsMouse());
    }
}

}  // namespace
}  // namespace nl
