#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds "length PIXELS [--dpi X[,Y]] [--unit ABBR|INDEX] [--axis x|y] [--locale NAME]": the
// pixel count in every length unit, one "ABBR<TAB>TEXT" line per unit, or the text alone in
// the chosen unit. The command's output goes to `output`.
void RegisterLengthCommand(CLI::App& app, std::string& output);

}  // namespace nl::cli
