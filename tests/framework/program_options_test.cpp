#include "framework/program_options.h"

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramOptions options = ParseProgramOptions(c.arguments);
        if (*c.errorContains) {
            EXPECT_NE(options.error.find(c.errorContains), std::string::npos) << options.error;
            // Every wrong command line lists the names to choose from.
            EXPECT_NE(options.error.find(OutsideCommandNames()), std::string::npos);
            continue;
        }
        EXPECT_EQ(options.error, "");
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.rest, c.rest);
    }
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
