#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/IHotKeys.h"

namespace nl {

// A hot key value: the system modifier flags (kModAlt, kModControl, kModShift, kModWin of
// platform/IHotKeys.h) in the high 16 bits, the virtual-key code in the low 16 bits; 0 means
// no hot key.
constexpr std::uint32_t MakeHotKey(std::uint32_t modifiers, std::uint32_t virtualKey) {
    return (modifiers << 16) | (virtualKey & 0xFFFF);
}
constexpr std::uint32_t HotKeyModifiers(std::uint32_t value) {
    return value >> 16;
}
constexpr std::uint32_t HotKeyVirtualKey(std::uint32_t value) {
    return value & 0xFFFF;
}

// The hot key ids, which index the hot key table of the preferences.
enum HotKeyId : int {
    kHotKeyShowHide = 0,
    kHotKeyPickColor = 1,
    kHotKeyRuler = 2,
    kHotKeyClipboardViewer = 3,
    // Beyond the data file's table: kept in the side file.
    kHotKeyContrast = 4,
};
inline constexpr int kHotKeyCount = 5;
// The order in which the hot keys are listed to the user; a row maps to an id through it.
inline constexpr std::array<int, kHotKeyCount> kHotKeyOrder = {
    kHotKeyShowHide, kHotKeyPickColor, kHotKeyRuler, kHotKeyClipboardViewer, kHotKeyContrast};

// Commands sent for the hot keys.
inline constexpr std::uint32_t kCmdShowHide = 26002;
inline constexpr std::uint32_t kCmdPickColor = 3454;
inline constexpr std::uint32_t kCmdRuler = 3057;
inline constexpr std::uint32_t kCmdClipboardViewer = 3058;
inline constexpr std::uint32_t kCmdContrast = 3060;
inline constexpr std::uint32_t kCmdResumePicking = 3135;

// The name of hot key `id`'s command ("Show/Hide", "Pick Color", ...); empty for other ids.
std::string HotKeyCommandName(int id);

// Whether the hot key editor accepts `value`: 0 (no hot key) is accepted; otherwise the key
// must be one of F1 to F12, F1 needs a modifier (F1 alone is Help), and F4 with Alt is
// refused whatever else is held.
bool ValidateHotKey(std::uint32_t value);

// The text of a hot key the way the system's hot key control names it: the held modifiers
// and the key, joined by " + " ("Ctrl + Alt + F12"; the Windows key shows as "Win"); "None"
// for no hot key.
std::string HotKeyText(std::uint32_t value);

// What the main window does when hot key `id` is pressed.
struct HotKeyAction {
    std::uint32_t command = 0;  // the command to send; 0: nothing
    // The pick hot key while picking is stopped: ask string kIdsResumePicking (Yes/No) and
    // send kCmdResumePicking on Yes instead.
    bool askResumePicking = false;
};
// How the pick hot key starts picking while it is stopped: by asking first, or at once
// where starting means showing the frozen screen to pick from (a desktop that does not
// follow the pointer), which is what the key was pressed for.
enum class PickingStart { kAsk, kAtOnce };
HotKeyAction ActionForHotKey(int id, bool pickingStarted, PickingStart start = PickingStart::kAsk);

// Registration results per hot key id: 0 or the system error code.
using HotKeyErrors = std::array<std::uint32_t, kHotKeyCount>;

// Registers every non-zero entry of `table` (ids beyond kHotKeyCount are left alone);
// failures do not stop the others.
HotKeyErrors RegisterAllHotKeys(IHotKeys& hotKeys, std::span<const std::uint32_t> table);
void UnregisterAllHotKeys(IHotKeys& hotKeys, std::span<const std::uint32_t> table);
// Replaces hot key `id` by `value`: unregisters it, then registers `value` when non-zero.
// Returns 0 or the system error code of the registration.
std::uint32_t SetHotKey(IHotKeys& hotKeys, int id, std::uint32_t value);

// The hot key list of the start-up balloon. `text` is empty when no list is shown: the list
// is built when `listAlways` (display option bit 0x10000) is set or a registration failed, and
// only when at least one hot key is set. `showBalloon` is set when a registration failed.
struct StartupHotKeyList {
    std::string text;
    bool showBalloon = false;
};
StartupHotKeyList BuildStartupHotKeyList(std::span<const std::uint32_t> table,
                                         const HotKeyErrors& errors, bool listAlways);

}  // namespace nl
