#include "framework/command_hand_over.h"

#include <string_view>

#include "framework/latency_trace.h"

namespace nl {

namespace {

constexpr char kQtPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kWaylandDisplayVariable[] = "WAYLAND_DISPLAY";
constexpr char kSessionTypeVariable[] = "XDG_SESSION_TYPE";
constexpr char kRuntimeFolderVariable[] = "XDG_RUNTIME_DIR";
constexpr std::string_view kWayland = "wayland";

// The variable's value; empty when it is not set.
std::string_view Value(const EnvironmentReader& environment, const char* name) {
    const char* value = environment(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

bool RunsOnWayland(const EnvironmentReader& environment) {
    // The toolkit's own variable wins; its first plugin is the one that normally loads.
    if (const std::string_view platform = Value(environment, kQtPlatformVariable);
        !platform.empty())
        return platform.starts_with(kWayland);
    return !Value(environment, kWaylandDisplayVariable).empty() ||
           Value(environment, kSessionTypeVariable) == kWayland;
}

std::optional<InstanceRequest> CommandOnlyRequest(const ProgramOptions& options,
                                                  const EnvironmentReader& environment) {
    if (options.command.empty() || !options.rest.empty() || !options.error.empty() ||
        options.help || options.version)
        return std::nullopt;
    InstanceRequest request;
    request.command = options.command;
    request.activationToken = Value(
        environment, RunsOnWayland(environment) ? kActivationTokenVariable : kStartupIdVariable);
    return request;
}

std::optional<std::string> RunningInstanceSocket(std::string_view name,
                                                 const EnvironmentReader& environment) {
    const std::string_view folder = Value(environment, kRuntimeFolderVariable);
    if (folder.empty()) return std::nullopt;
    return InstanceSocketPath(folder, name);
}

std::optional<int> HandCommandOver(const ProgramOptions& options,
                                   const EnvironmentReader& environment, const InstanceSender& send,
                                   std::string* error) {
    const std::optional<InstanceRequest> request = CommandOnlyRequest(options, environment);
    if (!request) return std::nullopt;
    const std::optional<std::string> socket =
        RunningInstanceSocket(kProgramInstanceName, environment);
    const std::optional<std::string> line = FormatInstanceRequest(*request);
    if (!socket || !line) return std::nullopt;
    TraceLatency("instance");
    switch (send(*socket, *line)) {
        case HandOver::kTaken:
            return 0;
        case HandOver::kUnanswered:
            if (error) *error = CommandNotTakenMessage(request->command);
            return 1;
        case HandOver::kNoListener:
        case HandOver::kDropped:
            break;
    }
    return std::nullopt;
}

}  // namespace nl
