#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/qt/CApp.h"
#include "platform/factory/PlatformServices.h"

namespace {

// The exit code of a start refused for its environment, before any window is made.
constexpr int kExitBadEnvironment = 2;

}  // namespace

int main(int argc, char** argv) {
    const char* name = std::getenv(nl::kPlatformVariable);
    const auto platform = nl::PlatformKindFromName(name);
    if (!platform) {
        std::fprintf(stderr, "nerimlens: unknown %s value \"%s\"; use \"real\" or \"fake\"\n",
                     nl::kPlatformVariable, name);
        return kExitBadEnvironment;
    }
    try {
        nl::CApp app(argc, argv, *platform);
        return app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nerimlens: %s\n", e.what());
        return nl::CApp::kExitFailure;
    }
}
