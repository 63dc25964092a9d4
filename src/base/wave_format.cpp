#include "base/wave_format.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace nl {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kFmtChunkMinSize = 16;
constexpr std::size_t kFmtExtensibleSize = 40;
constexpr std::size_t kSubFormatOffset = 24;  // the sub-format GUID in an extensible format
constexpr int kMaxChannels = 8;
constexpr int kMaxSampleRate = 768000;

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) |
           (std::uint32_t{b[at + 2]} << 16) | (std::uint32_t{b[at + 3]} << 24);
}

std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

bool IdIs(std::span<const std::uint8_t> b, std::size_t at, const char (&id)[5]) {
    return std::memcmp(b.data() + at, id, 4) == 0;
}

// Writes little-endian values and chunk ids into a fixed header.
class HeaderWriter {
public:
    explicit HeaderWriter(std::array<std::uint8_t, kWaveHeaderSize>& out) : m_out(out) {}
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_out[m_at++] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void U16(std::uint16_t v) {
        m_out[m_at++] = static_cast<std::uint8_t>(v);
        m_out[m_at++] = static_cast<std::uint8_t>(v >> 8);
    }
    void Id(const char (&id)[5]) {
        for (int i = 0; i < 4; ++i) m_out[m_at++] = static_cast<std::uint8_t>(id[i]);
    }

private:
    std::array<std::uint8_t, kWaveHeaderSize>& m_out;
    std::size_t m_at = 0;
};

// Reads a format chunk's body; nothing for a format this reader does not play.
std::optional<WaveFormat> ReadFormat(std::span<const std::uint8_t> body) {
    if (body.size() < kFmtChunkMinSize) return std::nullopt;
    const std::uint16_t tag = ReadU16(body, 0);
    if (tag == kFormatExtensible) {
        // The first two bytes of the sub-format GUID carry the plain format tag.
        if (body.size() < kFmtExtensibleSize || ReadU16(body, kSubFormatOffset) != kFormatPcm)
            return std::nullopt;
    } else if (tag != kFormatPcm) {
        return std::nullopt;
    }
    WaveFormat f;
    f.channels = ReadU16(body, 2);
    const std::uint32_t rate = ReadU32(body, 4);
    const std::uint16_t blockAlign = ReadU16(body, 12);
    f.bitsPerSample = ReadU16(body, 14);
    if (f.channels < 1 || f.channels > kMaxChannels) return std::nullopt;
    if (rate < 1 || rate > kMaxSampleRate) return std::nullopt;
    f.sampleRate = static_cast<int>(rate);
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 &&
        f.bitsPerSample != 32)
        return std::nullopt;
    if (blockAlign != f.BlockAlign()) return std::nullopt;
    return f;
}

}  // namespace

std::optional<WaveData> ParseWave(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kRiffHeaderSize || !IdIs(bytes, 0, "RIFF") || !IdIs(bytes, 8, "WAVE"))
        return std::nullopt;
    std::optional<WaveFormat> format;
    std::optional<std::span<const std::uint8_t>> data;
    std::size_t at = kRiffHeaderSize;
    while (bytes.size() - at >= kChunkHeaderSize) {
        const std::size_t size = ReadU32(bytes, at + 4);
        const std::size_t bodyAt = at + kChunkHeaderSize;
        const std::size_t available = bytes.size() - bodyAt;
        if (IdIs(bytes, at, "fmt ")) {
            if (size > available) return std::nullopt;
            format = ReadFormat(bytes.subspan(bodyAt, size));
            if (!format) return std::nullopt;
        } else if (IdIs(bytes, at, "data")) {
            data = bytes.subspan(bodyAt, std::min(size, available));
        }
        if (size >= available) break;
        at = bodyAt + size + (size & 1);  // chunks are padded to an even length
    }
    if (!format || !data) return std::nullopt;
    const std::size_t frameBytes = static_cast<std::size_t>(format->BlockAlign());
    return WaveData{*format, data->first(data->size() - data->size() % frameBytes)};
}

std::vector<std::uint8_t> MakeWave(const WaveFormat& format,
                                   std::span<const std::uint8_t> samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const int blockAlign = format.BlockAlign();
    std::array<std::uint8_t, kWaveHeaderSize> header{};
    HeaderWriter w(header);
    w.Id("RIFF");
    w.U32(static_cast<std::uint32_t>(kWaveHeaderSize - kChunkHeaderSize) + dataSize);
    w.Id("WAVE");
    w.Id("fmt ");
    w.U32(static_cast<std::uint32_t>(kFmtChunkMinSize));
    w.U16(kFormatPcm);
    w.U16(static_cast<std::uint16_t>(format.channels));
    w.U32(static_cast<std::uint32_t>(format.sampleRate));
    w.U32(static_cast<std::uint32_t>(format.sampleRate * blockAlign));
    w.U16(static_cast<std::uint16_t>(blockAlign));
    w.U16(static_cast<std::uint16_t>(format.bitsPerSample));
    w.Id("data");
    w.U32(dataSize);
    std::vector<std::uint8_t> out(kWaveHeaderSize + samples.size());
    std::copy(header.begin(), header.end(), out.begin());
    std::copy(samples.begin(), samples.end(), out.begin() + kWaveHeaderSize);
    return out;
}

}  // namespace nl
