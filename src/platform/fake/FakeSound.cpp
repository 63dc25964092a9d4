#include "platform/fake/FakeSound.h"

#include "base/tick_sounds.h"

namespace nl {

void FakeSound::PlayResource(int resourceId) {
    const auto wave = SoundResource(resourceId);
    if (wave.empty()) return;  // no such resource and no default sound
    m_log.push_back({resourceId, {wave.begin(), wave.end()}});
}

void FakeSound::PlayWave(std::span<const std::uint8_t> wave) {
    m_log.push_back({0, {wave.begin(), wave.end()}});
}

}  // namespace nl
