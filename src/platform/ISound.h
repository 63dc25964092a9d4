#pragma once
#include <cstdint>
#include <span>

namespace nl {

// Plays the program's short sounds. Playing never blocks the caller and never fails
// visibly: without a sound device nothing is heard.
class ISound {
public:
    virtual ~ISound() = default;
    // Starts sound resource `resourceId` and returns at once. Plays nothing (and no default
    // sound) when there is no such resource, and leaves a sound that is already playing alone.
    virtual void PlayResource(int resourceId) = 0;
    // Starts the RIFF/WAVE file bytes `wave` (copied; PCM only) the same way.
    virtual void PlayWave(std::span<const std::uint8_t> wave) = 0;
};

}  // namespace nl
