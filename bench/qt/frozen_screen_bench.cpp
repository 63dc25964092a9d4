// Start picking on a desktop that does not follow the pointer, up to the frozen picture on
// the screen: the freeze, the picture of every monitor, its windows shown and painted once.
// The goal is under 150 ms. On the fake desktop, offscreen, with one and two full-HD monitors.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "../tests/gui/gui_test_support.h"
#include "base/command_ids.h"
#include "bench_application.h"
#include "overlay/qt/CFrozenScreen.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCheck = 8;

// The main window over `monitors` full-HD monitors side by side, each painted in small checks
// so that the picture copies real data.
struct FrozenDesktop : nl::test::FrameRig {
    explicit FrozenDesktop(int monitors) {
        desktop.SetPointerTracking(nl::PointerTracking::kFrozenOnly);
        std::vector<nl::MonitorInfo> list;
        for (int i = 0; i < monitors; ++i) {
            const nl::Rect area{i * kWidth, 0, (i + 1) * kWidth, kHeight};
            list.push_back({area, area});
        }
        desktop.SetMonitors(list);
        for (int y = 0; y < kHeight; y += kCheck)
            for (int x = 0; x < monitors * kWidth; x += kCheck)
                desktop.FillRect({x, y, x + kCheck, y + kCheck}, nl::MakeRgb(x, y, x ^ y));
        MakeFrame();
        frame->ShowAtStartup();
    }
};

void BM_StartPickingToFrozenPicture(benchmark::State& state) {
    nl::bench::EnsureOffscreenApplication();
    FrozenDesktop rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rig.frame->ExecuteCommand(nl::cmd::kResumePicking);
        // On the screen: every window painted.
        for (QWidget* window : rig.frame->FrozenScreen().Windows()) window->repaint();
        state.PauseTiming();
        if (!rig.frame->FrozenScreen().IsOpen()) state.SkipWithError("no frozen screen");
        rig.frame->ExecuteCommand(nl::cmd::kPickingStopped);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_StartPickingToFrozenPicture)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
