#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds "contrast TEXT BACKGROUND [--json] [--suggest]": the WCAG ratio with its five
// verdicts and the APCA Lc with its level, and with --suggest the nearest text and
// background colors that pass AA and AAA. Ends with 0 whatever the verdicts.
void RegisterContrastCommand(CLI::App& app, std::string& output);

}  // namespace nl::cli
