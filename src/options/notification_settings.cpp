#include "options/notification_settings.h"

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "framework/CAppPrefs.h"

namespace nl {

namespace {

OptionState StateOf(bool on) {
    return on ? OptionState::kOn : OptionState::kOff;
}

}  // namespace

NotificationSettings NotificationSettings::Read(const CAppPrefs& prefs) {
    const AppSettings& s = prefs.Settings();
    NotificationSettings n;
    n.startupHotKeyList = s.HasOption(OptionWord::kDisplay, AppSettings::kDisplayHotKeyBalloon);
    n.toolTips = s.HasOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips);
    n.soundsOn = s.HasOption(OptionWord::kSound, AppSettings::kSoundPlay);
    const auto& table = prefs.EventSounds();
    for (std::size_t i = 0; i < n.eventSounds.size() && i < table.size(); ++i)
        n.eventSounds[i] = table[i];
    return n;
}

void NotificationSettings::Write(CAppPrefs& prefs) const {
    prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayHotKeyBalloon,
                    StateOf(startupHotKeyList));
    prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips, StateOf(toolTips));
    prefs.SetOption(OptionWord::kSound, AppSettings::kSoundPlay, StateOf(soundsOn));
    for (std::size_t i = 0; i < eventSounds.size(); ++i)
        prefs.SetEventSound(static_cast<int>(i), eventSounds[i]);
    prefs.SetChanged();
}

std::optional<std::uint32_t> SoundFromMenuCommand(int command) {
    if (command < kSoundMenuFirst || command >= kSoundMenuFirst + kSoundMenuCount)
        return std::nullopt;
    return static_cast<std::uint32_t>(command - kSoundMenuFirst);
}

std::vector<std::string> SoundNames() {
    return SplitLines(LoadString(kIdsSoundNames));
}

std::string SoundName(std::uint32_t number) {
    const auto names = SoundNames();
    return number < names.size() ? names[number] : std::to_string(number);
}

}  // namespace nl
