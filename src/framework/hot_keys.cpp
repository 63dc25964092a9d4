#include "framework/hot_keys.h"

#include <algorithm>
#include <cstdio>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/text.h"

namespace nl {
namespace {

constexpr int kCommandColumnWidth = 14;  // the command names are padded to this many characters
constexpr char kListLine[] = "\n%1\t%2";
constexpr char kListHeaderCommand[] = "COMMAND";
constexpr char kListHeaderKey[] = "HOT KEY";
constexpr char kFailedMark[] = "*";
constexpr char kErrorLead[] = "\n\n* Error: ";
constexpr char kKeySeparator[] = " + ";

struct KeyName {
    std::uint32_t vk;
    const char* name;
};

// Names of the keys that have no printable character of their own.
constexpr KeyName kKeyNames[] = {
    {0x03, "Break"},       {0x08, "Backspace"},   {0x09, "Tab"},
    {0x0C, "Clear"},       {0x0D, "Enter"},       {0x13, "Pause"},
    {0x14, "Caps Lock"},   {0x1B, "Esc"},         {0x20, "Space"},
    {0x21, "Page Up"},     {0x22, "Page Down"},   {0x23, "End"},
    {0x24, "Home"},        {0x25, "Left"},        {0x26, "Up"},
    {0x27, "Right"},       {0x28, "Down"},        {0x2C, "Print Screen"},
    {0x2D, "Insert"},      {0x2E, "Delete"},      {0x2F, "Help"},
    {0x5D, "Application"}, {0x6A, "Num *"},       {0x6B, "Num +"},
    {0x6D, "Num -"},       {0x6E, "Num Del"},     {0x6F, "Num /"},
    {0x90, "Num Lock"},    {0x91, "Scroll Lock"}, {0xBA, ";"},
    {0xBB, "="},           {0xBC, ","},           {0xBD, "-"},
    {0xBE, "."},           {0xBF, "/"},           {0xC0, "`"},
    {0xDB, "["},           {0xDC, "\\"},          {0xDD, "]"},
    {0xDE, "'"},
};

constexpr std::uint32_t kVkNumpad0 = 0x60;
constexpr std::uint32_t kVkNumpad9 = 0x69;

std::string KeyName(std::uint32_t vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= kVkNumpad0 && vk <= kVkNumpad9) return "Num " + std::to_string(vk - kVkNumpad0);
    if (vk >= kVkF1 && vk <= kVkF24) return "F" + std::to_string(vk - kVkF1 + 1);
    for (const auto& k : kKeyNames)
        if (k.vk == vk) return k.name;
    char text[16];
    std::snprintf(text, sizeof text, "Key 0x%02X", static_cast<unsigned>(vk));
    return text;
}

// "%-14s": the text padded with spaces on the right to the width, counted in characters.
std::string PadRight(const std::string& text, int width) {
    const auto length = static_cast<int>(Utf8ToUtf16(text).size());
    return length >= width ? text
                           : text + std::string(static_cast<std::size_t>(width - length), ' ');
}

}  // namespace

std::string HotKeyCommandName(int id) {
    if (id < 0 || id >= kHotKeyCount) return {};
    const auto names = SplitLines(LoadString(kIdsHotKeyCommands));
    return static_cast<std::size_t>(id) < names.size() ? names[static_cast<std::size_t>(id)]
                                                       : std::string();
}

bool ValidateHotKey(std::uint32_t value) {
    if (value == 0) return true;
    const std::uint32_t vk = HotKeyVirtualKey(value);
    const std::uint32_t modifiers = HotKeyModifiers(value);
    if (vk < kVkF1 || vk > kVkF12) return false;
    if (vk == kVkF1 && (modifiers & kModMask) == 0) return false;
    if (vk == kVkF4 && (modifiers & kModAlt) != 0) return false;
    return true;
}

