#pragma once
#include <string_view>

namespace nl {

// The program's icons as SVG documents (viewBox 0 0 16 16 unless said otherwise), drawn
// simple and crisp so that they scale to any size: the program icons (res::kIconStarted,
// res::kIconStopped), the keyboard indicator (res::kIconKeyboardAvailable and
// res::kIconKeyboardUnavailable) and one icon per toolbar and form button command. Empty when
// there is no icon of that id.
std::string_view FindIconSvg(int id);

}  // namespace nl
