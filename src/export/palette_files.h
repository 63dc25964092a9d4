#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace nl {

class CColorPicker;
class CUnitsCol;

// The palette files other programs read: a GIMP palette (.gpl), CSS custom properties (.css),
// a JSON document (.json) and Adobe Swatch Exchange (.ase, binary).
enum class PaletteForm { kGimp, kCss, kJson, kAse };

// The palette form a file name chooses by its extension, ignoring case; nothing for others.
std::optional<PaletteForm> PaletteFormFromPath(std::string_view path);

// The colors of `colors` as a palette file named `title` (the bytes of the file). Swatches
// are named after the nearest CSS named color ("≈ tomato" when not exact); the text in the
// color form `formatRow` of `formats` goes into the CSS comments and the JSON's "text". The
// palette's own values are plain RGB.
std::string PaletteText(PaletteForm form, const CColorPicker& colors, const CUnitsCol& formats,
                        int formatRow, std::string_view title);

}  // namespace nl
