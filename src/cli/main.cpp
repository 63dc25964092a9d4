// nerimlens-cli: the command-line companion of NerimLens. Each subcommand registers itself;
// a command writes its result into one text that is printed only when the whole command
// succeeded, so bad input leaves stdout empty and reports one line on stderr.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/ColorCommand.h"
#include "cli/CompletionCommand.h"
#include "cli/ContrastCommand.h"
#include "cli/DocCommand.h"
#include "cli/InstanceCommand.h"
#include "cli/LengthCommand.h"
#include "cli/SettingsCommand.h"
#ifdef NL_CLI_SCREEN
#include "cli/ScreenCommand.h"
#endif
#include "cli/command_support.h"
#include "framework/latency_trace.h"
#include "res/version.h"

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

// The first word of `args` that stands where a subcommand belongs and names none, with the
// commands that would fit there ("colour" in "nerimlens-cli colour 1,2,3").
std::optional<std::pair<std::string, std::vector<std::string>>> UnknownCommand(
    const CLI::App& app, const std::vector<std::string>& args) {
    const CLI::App* level = &app;
    for (const std::string& arg : args) {
        if (arg.empty() || arg.front() == '-') continue;
        const std::vector<const CLI::App*> commands = level->get_subcommands({});
        if (commands.empty()) return std::nullopt;
        const CLI::App* next = nullptr;
        std::vector<std::string> names;
        for (const CLI::App* command : commands) {
            names.push_back(command->get_name());
            if (command->check_name(arg)) next = command;
        }
        if (next == nullptr) return std::make_pair(arg, names);
        level = next;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    nl::TraceLatency("main");
    CLI::App app{"Color and length conversions and screen tools of NerimLens", kProgram};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string(kProgram) + " " + nl::kProductVersionText,
                         "Show the version and end");
    std::string output;
    nl::cli::RegisterColorCommand(app, output);
    nl::cli::RegisterContrastCommand(app, output);
    nl::cli::RegisterLengthCommand(app, output);
    nl::cli::RegisterDocCommand(app, output);
    nl::cli::RegisterSettingsCommand(app, output);
#ifdef NL_CLI_SCREEN
    nl::cli::RegisterScreenCommands(app, output);
#endif
    nl::cli::RegisterInstanceCommand(app);
    nl::cli::RegisterCompletionCommand(app, output);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        if (const auto unknown =
                UnknownCommand(app, std::vector<std::string>(argv + 1, argv + argc)))
            return Report("unknown command '" + unknown->first + "': expected " +
                              nl::cli::JoinNames(unknown->second) + " (see " + kProgram +
                              " --help)",
                          nl::cli::kExitUsage);
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
