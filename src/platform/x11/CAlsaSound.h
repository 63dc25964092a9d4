#pragma once
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/ISound.h"

namespace nl {

// Sounds through ALSA. Each sound plays on a worker thread of its own, so a call never
// waits and sounds overlap where the device mixes them. Without a sound device, or when the
// device refuses, nothing is heard and nothing is reported.
class CAlsaSound final : public ISound {
public:
    // `device` is an ALSA device name ("default" is the user's choice).
    explicit CAlsaSound(std::string device = "default");
    // Stops the sounds still playing and waits for their threads.
    ~CAlsaSound() override;
    CAlsaSound(const CAlsaSound&) = delete;
    CAlsaSound& operator=(const CAlsaSound&) = delete;

    void PlayResource(int resourceId) override;
    void PlayWave(std::span<const std::uint8_t> wave) override;

    // Sounds started and not yet finished (their threads still running).
    int Playing() const;

    // At most this many sounds play at once; further ones are dropped until one ends.
    static constexpr int kMaxVoices = 4;

private:
    struct Voice {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void Reap();  // joins the threads of finished sounds; caller holds m_mutex

    std::string m_device;
    mutable std::mutex m_mutex;
    std::list<std::unique_ptr<Voice>> m_voices;
    std::atomic<bool> m_stopping{false};
};

}  // namespace nl
