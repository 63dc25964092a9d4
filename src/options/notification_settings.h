#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/event_sounds.h"

namespace nl {

class CAppPrefs;

// What the Notification page of the options edits: the hot-key list at start-up, tool tips,
// whether event sounds play, and the sound of each event.
struct NotificationSettings {
    bool startupHotKeyList = false;  // display option bit 0x10000
    bool toolTips = false;           // general option bit 0x10000
    bool soundsOn = false;           // sound option bit 0x1
    std::array<std::uint32_t, kSoundEventCount> eventSounds{};

    static NotificationSettings Read(const CAppPrefs& prefs);
    // Stores every value (a tool-tip change is announced by the settings themselves) and
    // marks the settings changed even when nothing differs, as every page save does.
    void Write(CAppPrefs& prefs) const;

    friend bool operator==(const NotificationSettings&, const NotificationSettings&) = default;
};

// The sound menu of the sound list: one command per sound number, "None" (0) first.
inline constexpr int kSoundMenuFirst = 10000;
inline constexpr int kSoundMenuCount = static_cast<int>(kSoundCount) + 1;
// The sound number of menu command `command`; nothing for a command outside the menu.
std::optional<std::uint32_t> SoundFromMenuCommand(int command);

// The sound names ("None", "Tick1", ...), indexed by sound number.
std::vector<std::string> SoundNames();
// The name of sound `number`; the number itself when it has no name.
std::string SoundName(std::uint32_t number);

}  // namespace nl
