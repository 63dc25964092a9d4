#pragma once
#include <cstdint>

namespace nl::x11 {

// The X keysym of a virtual-key code, or 0 (NoSymbol) for a key that has no fixed keysym.
// Letters give their lower-case keysym, as they sit on an unshifted key.
std::uint32_t KeysymForVirtualKey(std::uint32_t virtualKey);

}  // namespace nl::x11
