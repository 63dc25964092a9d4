#pragma once
#include <cstdint>

namespace nl {

// Virtual-key codes in the system's numbering, used by accelerator tables and hot keys.
// Letters and digits are their upper-case ASCII codes ('A' is 0x41, '0' is 0x30).
inline constexpr std::uint32_t kVkBack = 0x08;
inline constexpr std::uint32_t kVkTab = 0x09;
inline constexpr std::uint32_t kVkReturn = 0x0D;
inline constexpr std::uint32_t kVkShift = 0x10;
inline constexpr std::uint32_t kVkControl = 0x11;
inline constexpr std::uint32_t kVkMenu = 0x12;  // Alt
inline constexpr std::uint32_t kVkEscape = 0x1B;
inline constexpr std::uint32_t kVkSpace = 0x20;
inline constexpr std::uint32_t kVkPrior = 0x21;  // Page Up
inline constexpr std::uint32_t kVkNext = 0x22;   // Page Down
inline constexpr std::uint32_t kVkEnd = 0x23;
inline constexpr std::uint32_t kVkHome = 0x24;
inline constexpr std::uint32_t kVkLeft = 0x25;
inline constexpr std::uint32_t kVkUp = 0x26;
inline constexpr std::uint32_t kVkRight = 0x27;
inline constexpr std::uint32_t kVkDown = 0x28;
inline constexpr std::uint32_t kVkInsert = 0x2D;
inline constexpr std::uint32_t kVkDelete = 0x2E;
inline constexpr std::uint32_t kVkAdd = 0x6B;       // keypad +
inline constexpr std::uint32_t kVkSubtract = 0x6D;  // keypad -
inline constexpr std::uint32_t kVkOemPlus = 0xBB;   // the "=+" key
inline constexpr std::uint32_t kVkOemMinus = 0xBD;  // the "-_" key

}  // namespace nl
