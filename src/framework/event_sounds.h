#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace nl {

class ISound;

// The events that can play a sound; they index the event sound table of the preferences.
enum class SoundEvent : int {
    kPickColor = 0,   // a color was picked
    kMoveCursor = 1,  // the cursor was moved by one pixel with an arrow key
    kCopyCursor = 2,  // a capture was copied
};
inline constexpr int kSoundEventCount = 3;

// Sound numbers: 0 is "None", 1 to 6 are "Tick1" to "Tick6" and play resource 1200 + number.
inline constexpr std::uint32_t kSoundNone = 0;
inline constexpr std::uint32_t kSoundCount = 6;
inline constexpr int kSoundResourceBase = 1200;
// Sound option bit: play event sounds.
inline constexpr std::uint32_t kSoundOptionPlay = 0x1;

// The resource of sound `number`; nothing for "None" and for numbers without a sound.
std::optional<int> SoundResourceId(std::uint32_t number);

// The sound resource that `event` plays now: only when the sound option bit is set and the
// event has a sound.
std::optional<int> ShouldPlay(SoundEvent event, std::uint32_t soundOptions,
                              std::span<const std::uint32_t> eventSounds);

// Plays the event's sound when ShouldPlay says so.
void PlayEventSound(ISound& sound, SoundEvent event, std::uint32_t soundOptions,
                    std::span<const std::uint32_t> eventSounds);
// Plays sound `number` whatever the sound option says (the Test button of the sound list).
void PlaySoundNumber(ISound& sound, std::uint32_t number);

}  // namespace nl
