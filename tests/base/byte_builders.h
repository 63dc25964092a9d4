// Little helpers for writing expected file bytes out by hand in tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace nl::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Le16(std::uint16_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

inline Bytes Le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

// The archive's empty string: the 0xFF, 0xFFFE Unicode marker and a zero length.
inline const Bytes kEmptyStringBytes = {0xFF, 0xFE, 0xFF, 0x00};

}  // namespace nl::test
