#pragma once
#include <cstdint>

namespace nl {

// Whether option word `word` has `bit` set.
constexpr bool HasBit(std::uint32_t word, std::uint32_t bit) {
    return (word & bit) != 0;
}

}  // namespace nl
