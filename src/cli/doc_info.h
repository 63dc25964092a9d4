#pragma once
#include <string>

namespace nl {
class CDocApp;
}

namespace nl::cli {

// A document's colors and measurement as indented JSON: every field of every color, dates
// in ISO 8601 UTC, and the measurement with its points.
std::string DocumentInfoJson(const CDocApp& doc);

}  // namespace nl::cli
