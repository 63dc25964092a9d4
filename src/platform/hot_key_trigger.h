#pragma once
#include <cstdint>
#include <string>

namespace nl {

// A hot key as the desktop's shortcut services name a trigger ("CTRL+ALT+F12", "LOGO+a"):
// the modifiers CTRL, ALT, SHIFT, LOGO joined by '+', then the key (F1 to F24, a letter in
// lower case, a digit). Empty for a key without such a name.
std::string ShortcutTrigger(std::uint32_t modifiers, std::uint32_t virtualKey);

}  // namespace nl
