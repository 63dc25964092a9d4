// Conversions between the system's virtual keys and Qt's keys.
#include "ui/qt/qt_keys.h"

#include <gtest/gtest.h>

#include "base/virtual_keys.h"
#include "platform/IHotKeys.h"

namespace nl {
namespace {

TEST(QtKeysTest, KeysConvertBothWays) {
    struct Case {
        std::uint32_t virtualKey;
        int qtKey;
        bool keypad;
    };
    const Case cases[] = {
        {'A', Qt::Key_A, false},
        {'Z', Qt::Key_Z, false},
        {'0', Qt::Key_0, false},
        {'9', Qt::Key_9, false},
        {kVkF1, Qt::Key_F1, false},
        {kVkF12, Qt::Key_F12, false},
        {kVkF24, Qt::Key_F24, false},
        {kVkReturn, Qt::Key_Return, false},
        {kVkEscape, Qt::Key_Escape, false},
        {kVkHome, Qt::Key_Home, false},
        {kVkLeft, Qt::Key_Left, false},
        {kVkDown, Qt::Key_Down, false},
        {kVkDelete, Qt::Key_Delete, false},
        {kVkPrior, Qt::Key_PageUp, false},
        {kVkOemPlus, Qt::Key_Equal, false},
        {kVkOemMinus, Qt::Key_Minus, false},
        {kVkAdd, Qt::Key_Plus, true},
        {kVkSubtract, Qt::Key_Minus, true},
        {0x60, Qt::Key_0, true},
        {0x69, Qt::Key_9, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.virtualKey);
        bool keypad = false;
        EXPECT_EQ(QtKeyFromVirtualKey(c.virtualKey, &keypad), c.qtKey);
        EXPECT_EQ(keypad, c.keypad);
        const Qt::KeyboardModifiers mods = c.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, mods), c.virtualKey);
    }
}

TEST(QtKeysTest, KeysQtNamesApartMapOntoOneVirtualKey) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter, Qt::KeypadModifier), kVkReturn);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Backtab), kVkTab);
    // Arrow keys from the keypad (Num Lock off) are the arrow keys.
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Left, Qt::KeypadModifier), kVkLeft);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Shift), 0u);
    EXPECT_EQ(QtKeyFromVirtualKey(0x07), Qt::Key_unknown);
}

TEST(QtKeysTest, ModifiersAndShortcuts) {
    for (std::uint32_t mods = 0; mods <= kModMask; ++mods) {
        EXPECT_EQ(SystemModifiersFromQt(QtModifiersFromSystem(mods)), mods);
    }
    EXPECT_EQ(KeySequenceFromVirtualKey(kModControl | kModShift, 'C'),
              QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C)));
    EXPECT_EQ(
        KeySequenceFromVirtualKey(kModControl, kVkAdd),
        QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)));
    EXPECT_TRUE(KeySequenceFromVirtualKey(0, 0x07).isEmpty());
}

}  // namespace
}  // namespace nl
