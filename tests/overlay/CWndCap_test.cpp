// The overlay's state machine: gestures in single- and multi-click mode, every way of
// aborting, creation failure, and the overlay ending exactly once.
#include "overlay/CWndCap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/virtual_keys.h"
#include "overlay/overlay_test_support.h"

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
    void Start(Point, KeyState) override { m_log.push_back("start"); }
    void Track(Point, KeyState) override { m_log.push_back("track"); }
    void Update(Point, KeyState) override { m_log.push_back("update"); }
    void Finish() override { m_log.push_back("finish"); }
    void AddPoint(Point) override { m_log.push_back("add"); }

private:
    std::vector<std::string>& m_log;
    bool m_multi;
};

// Plays `events`, one letter each: D press, M move, U release, W double-click, R right button
// up, L capture lost, X deactivated, A the letter key A, S Shift, C Ctrl, E abort (Esc),
// F creation failure.
void Play(CWndCap& overlay, const std::string& events) {
    for (const char e : events) {
        // clang-format off
        switch (e) {
            case 'D': overlay.OnLeftDown({5, 5}, {}); break;
            case 'M': overlay.OnMouseMove({9, 9}, {}); break;
            case 'U': overlay.OnLeftUp({9, 9}, {}); break;
            case 'W': overlay.OnLeftDoubleClick({9, 9}, {}); break;
            case 'R': overlay.OnRightUp(); break;
            case 'L': overlay.OnCaptureLost(); break;
            case 'X': overlay.OnDeactivated(); break;
            case 'A': overlay.OnKeyDown('A'); break;
            case 'S': overlay.OnKeyDown(kVkShift); break;
            case 'C': overlay.OnKeyDown(kVkControl); break;
            case 'E': overlay.Abort(); break;
            case 'F': overlay.CreationFailed(kErrorNotEnoughMemory); break;
        }
        // clang-format on
    }
}

TEST(CWndCapTest, EventsDriveTheStatesAndEndTheOverlayOnce) {
    struct Case {
        const char* events;
        bool multiClick;
        const char* calls;
        CapState state;
        std::uint32_t error;
    };
    constexpr std::uint32_t kAborted = kErrorRequestAborted;
    const Case cases[] = {
        {"DMU", false, "grab start update track update track release finish end",
         CapState::kFinished, 0},
        {"MUW", false, "", CapState::kOpen, 0},
        {"DD", false, "grab start update", CapState::kTracking, 0},
        {"DSC", false, "grab start update", CapState::kTracking, 0},
        {"DR", false, "grab start update reset release finish end", CapState::kAborted, kAborted},
        {"DL", false, "grab start update reset release finish end", CapState::kAborted, kAborted},
        {"DX", false, "grab start update reset release finish end", CapState::kAborted, kAborted},
        {"DA", false, "grab start update reset release finish end", CapState::kAborted, kAborted},
        {"E", false, "reset finish end", CapState::kAborted, kAborted},
        {"DULRXAEF", false, "grab start update track release finish end", CapState::kFinished, 0},
        {"F", false, "reset finish end", CapState::kAborted, kErrorNotEnoughMemory},
        {"DMUDW", true, "grab start add track update add track release finish end",
         CapState::kFinished, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        RecordingOverlay window;
        LoggingOverlay overlay(window, c.multiClick);
        Play(overlay, c.events);
        std::string calls;
        for (const std::string& call : window.calls) calls += (calls.empty() ? "" : " ") + call;
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(overlay.State(), c.state);
        EXPECT_EQ(overlay.Error(), c.error);
        const bool ended = c.state == CapState::kFinished || c.state == CapState::kAborted;
        EXPECT_EQ(overlay.IsOpen(), !ended);
        const std::vector<OverlayEnd> ends{{c.error, MainWindowAfter::kRestore}};
        EXPECT_EQ(window.ends, ended ? ends : std::vector<OverlayEnd>{});
        EXPECT_FALSE(ended && overlay.HoldsMouse());
    }
}

}  // namespace
}  // namespace nl
