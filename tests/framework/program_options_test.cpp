#include "framework/program_options.h"

#include <gtest/gtest.h>

#include "res/version.h"

namespace nl {
namespace {

TEST(ProgramOptionsTest, CommandAndHelpAreTakenOutOfTheArguments) {
    struct Case {
        std::vector<std::string> arguments;
        std::string command;
        bool help;
        std::vector<std::string> rest;
        const char* errorContains;  // empty: no error
    };
    const std::vector<Case> cases = {
        {{"doc.nlz"}, "", false, {"doc.nlz"}, ""},
        {{"--command", "show-hide"}, "show-hide", false, {}, ""},
        {{"UserDataFilePath:x", "--command=clipboard-viewer"},
         "clipboard-viewer",
         false,
         {"UserDataFilePath:x"},
         ""},
        {{"--help", "a"}, "", true, {"a"}, ""},
        {{"--command", "ruler", "--command", "ruler"}, "ruler", false, {}, "only one"},
        {{"--command"}, "", false, {}, "needs a command name"},
        {{"--command", "Show-Hide"}, "", false, {}, "unknown command \"Show-Hide\""},
        {{"--command="}, "", false, {}, "unknown command"},
        // After "--" nothing is an option; an unknown option is refused, "-" is a name.
        {{"--", "--help", "--command"}, "", false, {"--help", "--command"}, ""},
        {{"-", "a.nlz"}, "", false, {"-", "a.nlz"}, ""},
        {{"a.nlz", "--verbose"}, "", false, {}, "unknown option \"--verbose\""},
        {{"-x"}, "", false, {}, "unknown option \"-x\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramOptions options = ParseProgramOptions(c.arguments, UnknownOptions::kRefuse);
        if (*c.errorContains) {
            EXPECT_NE(options.error.find(c.errorContains), std::string::npos) << options.error;
            // Every wrong command name comes with the names to choose from.
            if (options.error.find("command") != std::string::npos) {
                EXPECT_NE(options.error.find(OutsideCommandNames()), std::string::npos);
            }
            continue;
        }
        EXPECT_EQ(options.error, "");
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.rest, c.rest);
    }
}

TEST(ProgramOptionsTest, VersionAndOptionsLeftForTheToolkit) {
    // Before the toolkit has taken its own options out they are kept for it.
    const ProgramOptions early =
        ParseProgramOptions({"--platform", "xcb", "--version"}, UnknownOptions::kKeep);
    EXPECT_EQ(early.error, "");
    EXPECT_TRUE(early.version);
    EXPECT_EQ(early.rest, (std::vector<std::string>{"--platform", "xcb"}));
    EXPECT_EQ(ProgramVersion("nerimlens"), std::string("nerimlens ") + kProductVersionText + "\n");
    EXPECT_TRUE(ProgramUsage("nerimlens").starts_with(ProgramUsageLine("nerimlens") + "\n"));
}

TEST(ProgramOptionsTest, EveryCommandNamesItsOwnHotKey) {
    for (const OutsideCommand& command : kOutsideCommands) {
        SCOPED_TRACE(std::string(command.name));
        EXPECT_EQ(HotKeyIdOfCommand(command.name), command.hotKeyId);
        EXPECT_NE(ProgramUsage("nerimlens").find(command.name), std::string::npos);
    }
    EXPECT_EQ(OutsideCommandNames(), "show-hide, pick-color, ruler, clipboard-viewer, contrast");
}

}  // namespace
}  // namespace nl
