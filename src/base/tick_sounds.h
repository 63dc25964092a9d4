#pragma once
#include <cstdint>
#include <span>

namespace nl {

// The event sounds "Tick1" to "Tick6": short decaying clicks of different pitch and length,
// made by the program itself as 16-bit mono PCM RIFF/WAVE files.
inline constexpr int kTickSoundCount = 6;
// The resource number of "Tick1"; "TickN" is resource kTickSoundFirstResource - 1 + N.
inline constexpr int kTickSoundFirstResource = 1201;
inline constexpr int kTickSampleRate = 22050;

// The complete WAV file of tick `number` (1..6), made at first use and kept for the run;
// empty for any other number. Safe to call from any thread.
std::span<const std::uint8_t> TickSound(int number);

// The WAV file of sound resource `resourceId` (1201..1206); empty for any other id.
std::span<const std::uint8_t> SoundResource(int resourceId);

}  // namespace nl
