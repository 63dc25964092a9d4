#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "model/color_math.h"

namespace nl {

class CUnitsCol;
class CUnitXY;
class IClock;
class ILocale;
class ISystemInfo;

// One exported color: the color and the screen position it was picked at.
struct ExportColor {
    COLORREF color = kNoColor;
    Point position;
};

// What an export writes: the colors in list order with the document's revision and its three
// export texts as the user wrote them (tags not yet expanded).
struct ExportData {
    // Indices into `texts`.
    static constexpr int kTitle = 0;
    static constexpr int kHeader = 1;
    static constexpr int kFooter = 2;

    std::vector<ExportColor> colors;
    std::array<std::string, 3> texts;
    std::int32_t revision = 0;
};

// The settings and services an export reads. The pointers must be set and outlive the export.
struct ExportContext {
    const CUnitsCol* colorFormats = nullptr;  // the color format table
    int colorFormat = 0;                      // the current row, used for the color cells
    const CUnitXY* unit = nullptr;            // the current length unit, used for locations
    bool gridlines = false;                   // View > Gridlines of the colors view
    bool details = false;                     // the colors view shows details: HTML as a report
    // The document's title as the window caption shows it: the file name of a saved
    // document, "Untitled" for a new one (also used when this is empty).
    std::string documentTitle;
    const IClock* clock = nullptr;            // the current time for the date and time tags
    const ILocale* locale = nullptr;          // local time and its texts
    const ISystemInfo* systemInfo = nullptr;  // user and computer names
};

// Where an export's text goes; the XML declaration names the encoding of that place.
enum class ExportDestination {
    kClipboard,  // Unicode text, declared as UTF-8
    kFile,       // UTF-16LE with a byte-order mark, declared as UTF-16
};

// The export forms, numbered as the export option word numbers the clipboard choices.
enum class ExportForm : int {
    kTabText = 0,
    kCsvComma = 1,
    kCsvSemicolon = 2,
    kHtml = 3,  // a report with details on, a tile list otherwise
    kXml = 4,
};

}  // namespace nl
