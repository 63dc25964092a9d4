#include "platform/instance_request.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/IHotKeys.h"
#include "platform/hot_key_trigger.h"

namespace nl {
namespace {

TEST(InstanceRequestTest, RequestsSurviveTheLineAndBadOnesAreNotSent) {
    struct Case {
        InstanceRequest request;
        const char* line;  // nullptr: cannot be sent
    };
    const std::string longToken(kMaxInstanceRequestLength, 'x');
    const std::vector<Case> cases = {
        {{}, "show\n"},
        {{"", "abc_TIME42", ""}, "show token abc_TIME42\n"},
        {{"pick-color", "", ""}, "command pick-color\n"},
        {{"ruler", "t0k:3n", ""}, "command ruler token t0k:3n\n"},
        {{"two words", "", ""}, nullptr},
        {{"ruler", "line\nbreak", ""}, nullptr},
        {{"ruler", longToken, ""}, nullptr},
        // A document's path comes back byte for byte, spaces, escapes and UTF-8 included.
        {{"", "", "/home/a b/100%.nlz"}, "show open /home/a%20b/100%25.nlz\n"},
        {{"ruler", "t", "/d/\xC3\xA9\t.nlz"}, "command ruler open /d/%C3%A9%09.nlz token t\n"},
        {{"", "", std::string(kMaxInstanceRequestLength / 3, '\xFF')}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.command + "|" + c.request.activationToken + "|" +
                     c.request.document);
        const std::optional<std::string> line = FormatInstanceRequest(c.request);
        if (!c.line) {
            EXPECT_FALSE(line);
            continue;
        }
        ASSERT_TRUE(line);
        EXPECT_EQ(*line, c.line);
        EXPECT_EQ(ParseInstanceRequest(*line), c.request);
    }
}

TEST(InstanceRequestTest, LinesOfOtherShapesAreRefused) {
    for (const char* line :
         {"", "\n", "hello\n", "command\n", "show token\n", "show extra x\n", "command a b c\n",
          "show  token x\n", "command ruler token a b\n", "show open\n", "show open /a%4\n",
          "show open /a%zz\n", "show open %00\n", "show token x open /a\n",
          "show open /a open /b\n"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseInstanceRequest(line));
    }
}

TEST(InstanceRequestTest, StartupIdTimeIsTheDigitsAfterTheLastTimeMark) {
    struct Case {
        const char* id;
        std::uint32_t time;
    };
    for (const Case& c : std::vector<Case>{{"host-1234-x_TIME5678", 5678},
                                           {"a_TIME1_TIME99", 99},
                                           {"no-time", 0},
                                           {"bad_TIME12x", 0},
                                           {"huge_TIME99999999999", 0},
                                           {"", 0}}) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(StartupIdTime(c.id), c.time);
    }
}

TEST(ShortcutTriggerTest, ModifiersInFixedOrderThenTheKey) {
    struct Case {
        std::uint32_t modifiers;
        std::uint32_t key;
        const char* trigger;
    };
    const std::vector<Case> cases = {
        {kModControl, kVkF12, "CTRL+F12"},
        {kModWin | kModShift | kModAlt | kModControl, kVkF1, "CTRL+ALT+SHIFT+LOGO+F1"},
        {0, kVkF24, "F24"},
        {kModAlt, 'P', "ALT+p"},
        {kModShift, '7', "SHIFT+7"},
        {kModControl, 0x20, ""},  // the space bar has no name here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        EXPECT_EQ(ShortcutTrigger(c.modifiers, c.key), c.trigger);
    }
}

}  // namespace
}  // namespace nl
