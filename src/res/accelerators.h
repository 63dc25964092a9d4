#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace nl {

// One key of an accelerator table: the system modifier flags (kModAlt, kModControl,
// kModShift of platform/IHotKeys.h) and a virtual-key code (platform/virtual_keys.h).
struct Accelerator {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
    int command = 0;
};

// Accelerator table `id`; empty when there is none.
std::span<const Accelerator> FindAccelerators(int id);
// The command that `modifiers` + `virtualKey` runs in table `id`, or 0.
int FindAcceleratorCommand(int id, std::uint32_t modifiers, std::uint32_t virtualKey);
// The key's text as menus show it after a tab ("Ctrl+Shift+C", "Home", "Enter").
std::string AcceleratorText(const Accelerator& accelerator);
// The text of the first key of table `id` that runs `command` ("Ctrl+E"), empty when no key
// runs it; menus show it after a tab.
std::string CommandKeyText(int id, int command);

}  // namespace nl
