#include "res/accelerators.h"

#include <string_view>

#include "base/command_ids.h"
#include "base/virtual_keys.h"
#include "platform/IHotKeys.h"

namespace nl {
namespace {

constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kCtrl = kModControl;
constexpr std::uint32_t kShift = kModShift;
constexpr std::uint32_t kAlt = kModAlt;

constexpr std::uint32_t Key(char c) {
    return static_cast<std::uint32_t>(c);
}

// The main window's keys. Commands 3000 to 3005 are the keyboard helpers: the application
// lets those keys through to the focused control while the helpers are unavailable.
constexpr Accelerator kMainKeys[] = {
    {kNone, kVkLeft, cmd::kCursorLeft},
    {kNone, kVkRight, cmd::kCursorRight},
    {kNone, kVkUp, cmd::kCursorUp},
    {kNone, kVkDown, cmd::kCursorDown},
    {kNone, kVkReturn, cmd::kPick},
    {kCtrl, kVkReturn, cmd::kCopy},
    {kNone, kVkEscape, cmd::kEscape},
    {kShift, kVkReturn, cmd::kShiftEnter},
    {kCtrl, Key('N'), cmd::kFileNew},
    {kCtrl, Key('O'), cmd::kFileOpen},
    {kCtrl, Key('S'), cmd::kFileSave},
    {kCtrl, Key('E'), cmd::kExportColorsToFile},
    {kCtrl, Key('P'), cmd::kExportColorsToBrowser},
    {kCtrl | kShift, Key('C'), cmd::kExportColorsToClipboard},
    // The views' editing keys: the active view decides what each does (the colors list and
    // the measurements list both take Ctrl+G and Del).
    {kCtrl, Key('C'), cmd::kEditCopy},
    {kCtrl | kAlt, Key('C'), cmd::kCopyCentreColor},
    {kNone, kVkDelete, cmd::kEditDelete},
    {kNone, kVkInsert, cmd::kAddColor},
    {kCtrl, Key('G'), cmd::kGotoColor},
    {kCtrl, kVkUp, cmd::kMoveColorUp},
    {kCtrl, kVkDown, cmd::kMoveColorDown},
    {kNone, kVkHome, cmd::kArrange},
    {kCtrl, Key('T'), cmd::kStayOnTop},
    {kNone, kVkF1, cmd::kHelp},
};

// The ruler window's keys, looked at before the main window's.
constexpr Accelerator kRulerKeys[] = {
    {kNone, Key('O'), cmd::kRulerHorizontal},
    {kNone, Key('V'), cmd::kRulerInverted},
    {kNone, Key('G'), cmd::kRulerGuide},
    {kCtrl, Key('T'), cmd::kStayOnTop},
    {kNone, kVkHome, cmd::kRulerArrange},
    {kNone, Key('P'), cmd::kRulerUnitPixel},
    {kNone, Key('A'), cmd::kRulerUnitPixel + 1},  // Pica
    {kNone, Key('N'), cmd::kRulerUnitPixel + 2},  // Point
    {kNone, Key('W'), cmd::kRulerUnitPixel + 3},  // Twip
    {kNone, Key('M'), cmd::kRulerUnitPixel + 4},  // Centimeter
    {kNone, Key('I'), cmd::kRulerUnitPixel + 5},  // Inch
    {kNone, Key('B'), cmd::kRulerUnitPixel + 6},  // Dialog Base
    {kNone, Key('D'), cmd::kRulerUnitDialog},
    {kNone, Key('L'), cmd::kRulerUnitLogical},
    {kNone, Key('U'), cmd::kRulerNextUnit},
    {kCtrl, Key('1'), cmd::kRulerBase10},
    {kCtrl, Key('2'), cmd::kRulerBase2},
    {kCtrl, Key('0'), cmd::kRulerNormalZoom},
    {kCtrl, kVkOemPlus, cmd::kRulerZoomIn},
    {kCtrl, kVkAdd, cmd::kRulerZoomIn},
    {kCtrl, kVkOemMinus, cmd::kRulerZoomOut},
    {kCtrl, kVkSubtract, cmd::kRulerZoomOut},
    {kNone, Key('Z'), cmd::kRulerCustomZoom},
    {kNone, kVkLeft, cmd::kCursorLeft},
    {kNone, kVkRight, cmd::kCursorRight},
    {kNone, kVkUp, cmd::kCursorUp},
    {kNone, kVkDown, cmd::kCursorDown},
    {kNone, Key('R'), cmd::kRulerMoveToCursor},
    {kNone, Key('C'), cmd::kRulerMoveCursorToRuler},
    {kNone, Key('K'), cmd::kRulerShortcutKeys},
    {kNone, kVkF1, cmd::kHelp},
    {kAlt, kVkF4, cmd::kClose},
};

struct KeyName {
    std::uint32_t virtualKey;
    std::string_view name;
};

constexpr KeyName kKeyNames[] = {
    {kVkBack, "Backspace"}, {kVkTab, "Tab"},    {kVkReturn, "Enter"}, {kVkEscape, "Esc"},
    {kVkSpace, "Space"},    {kVkPrior, "PgUp"}, {kVkNext, "PgDn"},    {kVkEnd, "End"},
    {kVkHome, "Home"},      {kVkLeft, "Left"},  {kVkUp, "Up"},        {kVkRight, "Right"},
    {kVkDown, "Down"},      {kVkInsert, "Ins"}, {kVkDelete, "Del"},   {kVkAdd, "Num +"},
    {kVkSubtract, "Num -"}, {kVkOemPlus, "+"},  {kVkOemMinus, "-"},
};

std::string KeyText(std::uint32_t vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= kVkF1 && vk <= kVkF24) return "F" + std::to_string(vk - kVkF1 + 1);
    for (const KeyName& key : kKeyNames)
        if (key.virtualKey == vk) return std::string(key.name);
    // A key without a name: its code, as the system would number it.
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[vk & 0xF]);
        vk >>= 4;
    } while (vk != 0);
    if (digits.size() < 2) digits.insert(digits.begin(), '0');
    return "Key 0x" + digits;
}

}  // namespace

std::span<const Accelerator> FindAccelerators(int id) {
    switch (id) {
        case res::kAcceleratorsMain:
            return kMainKeys;
        case res::kAcceleratorsRuler:
            return kRulerKeys;
        default:
            return {};
    }
}

int FindAcceleratorCommand(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    for (const Accelerator& key : FindAccelerators(id))
        if (key.modifiers == modifiers && key.virtualKey == virtualKey) return key.command;
    return 0;
}

std::string AcceleratorText(const Accelerator& accelerator) {
    std::string text;
    if (accelerator.modifiers & kModControl) text += "Ctrl+";
    if (accelerator.modifiers & kModShift) text += "Shift+";
    if (accelerator.modifiers & kModAlt) text += "Alt+";
    if (accelerator.modifiers & kModWin) text += "Win+";
    return text + KeyText(accelerator.virtualKey);
}

std::string CommandKeyText(int id, int command) {
    for (const Accelerator& key : FindAccelerators(id))
        if (key.command == command) return AcceleratorText(key);
    return {};
}

}  // namespace nl
