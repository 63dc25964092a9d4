#include <benchmark/benchmark.h>

#include <string>

#include "base/CArchive.h"

namespace {

// An archive holding a table of 1,000 strings of typical length (file paths, titles).
std::vector<std::uint8_t> ThousandStrings() {
    nl::CArchive ar;
    std::vector<std::string> strings;
    for (int i = 0; i < 1000; ++i)
        strings.push_back("C:\\Users\\designer\\Documents\\palette-" + std::to_string(i) + ".nlz");
    ar.WriteStringTable(strings);
    return ar.TakeBytes();
}

void BM_ReadThousandStrings(benchmark::State& state) {
    const auto bytes = ThousandStrings();
    for (auto _ : state) {
        nl::CArchive in(bytes);
        auto table = in.ReadStringTable();
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadThousandStrings);

void BM_WriteThousandStrings(benchmark::State& state) {
    std::vector<std::string> strings(1000, "C:\\Users\\designer\\Documents\\palette.nlz");
    for (auto _ : state) {
        nl::CArchive ar;
        ar.WriteStringTable(strings);
        benchmark::DoNotOptimize(ar.Bytes().data());
    }
}
BENCHMARK(BM_WriteThousandStrings);

}  // namespace
