#pragma once
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "model/css_color.h"

namespace nl {
class CDocApp;
}

namespace nl::cli {

using nl::HashColor;

// The fields every color carries in the JSON the command line writes, whatever the chosen
// format: "hex" ("#1A5C9E"), "rgb" ([26, 92, 158]) and "name", the nearest CSS named color,
// with "name_exact" saying whether it is that color.
void AddColorFields(nlohmann::ordered_json& object, COLORREF color);

// Writes a document's colors and measurement as indented JSON: every field of every color,
// dates in ISO 8601 UTC, and the measurement with its points. The text goes out one color or
// point at a time, so a report never sits whole in memory.
void WriteDocumentInfoJson(const CDocApp& doc, std::ostream& out);

}  // namespace nl::cli
