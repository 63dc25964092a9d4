#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CAppPrefs.h"

namespace nl::cli {

// The JSON key of an option word in "settings dump" ("general_options").
std::string_view OptionWordKey(OptionWord word);

// The names of the bits set in option word `word`, lowest bit first; a bit without a name
// shows as its hexadecimal value ("0x4").
std::vector<std::string> OptionBitNames(OptionWord word, std::uint32_t bits);

// The names of the bits set in the ruler's option bits and caption items, in the same way.
std::vector<std::string> RulerOptionNames(std::uint32_t bits);
std::vector<std::string> RulerCaptionNames(std::uint32_t bits);

}  // namespace nl::cli
