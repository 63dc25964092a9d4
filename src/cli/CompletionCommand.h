#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds the hidden "completion bash": a bash completion script for every subcommand and option
// registered on `app`, written from the same definitions that parse the arguments. Register
// it with the others; the script is made when the command runs, so it sees them all.
void RegisterCompletionCommand(CLI::App& app, std::string& output);

// The bash completion script of `app`'s visible subcommands and options.
std::string BashCompletion(const CLI::App& app);

}  // namespace nl::cli
