#pragma once
#include <QKeySequence>
#include <Qt>
#include <cstdint>

namespace nl {

// Conversions between the system's virtual-key codes (platform/virtual_keys.h) with the
// system modifier flags (kModAlt, kModControl, kModShift, kModWin of platform/IHotKeys.h) and
// Qt's keys and modifiers. Accelerator tables and hot keys are written in the former; Qt's
// key events and shortcuts speak the latter.

// The Qt key of virtual key `virtualKey` (Qt::Key_unknown when there is none). Keypad keys
// set `keypad`, which callers add as Qt::KeypadModifier.
Qt::Key QtKeyFromVirtualKey(std::uint32_t virtualKey, bool* keypad = nullptr);
// The virtual key of a Qt key event (0 when there is none). `modifiers` tells keypad keys
// apart (Qt::KeypadModifier): keypad digits and operators have their own virtual keys.
std::uint32_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers = {});

Qt::KeyboardModifiers QtModifiersFromSystem(std::uint32_t systemModifiers);
std::uint32_t SystemModifiersFromQt(Qt::KeyboardModifiers modifiers);

// The command a key event runs in accelerator table `tableId`, or 0. The key is matched by its
// key code with every modifier held, and then by the character it types: a keypad key also
// matches the main keyboard's key for its character, and a symbol typed with Shift ("+" on
// Shift+= of a US layout) matches the table's key for that symbol without the Shift.
int FindAcceleratorCommandForKey(int tableId, int qtKey, Qt::KeyboardModifiers modifiers);

// The shortcut for a key of an accelerator table or a hot key; empty when the key has no
// Qt equivalent.
QKeySequence KeySequenceFromVirtualKey(std::uint32_t systemModifiers, std::uint32_t virtualKey);

}  // namespace nl
