#pragma once
#include <span>

namespace nl {

// The buttons of toolbar resource `id` from left to right, each a command id (0 stands for a
// separator); empty when there is no such toolbar. A button's icon is the icon of its command
// (res/icons.h), its tool tip the second line of the command's string.
std::span<const int> FindToolbar(int id);

}  // namespace nl
