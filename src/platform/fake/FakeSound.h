#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/ISound.h"

namespace nl {

// Records what the program asked to play.
class FakeSound final : public ISound {
public:
    struct Played {
        int resourceId = 0;              // 0 for PlayWave
        std::vector<std::uint8_t> wave;  // the bytes played (the resource's for PlayResource)
    };

    void PlayResource(int resourceId) override;
    void PlayWave(std::span<const std::uint8_t> wave) override;

    // Every sound actually started, oldest first; resources that do not exist are not listed.
    const std::vector<Played>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    std::vector<Played> m_log;
};

}  // namespace nl
