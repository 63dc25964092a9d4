#include "res/help_page.h"

#include <gtest/gtest.h>

#include <string>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/escape.h"
#include "res/accelerators.h"

namespace nl {
namespace {

TEST(HelpPageTest, ListsEveryKeyOfTheMainWindowWithItsCommand) {
    const std::string page = BuildHelpPage();
    for (const int table : {res::kAcceleratorsMain}) {
        ASSERT_FALSE(FindAccelerators(table).empty()) << table;
        for (const Accelerator& key : FindAccelerators(table)) {
            const PromptAndTip text =
                SplitPrompt(LoadString(static_cast<std::uint32_t>(key.command)));
            const std::string what = text.prompt.empty() ? text.tip : text.prompt;
            ASSERT_FALSE(what.empty()) << "command " << key.command << " has no text";
            const std::string row = "<tr><td><b>" + EscapeMarkup(AcceleratorText(key)) +
                                    "</b></td><td>" + EscapeMarkup(what) + "</td></tr>";
            EXPECT_NE(page.find(row), std::string::npos) << row;
        }
    }
}

TEST(HelpPageTest, ListsTheRulerKeysOfItsShortcutList) {
    const std::string page = BuildHelpPage();
    EXPECT_NE(page.find("<h2>Ruler Shortcut Keys</h2>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td><b>O</b></td><td>Horizontal</td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td><b>V</b></td><td>Inverted</td></tr>"), std::string::npos);
}

TEST(HelpPageTest, IntroducesEachToolByItsNameAndPrompt) {
    const std::string page = BuildHelpPage();
    EXPECT_NE(page.find("<h1>NerimLens Help</h1>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td><b>Magnifier</b></td><td>Magnify the area around the cursor"
                        "</td></tr>"),
              std::string::npos);
    for (const int command : {cmd::kToolScreenCopier, cmd::kToolGauge, cmd::kToolColorPicker,
                              cmd::kRuler, cmd::kClipboardViewer}) {
        const PromptAndTip text = SplitPrompt(LoadString(static_cast<std::uint32_t>(command)));
        EXPECT_NE(page.find("<b>" + EscapeMarkup(text.tip) + "</b>"), std::string::npos) << command;
    }
    // Every table that opens is closed.
    std::size_t opened = 0, closed = 0;
    for (std::size_t at = 0; (at = page.find("<table>", at)) != std::string::npos; ++at) ++opened;
    for (std::size_t at = 0; (at = page.find("</table>", at)) != std::string::npos; ++at) ++closed;
    EXPECT_EQ(opened, 3u);
    EXPECT_EQ(closed, opened);
}

}  // namespace
}  // namespace nl
