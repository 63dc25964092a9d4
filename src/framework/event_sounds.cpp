#include "framework/event_sounds.h"

#include "platform/ISound.h"

namespace nl {

std::optional<int> SoundResourceId(std::uint32_t number) {
    if (number == kSoundNone || number > kSoundCount) return std::nullopt;
    return kSoundResourceBase + static_cast<int>(number);
}

std::optional<int> ShouldPlay(SoundEvent event, std::uint32_t soundOptions,
                              std::span<const std::uint32_t> eventSounds) {
    if ((soundOptions & kSoundOptionPlay) == 0) return std::nullopt;
    const auto index = static_cast<std::size_t>(event);
    if (index >= eventSounds.size()) return std::nullopt;
    return SoundResourceId(eventSounds[index]);
}

void PlayEventSound(ISound& sound, SoundEvent event, std::uint32_t soundOptions,
                    std::span<const std::uint32_t> eventSounds) {
    if (const auto resource = ShouldPlay(event, soundOptions, eventSounds))
        sound.PlayResource(*resource);
}

void PlaySoundNumber(ISound& sound, std::uint32_t number) {
    if (const auto resource = SoundResourceId(number)) sound.PlayResource(*resource);
}

}  // namespace nl
