#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/command_ids.h"
#include "base/string_entries.h"
#include "base/text.h"

namespace nl {
namespace {

TEST(StringTableTest, EntriesAreSortedUniqueAndNotEmpty) {
    const auto entries = StringEntries();
    ASSERT_FALSE(entries.empty());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_FALSE(entries[i].text.empty()) << entries[i].id;
        if (i > 0) {
            EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
        }
        // Every entry is reachable through the binary search.
        const auto found = FindString(entries[i].id);
        ASSERT_TRUE(found.has_value()) << entries[i].id;
        EXPECT_EQ(found->data(), entries[i].text.data()) << entries[i].id;
    }
}

TEST(StringTableTest, MissingIdsGiveNothing) {
    const std::uint32_t missing[] = {0, 1, 999, 2108, 3350, 61696, 65535, 0xFFFFFFFFu};
    for (const std::uint32_t id : missing) {
        EXPECT_FALSE(FindString(id).has_value()) << id;
        EXPECT_EQ(LoadString(id), "") << id;
    }
}

TEST(StringTableTest, SelectedTextsAreExact) {
    struct Case {
        std::uint32_t id;
        const char* text;
    };
    const Case cases[] = {
        {kIdsAppTitle, "NerimLens"},
        {kIdsIdleMessage, "Ready"},
        {kIdsUntitled, "Untitled"},
        {kIdpSaveModified, "Save changes to %1?"},
        {kIdpParseIntRange, "Enter an integer between %1 and %2."},
        {kIdpNotSupported, "Attempted an unsupported operation."},
        {kIdpArchBadFormat, "%1 has a bad format."},
        {kIdpArchEndOfFile, "Attempted to access %1 past its end."},
        {kIdpUnnamedFile, "an unnamed file"},
        {kIdpFileReadOnly, "Unable to write to %1, it is read-only or opened by someone else."},
        {kIdsErrorNumber, "Error #%1: %2"},
        {kIdsErrorNumberWithData, "Error #%1: %2\n\nData: %3"},
        {kIdsReadErrorAsk,
         "An error occurred while reading the following configuration file:\n\n\t%1\n\nError:\n\t%2"
         "\n\n- Choose OK to try loading an older configuration file if available.\n- Choose "
         "Cancel to exit the application."},
        {kIdsRulerUnitAbbreviations, "px\npc\npt\ntwp\ncm\nin\ndbu\ndlu"},
        {kIdsCountdown, "%1 sec to snapshot - move cursor away!"},
        {cmd::kRulerUnitDialog, "1 dlu = horz: 1/4 dbu or vert: 1/8 dbu"},
        // Texts of the program's own windows and messages.
        {kIdsOptionsLater, "The options window comes with a later version of NerimLens."},
        {kIdsToolbarTitle, "Toolbar"},
        {kIdsAboutCaption, "About %1"},
        {kIdsAboutText, "<b>%1</b><br>Version %2<br><br>%3<br><br>%4"},
        {kIdsHelpTitle, "%1 Help"},
        {kIdsHelpMainKeys, "Keys of the main window"},
        {kIdsCopyInstructions,
         "To copy the magnified image to the clipboard:\n\n"
         "1- Click on the NerimLens window to activate it\n"
         "2- Move the cursor to the desired location\n"
         "3- Press Ctrl+C\n\n"
         "For more options, select Tools > Screen Copier from the menu."},
        {kIdsNoDataToCopy, "There is no data available to copy to the clipboard."},
        {kIdsHelpTools, "Tools"},
        {kIdsScaleCaption, "NerimLens: Ruler Custom Zoom"},
        {kIdsScaleFactor, "&Zoom factor:"},
        {kIdsScalePercent, "%"},
        {kIdsScaleAutoPreview, "&Auto-Preview"},
        {kIdsRulerKeysCaption, "NerimLens: %1"},
        {kIdsRulerHelpButton, "?"},
        {kIdsColPropsColumns, "Property\nValue\nRange"},
        {kIdsColPropsCaption, "Color Properties"},
        {kIdsColPropsCaptionIndex, "Color Properties #%1"},
        {kIdsEditColorCaption, "Edit Color #%1"},
        {kIdsEditColorTiles, "Old\nNew"},
        {kIdsEditColorChannels, "&Hue\n&Saturation\n&Luminosity"},
        {kIdsEditColorReset, "&Reset"},
        {kIdsEditColorSelect, "S&elect..."},
        {kIdsEditColorChannelResets, "H\nS\nL"},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadString(c.id), c.text) << c.id;
}

TEST(StringTableTest, TableStringsHaveTheirRowCounts) {
    struct Case {
        std::uint32_t id;
        size_t rows;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {kIdsColorFormats, 54, "0", "0x%02X%02X%02X"},  // eighteen formats of three items
        {kIdsUnits, 32, "0", "%.2f"},                   // eight units of four items
        {kIdsRulerKeys, 3 + 2 * 26, "Ruler Shortcut Keys", "Alt+F4"},
        {kIdsSoundNames, 7, "None", "Tick6"},
        {2043, 10, "<appname/>", "<user/>"},
        {kIdsHotKeyCommands, 5, "Show/Hide", "Contrast"},
        {kIdsDocumentStrings, 7, "NerimLens", "NerimLens.Document"},
    };
    for (const auto& c : cases) {
        const auto rows = SplitLines(LoadString(c.id));
        ASSERT_EQ(rows.size(), c.rows) << c.id;
        EXPECT_EQ(rows.front(), c.first) << c.id;
        EXPECT_EQ(rows.back(), c.last) << c.id;
        for (const auto& row : rows) {
            if (c.id != kIdsDocumentStrings) {  // only the document strings have an empty field
                EXPECT_FALSE(row.empty()) << c.id;
            }
        }
    }
    EXPECT_EQ(SplitLines(LoadString(kIdsDocumentStrings))[4], ".nlz");
}

TEST(StringTableTest, LoadStringRowPicksOneLine) {
    struct Case {
        std::uint32_t id;
        std::size_t row;
        const char* text;
    };
    const Case cases[] = {
        {kIdsTogglePicking, 0, "Start &picking"},
        {kIdsTogglePicking, 1, "Stop &picking"},
        {kIdsTogglePicking, 2, ""},    // past the last row
        {kIdsDocumentStrings, 1, ""},  // an empty row in the middle
        {kIdsDocumentStrings, 4, ".nlz"},
        {kIdsDocumentStrings, 6, "NerimLens.Document"},
        {kIdsAppTitle, 0, "NerimLens"},  // a single-row string
        {kIdsAppTitle, 1, ""},
        {2108, 0, ""},  // no such string
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadStringRow(c.id, c.row), c.text) << c.id << ":" << c.row;
}

TEST(StringTableTest, FormatMessageFillsInserts) {
    struct Case {
        const char* pattern;
        std::initializer_list<std::string_view> inserts;
        const char* expected;
    };
    const Case cases[] = {
        {"%1 and %2", {"a", "b"}, "a and b"},
        {"%2%1", {"a", "b"}, "ba"},
        {"[%10]", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "[ten]"},
        {"%1%10", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "1ten"},
        {"%123", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "twelve"}, "twelve3"},
        {"100%%", {}, "100%"},
        {"a%nb", {}, "a\nb"},
        {"abc%0def", {}, "abc"},
        {"%0", {"x"}, ""},
        {"end%.", {}, "end."},
        {"wow%!", {}, "wow!"},
        {"%1!d! items", {"5"}, "5 items"},
        {"%2!s!-%1!u!", {"x", "y"}, "y-x"},
        {"%3 stays", {"a"}, "%3 stays"},
        {"%3!d! stays", {"a"}, "%3!d! stays"},
        {"%1", {}, "%1"},
        {"50%", {}, "50%"},
        {"", {"a"}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatMessage(c.pattern, c.inserts), c.expected) << c.pattern;
    }
}

