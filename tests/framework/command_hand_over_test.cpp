#include "framework/command_hand_over.h"

#include <gtest/gtest.h>

#include <map>

namespace nl {
namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentReader Reader(const Environment& environment) {
    return [&environment](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found != environment.end() ? found->second.c_str() : nullptr;
    };
}

TEST(CommandHandOverTest, OnlyABareCommandIsHandedOverWithTheTokenOfItsPlatform) {
    const Environment tokens = {{"DESKTOP_STARTUP_ID", "launcher_TIME42"},
                                {"XDG_ACTIVATION_TOKEN", "wl-token"}};
    auto with = [&](Environment more) {
        more.insert(tokens.begin(), tokens.end());
        return more;
    };
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        Environment environment;
        std::optional<std::string> token;  // nothing: the whole start runs
    };
    const std::vector<Case> cases = {
        {"no token given", {"--command", "pick-color"}, {}, ""},
        {"X11", {"--command", "pick-color"}, with({{"DISPLAY", ":1"}}), "launcher_TIME42"},
        {"a Wayland display",
         {"--command=ruler"},
         with({{"WAYLAND_DISPLAY", "wayland-1"}}),
         "wl-token"},
        {"a Wayland session",
         {"--command", "ruler"},
         with({{"XDG_SESSION_TYPE", "wayland"}}),
         "wl-token"},
        {"the toolkit's variable wins",
         {"--command", "ruler"},
         with({{"WAYLAND_DISPLAY", "wayland-1"}, {"QT_QPA_PLATFORM", "xcb"}}),
         "launcher_TIME42"},
        {"wayland asked for",
         {"--command", "ruler"},
         with({{"QT_QPA_PLATFORM", "wayland-egl"}}),
         "wl-token"},
        {"a plain start", {}, {}, std::nullopt},
        {"a document", {"--command", "ruler", "a.nlz"}, {}, std::nullopt},
        {"an override", {"--command", "ruler", "UserDataFilePath:x.dat"}, {}, std::nullopt},
        {"a toolkit option", {"-platform", "xcb", "--command", "ruler"}, {}, std::nullopt},
        {"a wrong name", {"--command", "bogus"}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<InstanceRequest> request =
            CommandOnlyRequest(ParseProgramOptions(c.arguments), Reader(c.environment));
        ASSERT_EQ(request.has_value(), c.token.has_value());
        if (!request) continue;
        EXPECT_EQ(request->activationToken, *c.token);
        EXPECT_TRUE(request->document.empty());
        EXPECT_TRUE(HotKeyIdOfCommand(request->command).has_value());
    }
}

TEST(CommandHandOverTest, TheSocketLiesInTheRuntimeFolderUnderASafeName) {
    const Environment runtime = {{"XDG_RUNTIME_DIR", "/run/user/1000"}};
    EXPECT_EQ(RunningInstanceSocket("Nerim NerimLens", Reader(runtime)),
              "/run/user/1000/Nerim_NerimLens.socket");
    EXPECT_EQ(RunningInstanceSocket("../a:b", Reader(runtime)), "/run/user/1000/.._a_b.socket");
    EXPECT_EQ(RunningInstanceSocket("x", Reader({})), std::nullopt);
}

}  // namespace
}  // namespace nl
