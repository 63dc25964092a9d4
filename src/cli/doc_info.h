#pragma once
#include <ostream>
#include <string>

#include "model/css_color.h"

namespace nl {
class CDocApp;
}

namespace nl::cli {

using nl::HashColor;

// Writes a document's colors and measurement as indented JSON: every field of every color,
// dates in ISO 8601 UTC, and the measurement with its points. The text goes out one color or
// point at a time, so a report never sits whole in memory.
void WriteDocumentInfoJson(const CDocApp& doc, std::ostream& out);

}  // namespace nl::cli
