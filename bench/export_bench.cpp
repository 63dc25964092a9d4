#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/CColorPicker.h"
#include "export/export_colors.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "platform/fake/FakeLocale.h"

namespace {

// A full list of 999 colors with the default export texts, exported in "RGB 0-255" and pixels.
struct FullList {
    FullList() : picker(clock) {
        formats.LoadColorFormats();
        units.LoadUnits(nl::DisplayMetrics{}, nullptr);
        for (int i = 0; i < nl::CColorPicker::kMaxColors; ++i) {
            picker.Sample().SetColor(nl::MakeRgb(i, i * 7, i * 13));
            picker.Sample().SetPosition({i * 3 - 500, i * 2});
            picker.InsertColor(i, picker.Sample());
        }
        context.colorFormats = &formats;
        context.colorFormat = 8;
        context.unit = &units.GetAt(0);
        context.documentTitle = "palette.nlz";
        context.clock = &clock;
        context.locale = &locale;
        context.systemInfo = &system;
    }

    nl::SystemClock clock;
    nl::FakeLocale locale;
    nl::FakeSystemInfo system;
    nl::CUnitsCol formats;
    nl::CUnitsXY units;
    nl::CColorPicker picker;
    nl::ExportContext context;
};

FullList& List() {
    static FullList list;
    return list;
}

void BM_Export999Colors(benchmark::State& state) {
    FullList& list = List();
    const auto form = static_cast<nl::ExportForm>(state.range(0));
    list.context.details = state.range(1) != 0;
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = nl::ExportColorsToText(list.picker, list.context, form);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
// Form (0 tab text, 1 CSV comma, 2 CSV semicolon, 3 HTML, 4 XML), details (HTML report).
BENCHMARK(BM_Export999Colors)
    ->ArgNames({"form", "details"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Args({4, 0});

void BM_Export999ColorsToFileBytes(benchmark::State& state) {
    FullList& list = List();
    for (auto _ : state) {
        const auto bytes = nl::EncodeExportFile(nl::ExportColorsToText(
            list.picker, list.context, nl::ExportForm::kXml, nl::ExportDestination::kFile));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_Export999ColorsToFileBytes);

}  // namespace
