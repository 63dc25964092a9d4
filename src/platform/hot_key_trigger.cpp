#include "platform/hot_key_trigger.h"

#include <array>
#include <utility>

#include "platform/IHotKeys.h"

namespace nl {

namespace {

// Virtual-key codes of the digit and letter rows: the characters themselves.
constexpr std::uint32_t kVk0 = '0';
constexpr std::uint32_t kVk9 = '9';
constexpr std::uint32_t kVkA = 'A';
constexpr std::uint32_t kVkZ = 'Z';
constexpr char kCaseOffset = 'a' - 'A';

std::string KeyName(std::uint32_t virtualKey) {
    if (virtualKey >= kVkF1 && virtualKey <= kVkF24)
        return "F" + std::to_string(virtualKey - kVkF1 + 1);
    if (virtualKey >= kVk0 && virtualKey <= kVk9)
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= kVkA && virtualKey <= kVkZ)
        return std::string(1, static_cast<char>(virtualKey + kCaseOffset));
    return {};
}

}  // namespace

std::string ShortcutTrigger(std::uint32_t modifiers, std::uint32_t virtualKey) {
    std::string key = KeyName(virtualKey);
    if (key.empty()) return {};
    static constexpr std::array<std::pair<std::uint32_t, const char*>, 4> kNames = {
        {{kModControl, "CTRL"}, {kModAlt, "ALT"}, {kModShift, "SHIFT"}, {kModWin, "LOGO"}}};
    std::string trigger;
    for (const auto& [flag, name] : kNames) {
        if ((modifiers & flag) == 0) continue;
        trigger += name;
        trigger += '+';
    }
    return trigger + key;
}

}  // namespace nl
