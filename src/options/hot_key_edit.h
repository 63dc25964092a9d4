#pragma once
#include <cstdint>

namespace nl {

// What the hot-key editor does with the value in its key control when the user confirms.
enum class HotKeyEdit {
    kKeep,      // the value is the current one: nothing to check or register
    kRefuse,    // not a key the program accepts ("Invalid hot key.")
    kRegister,  // a new key, or 0 to clear the hot key: register it (or release the old one)
};
HotKeyEdit CheckHotKeyEdit(std::uint32_t current, std::uint32_t value);

}  // namespace nl
