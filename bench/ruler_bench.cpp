// The ruler's graduations for a full-width ruler on a 3840-pixel screen: the layout alone, and
// the layout with its tick lines rasterized into a 32-bit image of the ruler's size. The
// window's own painting is measured in qt/ruler_paint_bench.cpp.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "document/CRulerData.h"
#include "ruler/ruler_graduations.h"

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 64;
constexpr int kDpi = 96;

nl::GraduationInput Input(int unitIndex, int base, int scale) {
    nl::GraduationInput in;
    in.client = {kWidth, kHeight};
    in.scale = scale;
    const std::uint32_t options = nl::RulerUnitBit(unitIndex);
    in.metrics = nl::ComputeUnitMetrics(options, base, kDpi, 8);
    in.unitPixels = nl::UnitDevicePixels(options, in.metrics, kDpi);
    in.inch = options == nl::CRulerData::kOptionUnitInch;
    in.textHeight = 13;
    return in;
}

// Units: Pixel, Twip (the most ticks), Inch base 2; all at 100 % and at 90 %.
void Args(benchmark::internal::Benchmark* b) {
    for (int unit : {0, 3, 5})
        for (int scale : {100, 90}) b->Args({unit, unit == 5 ? 2 : 10, scale});
}

void BM_RulerLayout(benchmark::State& state) {
    const nl::GraduationInput in =
        Input(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
              static_cast<int>(state.range(2)));
    std::size_t ticks = 0;
    for (auto _ : state) {
        const nl::GraduationLayout layout = nl::LayoutGraduations(in);
        ticks = layout.majors.size() + layout.minors.size();
        benchmark::DoNotOptimize(ticks);
    }
    state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_RulerLayout)->Apply(Args)->Unit(benchmark::kMicrosecond);

void BM_RulerLayoutAndRaster(benchmark::State& state) {
    const nl::GraduationInput in =
        Input(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
              static_cast<int>(state.range(2)));
    std::vector<std::uint32_t> image(static_cast<std::size_t>(kWidth) * kHeight);
    constexpr std::uint32_t kBody = 0xFFC0C0C0;
    constexpr std::uint32_t kInk = 0xFF000000;
    for (auto _ : state) {
        std::fill(image.begin(), image.end(), kBody);
        const nl::GraduationLayout layout = nl::LayoutGraduations(in);
        for (const auto* ticks : {&layout.majors, &layout.minors}) {
            for (const nl::RulerTick& tick : *ticks) {
                const auto [a, b] = nl::TickLine(layout, tick, false);
                if (a.x < 0 || a.x >= kWidth) continue;
                for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
                    if (y >= 0 && y < kHeight)
                        image[static_cast<std::size_t>(y) * kWidth +
                              static_cast<std::size_t>(a.x)] = kInk;
            }
        }
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_RulerLayoutAndRaster)->Apply(Args)->Unit(benchmark::kMicrosecond);

}  // namespace
