#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/color_math.h"

namespace nl {

class CUnitCol;
class IFileSystem;

// The files Import Colors reads: the palettes the program writes and other programs' palettes
// of the same kinds, and the program's own text and CSV exports.
enum class ImportForm { kGimp, kCss, kJson, kAse, kText };

// The form a file name chooses by its extension, ignoring case: .gpl, .css, .json, .ase, and
// .txt or .csv for the text exports; nothing for others.
std::optional<ImportForm> ImportFormFromPath(std::string_view path);

// The colors found in a palette file, in the file's order.
struct ImportedColors {
    std::vector<COLORREF> colors;
    // Entries the file holds that give no color the program reads (a CMYK swatch of a
    // palette, a JSON entry without a color): left out, and counted for the message.
    std::size_t skipped = 0;
};

// The largest file Import Colors reads; a palette of the list's 999 colors is far smaller.
inline constexpr std::uint64_t kMaxImportBytes = 16 * 1024 * 1024;
// Reading stops after this many colors.
inline constexpr std::size_t kMaxImportColors = 100000;

// Reads the colors of `bytes` as a file of `form` named `fileName`. A text export's colors
// are read in any typed form, else in `textFormat` (the color form the export was written
// in, when given). A file that is not of its form raises CArchiveException (bad format,
// naming the file); a file of its form with no color in it gives an empty list.
ImportedColors ReadPalette(ImportForm form, std::span<const std::uint8_t> bytes,
                           const std::string& fileName, const CUnitCol* textFormat);

// Reads the file at `path` whole (refusing one larger than kMaxImportBytes with
// CArchiveException) and its colors as ReadPalette does. A name no form accepts raises
// CNotSupportedException; a failed read raises CSystemError with the path.
ImportedColors ReadPaletteFile(const IFileSystem& files, const std::string& path,
                               const CUnitCol* textFormat);

}  // namespace nl
