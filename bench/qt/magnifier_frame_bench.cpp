// One magnifier frame against the 50 ms picking tick: the grab of the source area,
// nearest-neighbour scaling and painting with the centre mark, for the default pane and a
// full-HD pane (on the fake desktop, offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "platform/fake/FakeDesktop.h"
#include "ui/qt/CCtrlZoom.h"

namespace {

// The magnifier pane of the default window, and a full-HD pane.
constexpr int kDefaultPaneWidth = 350;
constexpr int kDefaultPaneHeight = 211;
constexpr int kFullHdWidth = 1920;
constexpr int kFullHdHeight = 1080;
constexpr int kCheck = 8;

// A full-HD desktop of small checks, so that grabs copy real data.
nl::FakeDesktop& PatternDesktop() {
    static nl::FakeDesktop desktop = [] {
        nl::FakeDesktop d(nl::Rect{0, 0, kFullHdWidth, kFullHdHeight});
        for (int y = 0; y < kFullHdHeight; y += kCheck)
            for (int x = 0; x < kFullHdWidth; x += kCheck)
                d.FillRect({x, y, x + kCheck, y + kCheck}, nl::MakeRgb(x, y, x ^ y));
        return d;
    }();
    return desktop;
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "magnifier_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// One frame into a pane-sized image, as the control paints its client area.
void BM_MagnifierFrame(benchmark::State& state) {
    App();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    nl::CCtrlZoom zoom(PatternDesktop());
    zoom.SetZoom(static_cast<int>(state.range(2)));
    QImage pane(width, height, QImage::Format_RGB32);
    int x = 0;
    for (auto _ : state) {
        x = (x + 1) % kFullHdWidth;
        zoom.SetCentre({x, kFullHdHeight / 2});
        QPainter painter(&pane);
        benchmark::DoNotOptimize(
            zoom.Render(painter, pane.rect(), nl::CCtrlZoom::CursorMark::kShown));
    }
}
BENCHMARK(BM_MagnifierFrame)
    ->Args({kDefaultPaneWidth, kDefaultPaneHeight, 400})
    ->Args({kDefaultPaneWidth, kDefaultPaneHeight, 1000})
    ->Args({kFullHdWidth, kFullHdHeight, 400})
    ->Args({kFullHdWidth, kFullHdHeight, 100})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
