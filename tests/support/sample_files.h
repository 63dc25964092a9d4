#pragma once
// Valid files as the program's writers make them, and the places in them where hostile
// variants splice in their counts: shared by the hostile-file tests and the reader-limit tests.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/CArchive.h"
#include "document/CDocApp.h"
#include "document/document_test_support.h"
#include "framework/prefs_test_support.h"

namespace nl::test {

// A data file as the program writes it: default settings, seven window states.
inline Bytes SampleDataFile() {
    PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    prefs.SetDefaults();
    return prefs.StoreToBytes("sample.dat");
}

// A document with two colors, one with texts, and a path of three vertices.
inline Bytes SampleDocument() {
    static testing_support::TestClock clock;
    FakeFileSystem files;
    CDocApp doc(clock, files);
    CColPick& sample = doc.Colors().Sample();
    sample.SetColor(0x00123456);
    sample.SetSourceTitle("Editor");
    sample.SetWindowClass("Text");
    doc.Colors().InsertColor(0, sample);
    sample.SetColor(0x00000000);
    doc.Colors().InsertColor(1, sample);
    MeaGesture path{MeaShape::kPath, MeaFromCenter::kNo,      {1, 2}, {1, 2},
                    {9, 9},          {{1, 2}, {5, 7}, {9, 9}}};
    doc.CompleteMeasurement(path);
    CArchive out("sample.nlz");
    doc.Serialize(out);
    return out.TakeBytes();
}

inline Bytes CountBytes(std::uint64_t count) {
    CArchive ar;
    ar.WriteCount(count);
    return ar.TakeBytes();
}

inline std::size_t Find(const Bytes& bytes, const std::string& text) {
    const auto at = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    return static_cast<std::size_t>(at - bytes.begin());
}

// The offset of the window-state list's count in a data file: right before its first
// new-class tag (tag, schema and name length, 6 bytes) and the class name.
inline std::size_t WinStateListOffset(const Bytes& dataFile) {
    constexpr std::size_t kTagBytes = 6;
    constexpr std::size_t kCountBytes = 2;
    return Find(dataFile, std::string(CWinState::kClassName)) - kTagBytes - kCountBytes;
}

// A data file whose window-state list is `count` elements made of `elements`.
inline Bytes DataFileWithList(std::uint64_t count, const Bytes& elements) {
    Bytes bytes = SampleDataFile();
    bytes.resize(WinStateListOffset(bytes));
    return testing_support::Concat({bytes, CountBytes(count), elements});
}

// The smallest window-state record of the older version: no string table.
inline Bytes SmallWinState() {
    ByteWriter w;
    w.Ascii("SWCN").U32(CWinState::kVersion1).U32(1).Zeros(8).U8(0).Zeros(8).U32(4).U16(0);
    return w.Get();
}

// The bytes of the empty measurement record a new document ends in.
inline Bytes EmptyMeasurement() {
    CArchive ar;
    CWndCapMeaData().Serialize(ar);
    return ar.TakeBytes();
}

// A document of no colors and no measurement cut before its export-text table, and the
// measurement that ends it: hostile tables go between the two.
struct DocumentParts {
    Bytes beforeTexts;
    Bytes measurement;
};

inline DocumentParts EmptyDocumentParts() {
    testing_support::TestClock clock;
    FakeFileSystem files;
    CDocApp doc(clock, files);
    CArchive out;
    doc.Serialize(out);
    Bytes bytes = out.TakeBytes();
    CArchive texts;
    texts.WriteStringTable(doc.Colors().GetExportTexts());
    const Bytes measurement = EmptyMeasurement();
    bytes.resize(bytes.size() - measurement.size() - texts.Bytes().size());
    return {bytes, measurement};
}

}  // namespace nl::test
