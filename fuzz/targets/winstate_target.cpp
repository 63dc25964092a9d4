// Feeds arbitrary bytes to the window-state reader, alone and as the object array the data
// file holds; whatever loads must write and load again to the same record.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/CArchive.h"
#include "framework/CWinState.h"
#include "fuzz/targets/fuzz_targets.h"

namespace {

void CheckRoundTrip(nl::CWinState& state) {
    nl::CArchive out;
    state.Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBytes();
    nl::CArchive in(bytes);
    nl::CWinState again;
    again.Serialize(in);
    if (again.Flags() != state.Flags() || !(again.Placement() == state.Placement()) ||
        again.Numbers() != state.Numbers() || again.Strings() != state.Strings() ||
        in.Remaining() != 0)
        std::abort();
}

}  // namespace

int nl::fuzz::WinState(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        nl::CArchive ar(bytes, "fuzz.dat");
        nl::CWinState state;
        state.Serialize(ar);
        CheckRoundTrip(state);
    } catch (const nl::CArchiveException&) {
    }
    try {
        nl::CArchive ar(bytes, "fuzz.dat");
        std::vector<std::unique_ptr<nl::CWinState>> list;
        ar.ObjectArray(list, nl::CWinState::kClassName, nl::CWinState::kSchema);
    } catch (const nl::CArchiveException&) {
    }
    return 0;
}
