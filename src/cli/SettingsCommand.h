#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds "settings" with the subcommands dump, defaults and check, which read and write the
// NerimLens data file (".dat") the way the program does. The command's output goes to
// `output`. A file that cannot be read or is no data file ends the command with the
// program's own message (exit code 1); check and dump never change, move or delete a file.
void RegisterSettingsCommand(CLI::App& app, std::string& output);

}  // namespace nl::cli
