// The ruler window painting itself (caption strip, body, ticks, labels, caption text) into an
// image, full width on a 3840-pixel screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "../tests/gui/gui_test_support.h"
#include "base/command_ids.h"
#include "bench_application.h"
#include "document/CRulerData.h"
#include "ruler/qt/CRuler.h"

namespace {

constexpr int kWidth = 3840;
constexpr int kScreenHeight = 2160;
constexpr int kHeight = 64;

// Units: Pixel, Twip, Inch base 2; all at 100 % and at 90 %.
void Args(benchmark::internal::Benchmark* b) {
    for (int unit : {0, 3, 5})
        for (int scale : {100, 90}) b->Args({unit, unit == 5 ? 2 : 10, scale});
}

// The one application object of the benchmark program (another benchmark may have made it).
// The whole window (caption strip, body, ticks, labels, caption text) into an image.
void BM_RulerPaint(benchmark::State& state) {
    nl::bench::EnsureOffscreenApplication();
    nl::test::GuiRig rig;
    rig.desktop.SetMonitors({{{0, 0, kWidth, kScreenHeight}, {0, 0, kWidth, kScreenHeight}}});
    nl::CRuler ruler(rig.context, nullptr);
    ruler.setGeometry(0, 100, kWidth, kHeight);
    ruler.Execute(nl::cmd::kRulerUnitPixel + static_cast<int>(state.range(0)));
    if (state.range(1) == nl::CRulerData::kBaseBinary) ruler.Execute(nl::cmd::kRulerBase2);
    ruler.SetScale(static_cast<int>(state.range(2)));
    QImage image(ruler.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        ruler.Render(painter);
    }
}
BENCHMARK(BM_RulerPaint)->Apply(Args)->Unit(benchmark::kMicrosecond);

}  // namespace
