#pragma once
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace nl::cli {

// Adds the hidden "completion bash": a bash completion script for every subcommand and option
// registered on `app`, written from the same definitions that parse the arguments. Register
// it with the others; the script is made when the command runs, so it sees them all.
void RegisterCompletionCommand(CLI::App& app, std::string& output);

// Makes the completion offer `values` for the value of `option` (after it on the command
// line): the names it accepts from a table. Values may hold spaces.
void CompleteValues(const CLI::Option* option, std::vector<std::string> values);

// The bash completion script of `app`'s visible subcommands and options.
std::string BashCompletion(const CLI::App& app);

}  // namespace nl::cli
