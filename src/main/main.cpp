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
    // A command given alone goes straight to the running instance, without the toolkit and
    // the platform services, whose start would cost a desktop's key binding a good part of its
    // time to the frozen picture.
    if (*platform == nl::PlatformKind::kReal) {
        const nl::EnvironmentReader environment = [](const char* n) { return std::getenv(n); };
        const auto send = [](const std::string& socket, std::string_view line) {
            return nl::HandRequestToInstance(socket, line, kAnswerTimeoutMs);
        };
        std::string error;
        if (const std::optional<int> code =
                nl::HandCommandOver(options, environment, send, &error)) {
            if (!error.empty()) std::fprintf(stderr, "nerimlens: %s\n", error.c_str());
            return *code;
        }
    }
    try {
        nl::CApp app(argc, argv, *platform);
        return app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nerimlens: %s\n", e.what());
        return nl::CApp::kExitFailure;
    }
}
