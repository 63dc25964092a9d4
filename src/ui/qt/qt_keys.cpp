#include "ui/qt/qt_keys.h"

#include <array>

#include "base/virtual_keys.h"
#include "platform/IHotKeys.h"
#include "res/accelerators.h"

namespace nl {
namespace {

// Virtual keys outside the letter, digit and function-key runs.
struct KeyPair {
    std::uint32_t virtualKey;
    Qt::Key qtKey;
};
constexpr std::array kNamedKeys = {
    KeyPair{kVkBack, Qt::Key_Backspace}, KeyPair{kVkTab, Qt::Key_Tab},
    KeyPair{kVkReturn, Qt::Key_Return},  KeyPair{0x13, Qt::Key_Pause},
    KeyPair{0x14, Qt::Key_CapsLock},     KeyPair{kVkEscape, Qt::Key_Escape},
    KeyPair{kVkSpace, Qt::Key_Space},    KeyPair{kVkPrior, Qt::Key_PageUp},
    KeyPair{kVkNext, Qt::Key_PageDown},  KeyPair{kVkEnd, Qt::Key_End},
    KeyPair{kVkHome, Qt::Key_Home},      KeyPair{kVkLeft, Qt::Key_Left},
    KeyPair{kVkUp, Qt::Key_Up},          KeyPair{kVkRight, Qt::Key_Right},
    KeyPair{kVkDown, Qt::Key_Down},      KeyPair{0x2C, Qt::Key_Print},
    KeyPair{kVkInsert, Qt::Key_Insert},  KeyPair{kVkDelete, Qt::Key_Delete},
    KeyPair{0x5D, Qt::Key_Menu},         KeyPair{0x90, Qt::Key_NumLock},
    KeyPair{0x91, Qt::Key_ScrollLock},   KeyPair{0xBA, Qt::Key_Semicolon},
    KeyPair{kVkOemPlus, Qt::Key_Equal},  KeyPair{0xBC, Qt::Key_Comma},
    KeyPair{kVkOemMinus, Qt::Key_Minus}, KeyPair{0xBE, Qt::Key_Period},
    KeyPair{0xBF, Qt::Key_Slash},        KeyPair{0xC0, Qt::Key_QuoteLeft},
    KeyPair{0xDB, Qt::Key_BracketLeft},  KeyPair{0xDC, Qt::Key_Backslash},
    KeyPair{0xDD, Qt::Key_BracketRight}, KeyPair{0xDE, Qt::Key_Apostrophe},
};

// The keypad's own virtual keys.
constexpr std::uint32_t kVkNumpad0 = 0x60;
constexpr std::uint32_t kVkNumpad9 = 0x69;
constexpr std::uint32_t kVkMultiply = 0x6A;
constexpr std::uint32_t kVkDecimal = 0x6E;
constexpr std::uint32_t kVkDivide = 0x6F;
constexpr std::array kKeypadKeys = {
    KeyPair{kVkMultiply, Qt::Key_Asterisk}, KeyPair{kVkAdd, Qt::Key_Plus},
    KeyPair{kVkSubtract, Qt::Key_Minus},    KeyPair{kVkDecimal, Qt::Key_Period},
    KeyPair{kVkDivide, Qt::Key_Slash},
};

constexpr std::uint32_t kVkFirstDigit = 0x30;
constexpr std::uint32_t kVkLastDigit = 0x39;
constexpr std::uint32_t kVkFirstLetter = 0x41;
constexpr std::uint32_t kVkLastLetter = 0x5A;

}  // namespace

Qt::Key QtKeyFromVirtualKey(std::uint32_t virtualKey, bool* keypad) {
    if (keypad) *keypad = false;
    // Letters and digits share their codes with Qt's keys.
    if ((virtualKey >= kVkFirstDigit && virtualKey <= kVkLastDigit) ||
        (virtualKey >= kVkFirstLetter && virtualKey <= kVkLastLetter)) {
        return static_cast<Qt::Key>(virtualKey);
    }
    if (virtualKey >= kVkF1 && virtualKey <= kVkF24) {
        return static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(virtualKey - kVkF1));
    }
    if (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad9) {
        if (keypad) *keypad = true;
        return static_cast<Qt::Key>(Qt::Key_0 + static_cast<int>(virtualKey - kVkNumpad0));
    }
    for (const auto& pair : kKeypadKeys) {
        if (pair.virtualKey == virtualKey) {
            if (keypad) *keypad = true;
            return pair.qtKey;
        }
    }
    for (const auto& pair : kNamedKeys) {
        if (pair.virtualKey == virtualKey) return pair.qtKey;
    }
    return Qt::Key_unknown;
}