TEST(StringTableTest, FormatStringUsesTheTable) {
    EXPECT_EQ(FormatString(kIdsErrorNumber, {"5", "Access is denied."}),
              "Error #5: Access is denied.");
    EXPECT_EQ(FormatString(kIdpArchBadFormat, {"/tmp/a.nlz"}), "/tmp/a.nlz has a bad format.");
    EXPECT_EQ(FormatString(kIdsCountdownIntoPlace, {"2.9"}),
              "2.9 sec to snapshot - move cursor into place!");
    const std::string recovery = FormatString(kIdsReadErrorAsk, {"/home/u/NerimLens.dat", "bad"});
    EXPECT_NE(recovery.find(" file:\n\n\t/home/u/NerimLens.dat\n\nError:\n\tbad\n\n- Choose OK"),
              std::string::npos)
        << recovery;
    EXPECT_EQ(FormatString(2108, {"x"}), "");
}

TEST(StringTableTest, SplitPromptAtTheFirstLineFeed) {
    struct Case {
        std::string_view text;
        const char* prompt;
        const char* tip;
    };
    const Case cases[] = {
        {"Measure line\nLine", "Measure line", "Line"},
        {"Keyboard availability indicator", "Keyboard availability indicator", ""},
        {"a\nb\nc", "a", "b\nc"},
        {"\ntip", "", "tip"},
        {"prompt\n", "prompt", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const PromptAndTip split = SplitPrompt(c.text);
        EXPECT_EQ(split.prompt, c.prompt) << c.text;
        EXPECT_EQ(split.tip, c.tip) << c.text;
    }
    const PromptAndTip concentric = SplitPrompt(LoadString(cmd::kMeasureRectangleFromCenter));
    EXPECT_EQ(concentric.prompt, "Measure rectangle from center");
    EXPECT_EQ(concentric.tip, "Concentric rectangle");
}

}  // namespace
}  // namespace nl
