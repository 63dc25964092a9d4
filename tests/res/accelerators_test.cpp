#include "res/accelerators.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "base/virtual_keys.h"
#include "platform/IHotKeys.h"

namespace nl {
namespace {

constexpr std::uint32_t kCtrl = kModControl;
constexpr std::uint32_t kShift = kModShift;
constexpr std::uint32_t kAlt = kModAlt;
constexpr int kMain = res::kAcceleratorsMain;
constexpr int kRuler = res::kAcceleratorsRuler;

TEST(AcceleratorsTest, LookupMatchesModifiersExactly) {
    struct Case {
        int table;
        std::uint32_t modifiers, key;
        int command;
    };
    const Case cases[] = {
        {kMain, 0, kVkLeft, cmd::kCursorLeft},
        {kMain, 0, kVkDown, cmd::kCursorDown},
        {kMain, 0, kVkReturn, cmd::kPick},
        {kMain, kCtrl, kVkReturn, cmd::kCopy},
        {kMain, kShift, kVkReturn, cmd::kShiftEnter},
        {kMain, kCtrl | kShift, kVkReturn, 0},
        {kMain, kAlt, kVkReturn, 0},
        {kMain, 0, kVkEscape, cmd::kEscape},
        {kMain, kCtrl, kVkUp, cmd::kMoveColorUp},  // not the cursor
        {kMain, kCtrl, kVkLeft, 0},
        {kMain, kCtrl, 'E', cmd::kExportColorsToFile},
        {kMain, kCtrl, 'P', cmd::kExportColorsToBrowser},
        {kMain, kCtrl | kShift, 'C', cmd::kExportColorsToClipboard},
        {kMain, kCtrl, 'C', cmd::kEditCopy},
        {kMain, 0, 'C', 0},
        {kMain, kCtrl | kModWin, 'C', 0},
        {kMain, kCtrl, 'G', cmd::kGotoColor},
        {kMain, 0, kVkDelete, cmd::kEditDelete},
        {kMain, 0, kVkHome, cmd::kArrange},
        {kMain, 0, kVkF1, cmd::kHelp},
        {kMain, kShift, kVkF1, 0},
        {kMain, kAlt, kVkF4, 0},
        {kRuler, 0, 'C', cmd::kRulerMoveCursorToRuler},
        {kRuler, kCtrl, kVkOemPlus, cmd::kRulerZoomIn},
        {kRuler, kCtrl, kVkAdd, cmd::kRulerZoomIn},
        {kRuler, kCtrl, kVkSubtract, cmd::kRulerZoomOut},
        {kRuler, 0, kVkOemPlus, 0},
        {kRuler, kAlt, kVkF4, cmd::kClose},
        {kRuler, 0, kVkReturn, 0},
        {1001, kCtrl, 'C', 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindAcceleratorCommand(c.table, c.modifiers, c.key), c.command)
            << c.table << " " << c.modifiers << " " << c.key;
    EXPECT_TRUE(FindAccelerators(1001).empty());
}

TEST(AcceleratorsTest, NoKeyTwiceInATable) {
    for (const int table : {kMain, kRuler}) {
        std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
        for (const Accelerator& key : FindAccelerators(table)) {
            EXPECT_NE(key.command, 0) << table;
            EXPECT_TRUE(seen.insert({key.modifiers, key.virtualKey}).second)
                << table << ": " << AcceleratorText(key) << " is mapped twice";
        }
        EXPECT_GT(seen.size(), 20u);
    }
}

TEST(AcceleratorsTest, KeyTexts) {
    struct Case {
        std::uint32_t modifiers, key;
        const char* text;
    };
    const Case cases[] = {
        {kCtrl | kShift, 'C', "Ctrl+Shift+C"},
        {kCtrl | kAlt | kShift, 'Z', "Ctrl+Shift+Alt+Z"},
        {0, kVkHome, "Home"},
        {kShift, kVkReturn, "Shift+Enter"},
        {0, kVkLeft, "Left"},
        {kCtrl, kVkDown, "Ctrl+Down"},
        {0, kVkF1, "F1"},
        {kAlt, kVkF4, "Alt+F4"},
        {kCtrl, kVkF12, "Ctrl+F12"},
        {0, kVkDelete, "Del"},
        {0, kVkInsert, "Ins"},
        {0, kVkEscape, "Esc"},
        {kCtrl, '0', "Ctrl+0"},
        {kCtrl, kVkOemPlus, "Ctrl++"},
        {kCtrl, kVkOemMinus, "Ctrl+-"},
        {kCtrl, kVkAdd, "Ctrl+Num +"},
        {0, 0x7, "Key 0x07"},
        {0, 0x1FF, "Key 0x1FF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AcceleratorText({c.modifiers, c.key, 1}), c.text) << c.key;
    EXPECT_EQ(CommandKeyText(kRuler, cmd::kRulerZoomIn), "Ctrl++");  // the first of two keys
    EXPECT_EQ(CommandKeyText(kMain, cmd::kAppAbout), "");
}

// The ruler's shortcut-keys window lists the ruler's keys as text; it must not drift from the
// keys that really work.
TEST(AcceleratorsTest, RulerShortcutListMatchesTheRulerKeys) {
    const std::map<std::string, int> commands = {
        {"Horizontal", cmd::kRulerHorizontal},
        {"Inverted", cmd::kRulerInverted},
        {"Guide", cmd::kRulerGuide},
        {"Stay on Top", cmd::kStayOnTop},
        {"Arrange", cmd::kRulerArrange},
        {"Pixel", cmd::kRulerUnitPixel},
        {"Pica", cmd::kRulerUnitPixel + 1},
        {"Point", cmd::kRulerUnitPixel + 2},
        {"Twip", cmd::kRulerUnitPixel + 3},
        {"Centimeter", cmd::kRulerUnitPixel + 4},
        {"Inch", cmd::kRulerUnitPixel + 5},
        {"Dialog Base", cmd::kRulerUnitPixel + 6},
        {"Dialog", cmd::kRulerUnitDialog},
        {"Base 10", cmd::kRulerBase10},
        {"Base 2", cmd::kRulerBase2},
        {"Normal zoom", cmd::kRulerNormalZoom},
        {"Zoom In", cmd::kRulerZoomIn},
        {"Zoom Out", cmd::kRulerZoomOut},
        {"Custom zoom", cmd::kRulerCustomZoom},
        {"Help", cmd::kHelp},
        {"Shortcut Keys", cmd::kRulerShortcutKeys},
        {"Next Unit", cmd::kRulerNextUnit},
        {"Move ruler to cursor", cmd::kRulerMoveToCursor},
        {"Move cursor to ruler", cmd::kRulerMoveCursorToRuler},
        {"Close", cmd::kClose},
    };
    const auto rows = SplitLines(LoadString(kIdsRulerKeys));
    size_t checked = 0;
    for (size_t i = 3; i + 1 < rows.size(); i += 2) {
        if (rows[i + 1] == "Arrows") {
            for (const std::uint32_t key : {kVkLeft, kVkRight, kVkUp, kVkDown})
                EXPECT_NE(FindAcceleratorCommand(kRuler, 0, key), 0);
            continue;
        }
        const auto command = commands.find(rows[i]);
        ASSERT_NE(command, commands.end()) << rows[i];
        EXPECT_EQ(CommandKeyText(kRuler, command->second), rows[i + 1]) << rows[i];
        ++checked;
    }
    EXPECT_EQ(checked, commands.size());
}

}  // namespace
}  // namespace nl
