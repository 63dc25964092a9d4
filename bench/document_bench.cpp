// Saving and opening a document with a full list of 999 colors and a path measurement.
// (Exports of 999 colors in every form are measured in export_bench.cpp.)
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "document/CDocApp.h"
#include "platform/fake/FakeFileSystem.h"

namespace {

constexpr const char* kPath = "/bench/palette.nlz";
constexpr int kPathVertices = 50;

// A document as a long picking session leaves it: every color from a titled window.
struct FullDocument {
    FullDocument() : doc(clock, files) {
        files.AddFolder("/bench");
        for (int i = 0; i < nl::CColorPicker::kMaxColors; ++i) {
            nl::CColPick& sample = doc.Colors().Sample();
            sample = nl::CColPick(nl::CColPick::StampNow(clock));
            sample.SetVersion(1);
            sample.SetColor(nl::MakeRgb(i, i * 7, i * 13));
            sample.SetPosition({i * 3 - 500, i * 2});
            sample.SetRelativePosition({i * 3, i * 2 - 100});
            sample.SetSourceTitle("Palette " + std::to_string(i) + " - Image Editor");
            sample.SetWindowClass("EditorCanvasWindowClass");
            doc.Colors().InsertColor(i, sample);
        }
        nl::MeaGesture path;
        path.shape = nl::MeaShape::kPath;
        for (int i = 0; i < kPathVertices; ++i) path.points.push_back({i * 10, (i % 7) * 13});
        path.origin = path.first = path.points.front();
        path.last = path.points.back();
        doc.CompleteMeasurement(path);
        doc.OnSaveDocument(kPath);
    }

    nl::SystemClock clock;
    nl::FakeFileSystem files;
    nl::CDocApp doc;
};

FullDocument& Document() {
    static FullDocument document;
    return document;
}

void BM_SaveDocument999Colors(benchmark::State& state) {
    FullDocument& full = Document();
    std::size_t size = 0;
    for (auto _ : state) {
        nl::CArchive ar(kPath);
        full.doc.Serialize(ar);
        size = ar.Bytes().size();
        benchmark::DoNotOptimize(ar.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_SaveDocument999Colors);

void BM_OpenDocument999Colors(benchmark::State& state) {
    FullDocument& full = Document();
    nl::CDocApp doc(full.clock, full.files);
    const std::size_t size = full.files.Contents(kPath)->size();
    for (auto _ : state) {
        doc.OnOpenDocument(kPath);
        benchmark::DoNotOptimize(doc.Colors().Colors().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_OpenDocument999Colors);

// Save through the file system: serialize, then replace the file.
void BM_SaveDocumentFile999Colors(benchmark::State& state) {
    FullDocument& full = Document();
    for (auto _ : state) full.doc.OnSaveDocument(kPath);
}
BENCHMARK(BM_SaveDocumentFile999Colors);

}  // namespace
