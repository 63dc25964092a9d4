#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nl {

// The sample layout of PCM sound data.
struct WaveFormat {
    int channels = 1;
    int sampleRate = 22050;  // frames per second
    int bitsPerSample = 16;  // 8 (unsigned), 16, 24 or 32 (signed, little-endian)

    int BlockAlign() const { return channels * (bitsPerSample / 8); }
    friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

// The sound of a RIFF/WAVE file: its format and its sample bytes (pointing into the file).
struct WaveData {
    WaveFormat format;
    std::span<const std::uint8_t> samples;  // whole frames only
};

// The size of the header MakeWave writes: RIFF, the format chunk and the data chunk header.
inline constexpr std::size_t kWaveHeaderSize = 44;

// Reads an uncompressed PCM RIFF/WAVE file. Chunks other than "fmt " and "data" are skipped;
// a data chunk that runs past the end of the bytes is cut to the whole frames present.
// Nothing when the bytes are not such a file or the format is not plain PCM of 1 to 8
// channels at 8, 16, 24 or 32 bits.
std::optional<WaveData> ParseWave(std::span<const std::uint8_t> bytes);

// A complete RIFF/WAVE file of `samples` in `format`: the 44-byte header, then the samples.
std::vector<std::uint8_t> MakeWave(const WaveFormat& format, std::span<const std::uint8_t> samples);

}  // namespace nl