std::uint32_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return kVkNumpad0 + static_cast<std::uint32_t>(qtKey - Qt::Key_0);
        }
        for (const auto& pair : kKeypadKeys) {
            if (pair.qtKey == qtKey) return pair.virtualKey;
        }
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return kVkF1 + static_cast<std::uint32_t>(qtKey - Qt::Key_F1);
    }
    // Keys that Qt names apart but the system does not.
    switch (qtKey) {
        case Qt::Key_Enter:
            return kVkReturn;
        case Qt::Key_Backtab:
            return kVkTab;
        case Qt::Key_Plus:
            return kVkOemPlus;
        case Qt::Key_Underscore:
            return kVkOemMinus;
        default:
            break;
    }
    for (const auto& pair : kNamedKeys) {
        if (pair.qtKey == qtKey) return pair.virtualKey;
    }
    return 0;
}

Qt::KeyboardModifiers QtModifiersFromSystem(std::uint32_t systemModifiers) {
    Qt::KeyboardModifiers result;
    if (systemModifiers & kModAlt) result |= Qt::AltModifier;
    if (systemModifiers & kModControl) result |= Qt::ControlModifier;
    if (systemModifiers & kModShift) result |= Qt::ShiftModifier;
    if (systemModifiers & kModWin) result |= Qt::MetaModifier;
    return result;
}

std::uint32_t SystemModifiersFromQt(Qt::KeyboardModifiers modifiers) {
    std::uint32_t result = 0;
    if (modifiers.testFlag(Qt::AltModifier)) result |= kModAlt;
    if (modifiers.testFlag(Qt::ControlModifier)) result |= kModControl;
    if (modifiers.testFlag(Qt::ShiftModifier)) result |= kModShift;
    if (modifiers.testFlag(Qt::MetaModifier)) result |= kModWin;
    return result;
}

int FindAcceleratorCommandForKey(int tableId, int qtKey, Qt::KeyboardModifiers modifiers) {
    const auto find = [tableId](Qt::KeyboardModifiers held, std::uint32_t virtualKey) {
        if (virtualKey == 0) return 0;
        return FindAcceleratorCommand(tableId, SystemModifiersFromQt(held), virtualKey);
    };
    // By key code.
    if (const int command = find(modifiers, VirtualKeyFromQtKey(qtKey, modifiers))) return command;
    // By character: the keypad's "+" is also the main keyboard's "+".
    const Qt::KeyboardModifiers unpadded = modifiers & ~Qt::KeypadModifier;
    const std::uint32_t typed = VirtualKeyFromQtKey(qtKey, unpadded);
    if (unpadded != modifiers) {
        if (const int command = find(unpadded, typed)) return command;
    }
    // A symbol that took Shift to type: the Shift belongs to the character, not to the key.
    const bool symbol = qtKey > Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde &&
                        !(qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) &&
                        !(qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z);
    if (symbol && unpadded.testFlag(Qt::ShiftModifier))
        return find(unpadded & ~Qt::ShiftModifier, typed);
    return 0;
}

QKeySequence KeySequenceFromVirtualKey(std::uint32_t systemModifiers, std::uint32_t virtualKey) {
    bool keypad = false;
    const Qt::Key key = QtKeyFromVirtualKey(virtualKey, &keypad);
    if (key == Qt::Key_unknown) return {};
    Qt::KeyboardModifiers modifiers = QtModifiersFromSystem(systemModifiers);
    if (keypad) modifiers |= Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(modifiers, key));
}

}  // namespace nl
