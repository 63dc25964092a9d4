// The libFuzzer entry of one target, chosen by NL_FUZZ_TARGET when the executable is built.
#include <cstdlib>

#include "fuzz/targets/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const nl::fuzz::Target& target : nl::fuzz::Targets())
        if (target.name == NL_FUZZ_TARGET) return target.run(data, size);
    std::abort();  // built for a target that does not exist
}
