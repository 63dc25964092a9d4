#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/color_math.h"

namespace nl {

// A color read from CSS Color 4 text, as the nearest 8-bit sRGB color.
struct CssColor {
    COLORREF color = 0;
    // The text gave an alpha below 1, which an opaque color cannot keep.
    bool alphaDropped = false;
};

// Reads a color written as CSS writes it: #RGB, #RGBA, #RRGGBB, #RRGGBBAA, 0xRRGGBB, a
// named color, rgb()/rgba() (comma or space form, numbers or percentages), hsl()/hsla(),
// hwb(), lab() and lch() (CIE, D50), oklab() and oklch(), case-insensitive, with an
// optional alpha. Colors past the sRGB gamut are clamped into it. On failure returns
// nothing and sets `error` (when given) to why: "transparent" has no color, a function
// lacks a value, a value is not a number.
std::optional<CssColor> ParseCssColor(std::string_view text, std::string* error = nullptr);

// A color as CSS's hexadecimal form writes it, "#1A5C9E".
std::string HashColor(COLORREF color);

// The CSS name of `color` when it has one ("rebeccapurple"); the first in alphabetical
// order where two share it (aqua before cyan).
std::optional<std::string_view> CssColorName(COLORREF color);

// The CSS named color nearest to a color, by the distance in OKLab (the perceptual
// difference deltaE OK, 0..1; about 0.02 is where most people begin to see one).
struct NearestCssName {
    std::string_view name;
    double distance = 0;
    bool exact = false;  // the color is the named color itself
};
NearestCssName NearestCssColorName(COLORREF color);

// The nearest name as a person reads it: "tomato" when exact, "≈ tomato" otherwise.
std::string CssNameText(COLORREF color);
std::string CssNameText(const NearestCssName& nearest);

}  // namespace nl
