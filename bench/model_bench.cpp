#include <benchmark/benchmark.h>

#include "model/CUnitsCol.h"
#include "model/NumberFormat.h"

namespace {

void BM_FormatColor(benchmark::State& state) {
    nl::CUnitsCol table;
    table.LoadColorFormats();
    const int row = static_cast<int>(state.range(0));
    state.SetLabel(table.GetAt(row).Name());
    nl::COLORREF color = nl::MakeRgb(12, 200, 99);
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.FormatColor(color, row));
        color = (color + 0x010203) & nl::kRgbMask;
    }
}
BENCHMARK(BM_FormatColor)->DenseRange(0, 8);

void BM_FormatNumber(benchmark::State& state) {
    nl::NumberFormat format;
    format.grouping = nl::DigitGrouping::FromString("3;0");
    double value = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(nl::FormatNumber(format, value, 2));
        value += 0.37;
    }
}
BENCHMARK(BM_FormatNumber);

}  // namespace
