#include "fuzz/targets/fuzz_targets.h"

namespace nl::fuzz {

std::span<const Target> Targets() {
    static constexpr Target kTargets[] = {
        {"archive", Archive},         {"bitmap", Bitmap},
        {"datafile", DataFile},       {"document", Document},
        {"measurement", Measurement}, {"rulerdata", RulerData},
        {"winstate", WinState},       {"large", Large},
        {"palette", Palette},
    };
    return kTargets;
}

}  // namespace nl::fuzz
