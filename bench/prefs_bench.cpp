#include <benchmark/benchmark.h>

#include <chrono>

#include "framework/CAppPrefs.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/local/LocalFileSystem.h"

namespace {

class Clock final : public nl::IClock {
public:
    std::chrono::system_clock::time_point UtcNow() const override {
        return std::chrono::system_clock::now();
    }
    std::int64_t TickCountMs() const override { return 0; }
};

// Preferences as after a long use: every window placed, hot keys and sounds set, the colors
// filled and a few texts kept by the windows.
struct Full {
    nl::FakeFolders folders;
    nl::FakeFileSystem files;
    nl::FakeDialogs dialogs;
    Clock clock;
    nl::CAppPrefs prefs{nl::PrefsServices{nullptr, &folders, &files, &dialogs, &clock}};

    Full() {
        const std::uint32_t hotKeys[] = {0x2007B, 0x2007A, 0x40079, 0x60078};
        for (int i = 0; i < 4; ++i) prefs.SetHotKey(i, hotKeys[i]);
        for (int i = 0; i < 3; ++i) prefs.SetEventSound(i, static_cast<std::uint32_t>(i + 1));
        for (int i = 0; i < 16; ++i)
            prefs.SetCustomColor(i, static_cast<std::uint32_t>(i) * 0x0F0F0F);
        for (int i = 0; i < prefs.WinStateCount(); ++i) {
            auto& state = prefs.WinState(i);
            state.Placement().length = 44;
            state.Placement().normalPosition = {100 + i, 100, 900, 700};
            state.Numbers() = {1, 2, 3, 4};
            state.Strings() = {"Hex", "Details view", "C:\\Users\\designer\\Documents"};
        }
    }
};

void BM_SaveDataFile(benchmark::State& state) {
    Full full;
    for (auto _ : state) {
        auto bytes = full.prefs.StoreToBytes("NerimLens.dat");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SaveDataFile);

void BM_LoadDataFile(benchmark::State& state) {
    Full full;
    const auto bytes = full.prefs.StoreToBytes("NerimLens.dat");
    for (auto _ : state) {
        full.prefs.LoadFromBytes(bytes, "NerimLens.dat");
        benchmark::DoNotOptimize(full.prefs.Settings().zoomFactor);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadDataFile);

// The whole save as the program runs it: to a file on the disk, flushed and renamed.
void BM_SaveDataFileToDisk(benchmark::State& state) {
    Full full;
    nl::LocalFileSystem disk;
    const std::string path = "/tmp/nl-prefs-bench.dat";
    for (auto _ : state) {
        const auto bytes = full.prefs.StoreToBytes(path);
        if (disk.WriteFile(path, bytes) != 0) state.SkipWithError("write failed");
    }
    disk.DeleteFile(path);
}
BENCHMARK(BM_SaveDataFileToDisk);

}  // namespace