std::string HotKeyText(std::uint32_t value) {
    const std::uint32_t modifiers = HotKeyModifiers(value);
    const std::uint32_t vk = HotKeyVirtualKey(value);
    std::string text;
    auto add = [&](const std::string& part) {
        if (!text.empty()) text += kKeySeparator;
        text += part;
    };
    if (modifiers & kModWin) add("Win");
    if (modifiers & kModControl) add("Ctrl");
    if (modifiers & kModShift) add("Shift");
    if (modifiers & kModAlt) add("Alt");
    if (vk != 0) add(KeyName(vk));
    return text.empty() ? LoadString(kIdsHotKeyNone) : text;
}

HotKeyAction ActionForHotKey(int id, bool pickingStarted, PickingStart start) {
    switch (id) {
        case kHotKeyShowHide:
            return {kCmdShowHide, false};
        case kHotKeyPickColor:
            if (pickingStarted) return {kCmdPickColor, false};
            return start == PickingStart::kAtOnce ? HotKeyAction{kCmdResumePicking, false}
                                                  : HotKeyAction{0, true};
        case kHotKeyRuler:
            return {kCmdRuler, false};
        case kHotKeyClipboardViewer:
            return {kCmdClipboardViewer, false};
        case kHotKeyContrast:
            return {kCmdContrast, false};
        default:
            return {};
    }
}

HotKeyErrors RegisterAllHotKeys(IHotKeys& hotKeys, std::span<const std::uint32_t> table) {
    HotKeyErrors errors{};
    const int count = std::min(kHotKeyCount, static_cast<int>(table.size()));
    for (int id = 0; id < count; ++id) {
        const std::uint32_t value = table[static_cast<std::size_t>(id)];
        if (value != 0)
            errors[static_cast<std::size_t>(id)] =
                hotKeys.Register(id, HotKeyModifiers(value), HotKeyVirtualKey(value));
    }
    return errors;
}

void UnregisterAllHotKeys(IHotKeys& hotKeys, std::span<const std::uint32_t> table) {
    const int count = std::min(kHotKeyCount, static_cast<int>(table.size()));
    for (int id = 0; id < count; ++id)
        if (table[static_cast<std::size_t>(id)] != 0) hotKeys.Unregister(id);
}

std::uint32_t SetHotKey(IHotKeys& hotKeys, int id, std::uint32_t value) {
    hotKeys.Unregister(id);
    if (value == 0) return 0;
    return hotKeys.Register(id, HotKeyModifiers(value), HotKeyVirtualKey(value));
}

StartupHotKeyList BuildStartupHotKeyList(std::span<const std::uint32_t> table,
                                         const HotKeyErrors& errors, bool listAlways) {
    StartupHotKeyList list;
    std::uint32_t firstError = 0;
    for (const int id : kHotKeyOrder) {
        if (static_cast<std::size_t>(id) >= table.size()) continue;
        const std::uint32_t error = errors[static_cast<std::size_t>(id)];
        if (table[static_cast<std::size_t>(id)] != 0 && error != 0 && firstError == 0)
            firstError = error;
    }
    list.showBalloon = firstError != 0;
    if (!listAlways && firstError == 0) return list;

    std::string lines;
    for (const int id : kHotKeyOrder) {
        if (static_cast<std::size_t>(id) >= table.size()) continue;
        const std::uint32_t value = table[static_cast<std::size_t>(id)];
        if (value == 0) continue;
        std::string key = HotKeyText(value);
        if (errors[static_cast<std::size_t>(id)] != 0) key += kFailedMark;
        lines +=
            FormatMessage(kListLine, {PadRight(HotKeyCommandName(id), kCommandColumnWidth), key});
    }
    if (lines.empty()) return list;
    list.text = "\n" + FormatMessage(kListLine, {kListHeaderCommand, kListHeaderKey}) + lines;
    if (firstError != 0) list.text += kErrorLead + SystemErrorText(firstError);
    return list;
}

}  // namespace nl
