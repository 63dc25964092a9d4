#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds "doc" with the subcommands info, add, measure, rows and export, which read and write
// NerimLens document files (".nlz") the way the program does. The command's output goes to
// `output`. A file that cannot be read, is no document or cannot be written ends the command
// with the program's own message (exit code 1) and leaves every file as it was.
void RegisterDocCommand(CLI::App& app, std::string& output);

}  // namespace nl::cli
