#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace nl {

class CColorPicker;
class CUnitsCol;

// The palette files other programs read: a GIMP palette (.gpl), CSS custom properties (.css)
// and a JSON document (.json).
enum class PaletteForm { kGimp, kCss, kJson };

// The palette form a file name chooses by its extension, ignoring case; nothing for others.
std::optional<PaletteForm> PaletteFormFromPath(std::string_view path);

// The colors of `colors` as a palette file named `title`. Each color is named by its text in
// the color form `formatRow` of `formats`; the palette's own values are plain RGB.
std::string PaletteText(PaletteForm form, const CColorPicker& colors, const CUnitsCol& formats,
                        int formatRow, std::string_view title);

}  // namespace nl
