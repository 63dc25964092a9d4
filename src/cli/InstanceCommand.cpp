#include "cli/InstanceCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "cli/command_support.h"
#include "framework/command_hand_over.h"
#include "framework/program_options.h"
#include "platform/local/XdgFolders.h"
#include "platform/local/instance_client.h"

namespace nl::cli {
namespace {

// How long the running instance has to answer, as for the program's own hand-over.
constexpr int kAnswerTimeoutMs = 2000;
constexpr char kProgramName[] = "nerimlens";

// Replaces this process with the program started for `command`; returns only on failure.
[[noreturn]] void StartProgram(const std::string& command) {
    std::string flag = "--command";
    std::string name = kProgramName;
    std::string value = command;
    char* arguments[] = {name.data(), flag.data(), value.data(), nullptr};
    if (const std::string self = XdgFolders().ExecutablePath(); !self.empty()) {
        const std::string beside = self.substr(0, self.rfind('/') + 1) + kProgramName;
        if (::access(beside.c_str(), X_OK) == 0) ::execv(beside.c_str(), arguments);
    }
    ::execvp(kProgramName, arguments);
    throw std::runtime_error(std::string("cannot start ") + kProgramName + ": " +
                             std::strerror(errno));
}

void RunInstanceCommand(const std::string& command) {
    const ProgramOptions options = ParseProgramOptions({"--command", command});
    if (!options.error.empty()) throw UsageError(options.error);
    const EnvironmentReader environment = [](const char* n) { return std::getenv(n); };
    const InstanceSender send = [](const std::string& socket, std::string_view line) {
        return HandRequestToInstance(socket, line, kAnswerTimeoutMs);
    };
    std::string error;
    if (const std::optional<int> code = HandCommandOver(options, environment, send, &error)) {
        if (*code != 0) throw std::runtime_error(error);
        return;
    }
    StartProgram(command);
}

}  // namespace

void RegisterInstanceCommand(CLI::App& app) {
    auto name = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "command", "Hand a command to the running NerimLens (or start it with the command)");
    command->add_option("NAME", *name, "One of " + OutsideCommandNames())->required();
    command->callback([name] { RunInstanceCommand(*name); });
}

}  // namespace nl::cli
