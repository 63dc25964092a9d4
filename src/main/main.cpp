#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/CApp.h"
#include "framework/command_hand_over.h"
#include "framework/latency_trace.h"
#include "framework/program_options.h"
#include "platform/factory/PlatformServices.h"
#include "platform/local/instance_client.h"

namespace {

// The exit code of a start refused for its environment, before any window is made.
constexpr int kExitBadEnvironment = 2;
// How long the running instance has to answer a command handed to it, as for a whole start.
constexpr int kAnswerTimeoutMs = 2000;

// Hands a command given alone to the running instance straight through its socket, without
// the toolkit and the platform services, whose start would cost a desktop's key binding a good
// part of its time to the frozen picture. The exit code when the instance took it or kept
// silent; nothing when the whole start has to run: no instance listens (none runs, or it is
// starting), or it dropped the request (it may be ending, and the whole start takes its place).
std::optional<int> HandCommandOver(const nl::ProgramOptions& options) {
    const nl::EnvironmentReader environment = [](const char* name) { return std::getenv(name); };
    const std::optional<nl::InstanceRequest> request = nl::CommandOnlyRequest(options, environment);
    if (!request) return std::nullopt;
    const std::optional<std::string> socket =
        nl::RunningInstanceSocket(nl::CApp::kInstanceName, environment);
    const std::optional<std::string> line = nl::FormatInstanceRequest(*request);
    if (!socket || !line) return std::nullopt;
    nl::TraceLatency("instance");
    switch (nl::HandRequestToInstance(*socket, *line, kAnswerTimeoutMs)) {
        case nl::HandOver::kTaken:
            return 0;
        case nl::HandOver::kUnanswered:
            std::fprintf(stderr, "nerimlens: %s\n",
                         nl::CommandNotTakenMessage(request->command).c_str());
            return nl::CApp::kExitFailure;
        case nl::HandOver::kNoListener:
        case nl::HandOver::kDropped:
            break;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    nl::TraceLatency("main");
    // --help, --version and a wrong --command are answered before anything needs a display;
    // other options are known only once the toolkit has taken its own out (CApp).
    const nl::ProgramOptions options =
        nl::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "nerimlens: %s\n", options.error.c_str());
        return nl::CApp::kExitBadUsage;
    }
    if (options.help) {
        std::fputs(nl::ProgramUsage("nerimlens").c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(nl::ProgramVersion("nerimlens").c_str(), stdout);
        return 0;
    }
    const char* name = std::getenv(nl::kPlatformVariable);
    const auto platform = nl::PlatformKindFromName(name);
    if (!platform) {
        std::fprintf(stderr, "nerimlens: unknown %s value \"%s\"; use \"real\" or \"fake\"\n",
                     nl::kPlatformVariable, name);
        return kExitBadEnvironment;
    }
    if (*platform == nl::PlatformKind::kReal)
        if (const std::optional<int> code = HandCommandOver(options)) return *code;
    try {
        nl::CApp app(argc, argv, *platform);
        return app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nerimlens: %s\n", e.what());
        return nl::CApp::kExitFailure;
    }
}
