// The colors list with a full document (999 colors): painting a full-HD screen of the list
// in details and large-icon modes, and picking the 1000th color, which drops the first and
// updates the list (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "../tests/gui/gui_test_support.h"
#include "base/command_ids.h"
#include "bench_application.h"
#include "colors/qt/CViewCols.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The main window on the Color Picker with a full list; the view is sized to the screen.
struct FullList : nl::test::FrameRig {
    explicit FullList(int viewCommand) {
        prefs.SetActiveTool(nl::AppSettings::kToolColorPicker);
        MakeFrame();
        for (int i = 0; i < nl::CColorPicker::kMaxColors; ++i) Pick(i);
        frame->ExecuteCommand(viewCommand);
        View()->resize(kWidth, kHeight);
        View()->SetSelection(0);
    }
    nl::CViewCols* View() const { return dynamic_cast<nl::CViewCols*>(frame->MainView()); }
    void Pick(int i) {
        nl::CColPick sample(nl::CColPick::StampNow(clock));
        sample.SetColor(nl::MakeRgb(i, i * 3, i * 7));
        sample.SetPosition({i, i * 2});
        doc.Colors().InsertColor(doc.Colors().GetCount(), sample);
    }
};

void BM_ColorsListPaint(benchmark::State& state) {
    nl::bench::EnsureOffscreenApplication();
    FullList rig(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        rig.View()->render(&painter);
    }
}
BENCHMARK(BM_ColorsListPaint)
    ->Arg(nl::cmd::kViewDetails)
    ->Arg(nl::cmd::kViewLargeIcons)
    ->Unit(benchmark::kMillisecond);

void BM_ColorsListPickIntoFullList(benchmark::State& state) {
    nl::bench::EnsureOffscreenApplication();
    FullList rig(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        rig.Pick(++i);
        benchmark::DoNotOptimize(rig.View()->ItemCount());
    }
}
BENCHMARK(BM_ColorsListPickIntoFullList)
    ->Arg(nl::cmd::kViewDetails)
    ->Arg(nl::cmd::kViewLargeIcons)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
