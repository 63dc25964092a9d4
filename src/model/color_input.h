#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/css_color.h"

namespace nl {

// The forms a typed color may take, as the program's messages list them.
inline constexpr std::string_view kColorInputForms =
    "#RRGGBB, RRGGBB, R,G,B (each 0-255), hsl:H,S,L (each 0-240), or a CSS color: #RGB, "
    "#RRGGBBAA, 0xRRGGBB, a name, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch()";

// Reads a color the user typed in any of kColorInputForms, leading and trailing blanks
// ignored. On failure returns nothing and sets `error` (when given) to why, or leaves it
// empty when the text is simply none of the forms.
std::optional<CssColor> ReadColorInput(std::string_view text, std::string* error = nullptr);

}  // namespace nl
