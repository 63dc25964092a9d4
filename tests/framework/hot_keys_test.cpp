#include "framework/hot_keys.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/CSystemError.h"
#include "platform/fake/FakeHotKeys.h"

namespace nl {
namespace {

constexpr std::uint32_t kVkP = 'P';

TEST(HotKeysTest, ValidateHotKey) {
    struct Case {
        std::uint32_t modifiers, vk;
        bool valid;
    };
    const Case cases[] = {
        {0, 0, true},                           // clears the hot key
        {kModControl, kVkF12, true},            // Ctrl+F12
        {kModControl, kVkP, false},             // Ctrl+P: not a function key
        {0, kVkF12, true},                      // F12 alone
        {0, kVkF1, false},                      // F1 alone is Help
        {kModShift, kVkF1, true},               // Shift+F1
        {kModWin, kVkF1, true},                 // Win+F1
        {kModAlt, kVkF4, false},                // Alt+F4
        {kModControl | kModAlt, kVkF4, false},  // Ctrl+Alt+F4
        {kModControl, kVkF4, true},             // Ctrl+F4
        {kModControl, 0, false},                // modifiers without a key
        {kModControl, kVkF12 + 1, false},       // F13
        {kModControl, kVkF1 - 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidateHotKey(MakeHotKey(c.modifiers, c.vk)), c.valid)
            << std::hex << c.modifiers << " " << c.vk;
}

TEST(HotKeysTest, HotKeyText) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "None"},
        {MakeHotKey(kModControl | kModAlt, kVkF12), "Ctrl + Alt + F12"},
        {MakeHotKey(kModAlt | kModShift | kModControl, kVkF1), "Ctrl + Shift + Alt + F1"},
        {MakeHotKey(kModWin | kModShift, kVkF4), "Win + Shift + F4"},
        {MakeHotKey(0, kVkF1 + 9), "F10"},
        {MakeHotKey(kModControl, 'P'), "Ctrl + P"},
        {MakeHotKey(0, 0x61), "Num 1"},
        {MakeHotKey(kModShift, 0x2E), "Shift + Delete"},
        {MakeHotKey(0, 0xE9), "Key 0xE9"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(HotKeyText(value), text) << std::hex << value;
}

TEST(HotKeysTest, CommandNamesAndActions) {
    const char* names[] = {"Show/Hide", "Pick Color", "Ruler", "Clipboard Viewer", "Contrast"};
    for (int id = 0; id < kHotKeyCount; ++id) EXPECT_EQ(HotKeyCommandName(id), names[id]);
    EXPECT_EQ(HotKeyCommandName(5), "");

    EXPECT_EQ(ActionForHotKey(kHotKeyShowHide, false).command, 26002u);
    EXPECT_EQ(ActionForHotKey(kHotKeyPickColor, true).command, 3454u);
    const HotKeyAction stopped = ActionForHotKey(kHotKeyPickColor, false);
    EXPECT_EQ(stopped.command, 0u);
    EXPECT_TRUE(stopped.askResumePicking);
    EXPECT_EQ(ActionForHotKey(kHotKeyRuler, false).command, 3057u);
    EXPECT_EQ(ActionForHotKey(kHotKeyClipboardViewer, false).command, 3058u);
    EXPECT_EQ(ActionForHotKey(kHotKeyContrast, false).command, kCmdContrast);
    EXPECT_EQ(ActionForHotKey(7, true).command, 0u);
}

TEST(HotKeysTest, PickHotKeyStartsAFrozenScreenAtOnce) {
    const struct {
        bool started;
        PickingStart start;
        std::uint32_t command;
        bool ask;
    } cases[] = {
        {false, PickingStart::kAsk, 0u, true},
        {false, PickingStart::kAtOnce, kCmdResumePicking, false},
        {true, PickingStart::kAtOnce, kCmdPickColor, false},
        {true, PickingStart::kAsk, kCmdPickColor, false},
    };
    for (const auto& c : cases) {
        const HotKeyAction action = ActionForHotKey(kHotKeyPickColor, c.started, c.start);
        EXPECT_EQ(action.command, c.command);
        EXPECT_EQ(action.askResumePicking, c.ask);
    }
    // The other hot keys do not care.
    EXPECT_EQ(ActionForHotKey(kHotKeyRuler, false, PickingStart::kAtOnce).command, 3057u);
}

TEST(HotKeysTest, RegistrationCollectsFailuresAndGoesOn) {
    FakeHotKeys hotKeys;
    hotKeys.SetTaken(kModControl, kVkF12);
    const std::vector<std::uint32_t> table = {MakeHotKey(kModControl, kVkF12),  0,
                                              MakeHotKey(kModShift, kVkF1),     0,
                                              MakeHotKey(kModShift, kVkF1 + 1), 77};
    const HotKeyErrors errors = RegisterAllHotKeys(hotKeys, table);
    EXPECT_EQ(errors, (HotKeyErrors{kErrorHotkeyAlreadyRegistered, 0, 0, 0, 0}));
    EXPECT_FALSE(hotKeys.IsRegistered(0));
    EXPECT_TRUE(hotKeys.IsRegistered(2));
    EXPECT_TRUE(hotKeys.IsRegistered(kHotKeyContrast));
    EXPECT_EQ(hotKeys.Count(), 2u);  // the sixth entry has no id

    // Setting one replaces the old key; 0 leaves it cleared.
    EXPECT_EQ(SetHotKey(hotKeys, 2, MakeHotKey(kModAlt, kVkF12)), 0u);
    EXPECT_EQ(hotKeys.KeyOf(2).modifiers, kModAlt);
    EXPECT_EQ(SetHotKey(hotKeys, 2, 0), 0u);
    EXPECT_FALSE(hotKeys.IsRegistered(2));
    EXPECT_EQ(SetHotKey(hotKeys, 1, MakeHotKey(kModControl, kVkF12)),
              kErrorHotkeyAlreadyRegistered);

    SetHotKey(hotKeys, 3, MakeHotKey(kModAlt, kVkF12 - 1));
    UnregisterAllHotKeys(hotKeys, std::vector<std::uint32_t>{0, 0, 0, MakeHotKey(kModAlt, 122),
                                                             MakeHotKey(kModShift, kVkF1 + 1)});
    EXPECT_EQ(hotKeys.Count(), 0u);
}

TEST(HotKeysTest, StartupList) {
    const std::uint32_t ctrlF12 = MakeHotKey(kModControl, kVkF12);
    const std::uint32_t shiftF1 = MakeHotKey(kModShift, kVkF1);
    const std::string header = "\n\nCOMMAND\tHOT KEY";
    struct Case {
        const char* what;
        std::vector<std::uint32_t> table;
        HotKeyErrors errors;
        bool listAlways;
        std::string wantText;
        bool wantBalloon;
    };
    const Case cases[] = {
        {"listed on request",
         {ctrlF12, 0, shiftF1, 0},
         {},
         true,
         header + "\nShow/Hide     \tCtrl + F12\nRuler         \tShift + F1",
         false},
        {"not requested, all registered", {ctrlF12, 0, shiftF1, 0}, {}, false, "", false},
        {"a failure lists and shows the first error",
         {0, ctrlF12, shiftF1, MakeHotKey(kModAlt, kVkF12)},
         {0, kErrorHotkeyAlreadyRegistered, 0, kErrorAccessDenied},
         false,
         header +
             "\nPick Color    \tCtrl + F12*\nRuler         \tShift + F1\nClipboard Viewer\tAlt + "
             "F12*\n\n* Error: Hot key is already registered.",
         true},
        {"no hot key set, no list", {0, 0, 0, 0}, {}, true, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const StartupHotKeyList list = BuildStartupHotKeyList(c.table, c.errors, c.listAlways);
        EXPECT_EQ(list.text, c.wantText);
        EXPECT_EQ(list.showBalloon, c.wantBalloon);
    }
}

}  // namespace
}  // namespace nl
