#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/COleDateTime.h"
#include "base/geometry.h"
#include "document/CWndCapMeaData.h"

namespace nl {

class CUnitXY;
struct NumberFormat;

// A date as ISO 8601 in UTC ("2026-12-10T10:29:20Z", with milliseconds when there are any);
// empty when the value is no date.
std::string IsoDateText(const COleDateTime& date);
// The date an ISO 8601 UTC text of that form names; nullopt for any other text.
std::optional<COleDateTime> ParseIsoDate(std::string_view text);
// A measurement's kind as the JSON files name it: "line", "rectangle", "ellipse", "path",
// "none"; empty for a kind this program does not know.
std::string_view MeaShapeName(MeaShape shape);

// The picture a measurements file describes: its file name and the area of the screen it
// shows, in the measurements' coordinates.
struct MeasuredImage {
    std::string file;
    Rect area;
};

// The JSON file that goes with an annotated image: its path with the extension ".json" in
// place of its own ("shot.png" gives "shot.json").
std::string AnnotationJsonPath(const std::string& imagePath);

// The measurements as JSON: each one's shape, time, points and, when `unit` is given, its
// figures in that unit and `regional` number format (the rows of the measurements view) and
// its primary figure. Read back by ReadMeasurementsJson.
std::string MeasurementsJson(std::span<const CWndCapMeaData* const> measurements,
                             const CUnitXY* unit, const NumberFormat& regional,
                             const std::optional<MeasuredImage>& image = std::nullopt);
// The measurements of a text MeasurementsJson wrote (figures are worked out again, not read).
// A text that is no such JSON, or holds a measurement that could not have been measured,
// raises CArchiveException ("%1 has a bad format.") naming `path`.
std::vector<CWndCapMeaData> ReadMeasurementsJson(std::string_view text, const std::string& path);

}  // namespace nl
