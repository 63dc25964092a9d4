// The live loop's core costs against its 50 ms tick: the zoom frame's geometry and one
// sampling tick when the pixel under the cursor did not change. The painted frame is measured
// in qt/magnifier_frame_bench.cpp.
#include <benchmark/benchmark.h>

#include "document/CColorPicker.h"
#include "framework/CAppPrefs.h"
#include "picking/CDesktopSampler.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeSound.h"
#include "ui/zoom_geometry.h"

namespace {

// The magnifier pane of the default window.
constexpr int kDefaultPaneWidth = 350;
constexpr int kDefaultPaneHeight = 211;

void BM_ZoomLayout(benchmark::State& state) {
    const nl::Rect screen{-1920, 0, 1920, 1080};
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 3840 - 1920;
        benchmark::DoNotOptimize(nl::ComputeZoomLayout(
            {0, 0, kDefaultPaneWidth, kDefaultPaneHeight}, {x, 5}, 400, screen));
    }
}
BENCHMARK(BM_ZoomLayout);

void BM_RefreshSampleUnchanged(benchmark::State& state) {
    nl::FakeDesktop desktop;
    nl::FakeDesktop::WindowDesc desc;
    desc.title = "Editor";
    desc.className = "EditorClass";
    desc.rect = {100, 100, 900, 700};
    desktop.AddWindow(desc);
    desktop.SetCursorPos({400, 300});
    nl::SystemClock clock;
    nl::CColorPicker colors(clock);
    nl::FakeSettingsStore store;
    nl::FakeFolders folders;
    nl::FakeFileSystem files;
    nl::FakeDialogs dialogs;
    nl::CAppPrefs prefs(nl::PrefsServices{&store, &folders, &files, &dialogs, &clock});
    nl::FakeClipboard clipboard;
    nl::FakeSound sound;
    nl::CDesktopSampler sampler({desktop, colors, prefs, clipboard, sound, clock});
    sampler.RefreshSample();
    for (auto _ : state) benchmark::DoNotOptimize(sampler.RefreshSample());
}
BENCHMARK(BM_RefreshSampleUnchanged);

}  // namespace
