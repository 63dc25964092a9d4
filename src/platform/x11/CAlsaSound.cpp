#include "platform/x11/CAlsaSound.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <vector>

#include "base/tick_sounds.h"
#include "base/wave_format.h"

namespace nl {

namespace {

// How much the device may buffer ahead, and the piece written per call (so a stop request
// is noticed quickly).
constexpr unsigned kLatencyMicroseconds = 50000;
constexpr snd_pcm_uframes_t kChunkFrames = 512;

// ALSA prints its failures (no card, no server) to the terminal; a missing sound device is
// normal for this program and not worth a message.
void SilentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t AlsaFormat(int bitsPerSample) {
    switch (bitsPerSample) {
        case 8:
            return SND_PCM_FORMAT_U8;
        case 16:
            return SND_PCM_FORMAT_S16_LE;
        case 24:
            return SND_PCM_FORMAT_S24_3LE;
        case 32:
            return SND_PCM_FORMAT_S32_LE;
        default:
            return SND_PCM_FORMAT_UNKNOWN;
    }
}

// Plays the whole sound, or until `stop` is set; any failure ends it quietly.
void PlayOnDevice(const std::string& device, const std::vector<std::uint8_t>& file,
                  const std::atomic<bool>& stop) {
    const auto wave = ParseWave(file);
    if (!wave) return;
    snd_pcm_t* pcm = nullptr;
    // Opened without waiting (a busy device would block the open), then written to blocking.
    if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return;
    if (snd_pcm_nonblock(pcm, 0) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const WaveFormat& f = wave->format;
    if (snd_pcm_set_params(pcm, AlsaFormat(f.bitsPerSample), SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(f.channels), static_cast<unsigned>(f.sampleRate),
                           1, kLatencyMicroseconds) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const auto frameBytes = static_cast<std::size_t>(f.BlockAlign());
    const std::uint8_t* data = wave->samples.data();
    auto framesLeft = static_cast<snd_pcm_uframes_t>(wave->samples.size() / frameBytes);
    while (framesLeft > 0 && !stop) {
        const snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, data, std::min(framesLeft, kChunkFrames));
        if (written < 0) {
            if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) break;
            continue;
        }
        data += static_cast<std::size_t>(written) * frameBytes;
        framesLeft -= static_cast<snd_pcm_uframes_t>(written);
    }
    if (stop)
        snd_pcm_drop(pcm);
    else
        snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}

}  // namespace

CAlsaSound::CAlsaSound(std::string device) : m_device(std::move(device)) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(&SilentAlsaErrors); });
}

CAlsaSound::~CAlsaSound() {
    m_stopping = true;
    const std::lock_guard lock(m_mutex);
    for (auto& voice : m_voices) voice->thread.join();
}

void CAlsaSound::PlayResource(int resourceId) {
    const auto wave = SoundResource(resourceId);
    if (!wave.empty()) PlayWave(wave);
}

void CAlsaSound::PlayWave(std::span<const std::uint8_t> wave) {
    if (!ParseWave(wave)) return;
    const std::lock_guard lock(m_mutex);
    Reap();
    if (static_cast<int>(m_voices.size()) >= kMaxVoices) return;
    auto voice = std::make_unique<Voice>();
    Voice* v = voice.get();
    std::vector<std::uint8_t> file(wave.begin(), wave.end());
    v->thread = std::thread([this, v, file = std::move(file)] {
        PlayOnDevice(m_device, file, m_stopping);
        v->done = true;
    });
    m_voices.push_back(std::move(voice));
}

int CAlsaSound::Playing() const {
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(
        std::count_if(m_voices.begin(), m_voices.end(), [](const auto& v) { return !v->done; }));
}

void CAlsaSound::Reap() {
    for (auto it = m_voices.begin(); it != m_voices.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = m_voices.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace nl
