#pragma once
// A recording overlay window for the overlay's state machine and the shapes built on it.
#include <string>
#include <vector>

#include "overlay/CRegion.h"
#include "overlay/CWndCap.h"
#include "picking/CDesktopSampler.h"

namespace nl::testing_support {

// Records what the overlay asked of its window, one word per call, and the countdown.
class RecordingOverlay final : public IOverlayWindow, public IPickCountdown {
public:
    struct Invalidation {
        CRegion region;
        EraseBackground erase;
    };
    void Show() override { calls.push_back("show"); }
    void Hide() override { calls.push_back("hide"); }
    void RepaintNow() override { calls.push_back("repaint"); }
    void Invalidate(const CRegion& region, EraseBackground erase) override {
        invalidations.push_back({region, erase});
    }
    void GrabMouse() override { calls.push_back("grab"); }
    void ReleaseMouse() override { calls.push_back("release"); }
    void End(const OverlayEnd& end) override {
        calls.push_back("end");
        ends.push_back(end);
    }
    void ShowCountdown(const std::string& text) override { texts.push_back(text); }
    void Wait(int ms) override { waits.push_back(ms); }

    std::vector<std::string> calls;
    std::vector<Invalidation> invalidations;
    std::vector<OverlayEnd> ends;
    std::vector<std::string> texts;
    std::vector<int> waits;
};

}  // namespace nl::testing_support
