#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds "color COLOR [--format NAME|INDEX]": the color in every color text form, one
// "NAME<TAB>TEXT" line per form in table order, or the text alone in the chosen form.
// The command's output goes to `output`, which the program prints once parsing succeeded.
void RegisterColorCommand(CLI::App& app, std::string& output);

}  // namespace nl::cli
