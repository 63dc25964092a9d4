// Feeds arbitrary bytes to the ruler record's reader. A record that loads must keep its
// scaling factor in range and write and load again unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/CArchive.h"
#include "document/CRulerData.h"
#include "fuzz/targets/fuzz_targets.h"

int nl::fuzz::RulerData(const std::uint8_t* data, std::size_t size) {
    nl::CRulerData ruler;
    try {
        nl::CArchive ar(std::span<const std::uint8_t>(data, size), "fuzz.dat");
        ruler.Serialize(ar);
    } catch (const nl::CArchiveException&) {
        if (!(ruler == nl::CRulerData())) std::abort();  // a failed load changes nothing
        return 0;
    }
    if (ruler.ScalingFactor() < nl::CRulerData::kMinScale ||
        ruler.ScalingFactor() > nl::CRulerData::kMaxScale)
        std::abort();
    nl::CArchive out;
    ruler.Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBytes();
    nl::CArchive in(bytes);
    nl::CRulerData again;
    again.Serialize(in);
    if (!(again == ruler)) std::abort();
    return 0;
}
