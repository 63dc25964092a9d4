#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

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

struct Empty {
    void Serialize(nl::CArchive&) {}
};

// An object array of n elements that alternate a new-class tag with a reference to the
// newest class: the reference lookup must not grow with the classes read, so the time per
// element stays flat from 1,000 to 100,000 elements.
void BM_ReadClassReferences(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    std::vector<std::uint8_t> bytes = {0xFF, 0xFF};
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(count >> shift));
    for (std::uint32_t i = 0, index = 1; i < count; i += 2, index += 3) {
        bytes.insert(bytes.end(),
                     {0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00, 'C', 'E', 'm', 'p', 't', 'y'});
        const std::uint32_t reference = 0x80000000u | index;
        bytes.insert(bytes.end(), {0xFF, 0x7F});
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(reference >> shift));
    }
    for (auto _ : state) {
        nl::CArchive in(bytes);
        std::vector<std::unique_ptr<Empty>> items;
        in.ObjectArray(items, "CEmpty", 1);
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}
BENCHMARK(BM_ReadClassReferences)->Arg(1000)->Arg(100000);

}  // namespace
