#pragma once
#include <CLI/CLI.hpp>

namespace nl::cli {

// Adds "command NAME": hands one of the program's commands (pick-color, show-hide, ...) to the
// running NerimLens, as `nerimlens --command NAME` does, but from a process that loads no
// toolkit: a desktop key binding reaches the frozen picture sooner. Where no instance runs,
// the program starts with the command (`nerimlens` beside this program, else on PATH).
void RegisterInstanceCommand(CLI::App& app);

}  // namespace nl::cli
