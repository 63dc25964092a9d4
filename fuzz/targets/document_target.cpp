// Opens a document from arbitrary bytes. A failed open must leave the document as it was; a
// document that opens must save and open again to the same contents.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/CDocApp.h"
#include "fuzz/targets/fuzz_targets.h"
#include "platform/fake/FakeFileSystem.h"

namespace {

constexpr const char* kPath = "/fuzz/input.nlz";
constexpr const char* kSavedPath = "/fuzz/saved.nlz";

// A fixed clock, so that two saves of the same contents give the same bytes.
class FixedClock final : public nl::IClock {
public:
    std::chrono::system_clock::time_point UtcNow() const override {
        return std::chrono::system_clock::time_point(std::chrono::seconds(1709647629));
    }
    std::int64_t TickCountMs() const override { return 0; }
};

}  // namespace

int nl::fuzz::Document(const std::uint8_t* data, std::size_t size) {
    FixedClock clock;
    nl::FakeFileSystem files;
    files.AddFolder("/fuzz");
    files.AddFile(kPath, std::vector<std::uint8_t>(data, data + size));

    nl::CDocApp doc(clock, files);
    nl::CColPick& sample = doc.Colors().Sample();
    sample.SetColor(0x00123456);
    doc.Colors().InsertColor(0, sample);
    const std::vector<nl::CColPick> before = doc.Colors().Colors();
    try {
        doc.OnOpenDocument(kPath);
    } catch (const nl::CArchiveException&) {
        if (doc.Colors().Colors() != before || !doc.IsModified() || !doc.PathName().empty())
            std::abort();  // a failed open changed the document
        return 0;
    }

    // Strings that were not valid UTF-16 may change once, on the first save; from then on a
    // document must write the same bytes it was read from (dates may hold any double, so the
    // bytes are compared rather than the values).
    doc.OnSaveDocument(kSavedPath);
    const std::vector<std::uint8_t> firstBytes = *files.Contents(kSavedPath);
    nl::CDocApp reopened(clock, files);
    reopened.OnOpenDocument(kSavedPath);
    if (reopened.Colors().GetCount() != doc.Colors().GetCount()) std::abort();
    reopened.OnSaveDocument(kSavedPath);
    if (*files.Contents(kSavedPath) != firstBytes) std::abort();
    return 0;
}
