// Grows a valid data file or document into a large one from a small recipe, so that the
// fuzzer reaches inputs of megabytes with inputs of a few bytes: huge lists of nulls, class
// tags, empty strings, vertices. Run with -malloc_limit_mb and -rss_limit_mb, a reader that
// keeps far more than it reads is a finding.
//
// Recipe: byte 0 picks the file (even: data file, odd: document); bytes 1-4 the offset where
// the run goes; byte 5 how many of the file's bytes it replaces there; bytes 6-9 how often
// the unit repeats; byte 10 the length of a head written once before the run (a count, say);
// then the head; the rest is the unit.
#include <algorithm>
#include <cstring>

#include "fuzz/targets/fuzz_targets.h"
#include "support/sample_files.h"

namespace {

constexpr std::size_t kHeaderBytes = 11;
// The largest file a recipe makes.
constexpr std::size_t kMaxGrownSize = 8 * 1024 * 1024;

std::uint32_t U32At(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

int nl::fuzz::Large(const std::uint8_t* data, std::size_t size) {
    static const test::Bytes kDataFile = test::SampleDataFile();
    static const test::Bytes kDocument = test::SampleDocument();
    if (size < kHeaderBytes) return 0;
    const bool isDocument = (data[0] & 1) != 0;
    const test::Bytes& seed = isDocument ? kDocument : kDataFile;
    const std::size_t offset = U32At(data + 1) % (seed.size() + 1);
    const std::size_t replaced = std::min<std::size_t>(data[5], seed.size() - offset);
    const std::size_t headSize = std::min<std::size_t>(data[10], size - kHeaderBytes);
    const std::span<const std::uint8_t> head(data + kHeaderBytes, headSize);
    const std::span<const std::uint8_t> unit(head.data() + headSize,
                                             size - kHeaderBytes - headSize);
    const std::size_t unitSize = std::max<std::size_t>(unit.size(), 1);
    const std::size_t repeats = std::min<std::size_t>(U32At(data + 6), kMaxGrownSize / unitSize);

    test::Bytes grown(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(offset));
    grown.reserve(seed.size() + headSize + repeats * unitSize);
    grown.insert(grown.end(), head.begin(), head.end());
    for (std::size_t i = 0; i < repeats; ++i) {
        if (unit.empty())
            grown.push_back(0);
        else
            grown.insert(grown.end(), unit.begin(), unit.end());
    }
    grown.insert(grown.end(), seed.begin() + static_cast<std::ptrdiff_t>(offset + replaced),
                 seed.end());

    try {
        if (isDocument) {
            static testing_support::TestClock clock;
            FakeFileSystem files;
            CDocApp doc(clock, files);
            CArchive ar(grown, "large.nlz");
            doc.Serialize(ar);
        } else {
            test::PrefsRig rig;
            CAppPrefs prefs(rig.Services());
            prefs.LoadFromBytes(grown, "large.dat");
        }
    } catch (const CArchiveException&) {
    }
    return 0;
}
