// nerimlens-cli: the command-line companion of NerimLens. Each subcommand registers itself;
// a command writes its result into one text that is printed only when the whole command
// succeeded, so bad input leaves stdout empty and reports one line on stderr.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>

#include "cli/ColorCommand.h"
#include "cli/DocCommand.h"
#include "cli/LengthCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/command_support.h"

namespace {

constexpr const char* kProgram = "nerimlens-cli";
constexpr int kExitFailure = 1;

// Prints `message` as one line on stderr and returns `code`.
int Report(std::string message, int code) {
    for (char& c : message) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Color and length conversions of NerimLens", kProgram};
    app.require_subcommand(1);
    std::string output;
    nl::cli::RegisterColorCommand(app, output);
    nl::cli::RegisterLengthCommand(app, output);
    nl::cli::RegisterDocCommand(app, output);
    nl::cli::RegisterSettingsCommand(app, output);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        return Report(std::string(e.what()) + " (see " + kProgram + " --help)",
                      nl::cli::kExitUsage);
    } catch (const nl::cli::UsageError& e) {
        return Report(e.what(), nl::cli::kExitUsage);
    } catch (const std::exception& e) {
        return Report(e.what(), kExitFailure);
    }
    if (std::fputs(output.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        return Report("cannot write the output", kExitFailure);
    }
    return 0;
}
