#include "base/wave_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nl {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutChunk(Bytes& b, const std::string& id, const Bytes& body, std::uint32_t size) {
    b.insert(b.end(), id.begin(), id.end());
    Put32(b, size);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);  // padding
}

Bytes Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
          std::uint16_t blockAlign) {
    Bytes f;
    Put16(f, tag);
    Put16(f, channels);
    Put32(f, rate);
    Put32(f, rate * blockAlign);
    Put16(f, blockAlign);
    Put16(f, bits);
    return f;
}

// A RIFF/WAVE file of the chunks given (id, body, size as written).
struct Chunk {
    std::string id;
    Bytes body;
    std::uint32_t size;
};
Bytes Wave(const std::vector<Chunk>& chunks) {
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) PutChunk(b, c.id, c.body, c.size);
    return b;
}

TEST(WaveFormatTest, ParsesPcmFilesAndRefusesOthers) {
    const Bytes stereo16 = Fmt(1, 2, 44100, 16, 4);
    const Bytes data8(8, 0x11);
    struct Case {
        const char* what;
        Bytes file;
        bool ok;
        WaveFormat format;
        std::size_t samples;
    };
    Bytes extensible = Fmt(0xFFFE, 1, 8000, 16, 2);
    Put16(extensible, 22);   // extension size
    Put16(extensible, 16);   // valid bits
    Put32(extensible, 0x4);  // channel mask
    Put16(extensible, 1);    // sub-format: PCM
    extensible.resize(40, 0);
    Bytes extensibleFloat = extensible;
    extensibleFloat[24] = 3;
    const std::vector<Case> cases = {
        {"plain", Wave({{"fmt ", stereo16, 16}, {"data", data8, 8}}), true, {2, 44100, 16}, 8},
        {"other chunks skipped, odd one padded",
         Wave({{"LIST", Bytes(3, 'x'), 3}, {"fmt ", stereo16, 16}, {"data", data8, 8}}),
         true,
         {2, 44100, 16},
         8},
        {"data cut to whole frames",
         Wave({{"fmt ", stereo16, 16}, {"data", Bytes(7, 1), 7}}),
         true,
         {2, 44100, 16},
         4},
        {"data longer than the file is cut",
         Wave({{"fmt ", stereo16, 16}, {"data", data8, 1000}}),
         true,
         {2, 44100, 16},
         8},
        {"extensible PCM",
         Wave({{"fmt ", extensible, 40}, {"data", data8, 8}}),
         true,
         {1, 8000, 16},
         8},
        {"extensible float",
         Wave({{"fmt ", extensibleFloat, 40}, {"data", data8, 8}}),
         false,
         {},
         0},
        {"compressed",
         Wave({{"fmt ", Fmt(2, 1, 8000, 4, 1), 16}, {"data", data8, 8}}),
         false,
         {},
         0},
        {"12 bits", Wave({{"fmt ", Fmt(1, 1, 8000, 12, 2), 16}, {"data", data8, 8}}), false, {}, 0},
        {"block align wrong",
         Wave({{"fmt ", Fmt(1, 2, 8000, 16, 2), 16}, {"data", data8, 8}}),
         false,
         {},
         0},
        {"no channels",
         Wave({{"fmt ", Fmt(1, 0, 8000, 16, 0), 16}, {"data", data8, 8}}),
         false,
         {},
         0},
        {"no data", Wave({{"fmt ", stereo16, 16}}), false, {}, 0},
        {"no format", Wave({{"data", data8, 8}}), false, {}, 0},
        {"format cut short",
         Wave({{"fmt ", Bytes(stereo16.begin(), stereo16.begin() + 10), 16}}),
         false,
         {},
         0},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, false, {}, 0},
        {"too short", Bytes{'R', 'I', 'F', 'F'}, false, {}, 0},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseWave(c.file);
        ASSERT_EQ(parsed.has_value(), c.ok) << c.what;
        if (!parsed) continue;
        EXPECT_EQ(parsed->format, c.format) << c.what;
        EXPECT_EQ(parsed->samples.size(), c.samples) << c.what;
    }
}

TEST(WaveFormatTest, MadeFilesParseBack) {
    const Bytes samples = {1, 2, 3, 4, 5, 6};
    for (const WaveFormat f :
         {WaveFormat{1, 22050, 16}, WaveFormat{2, 48000, 8}, WaveFormat{1, 96000, 24}}) {
        const Bytes file = MakeWave(f, samples);
        ASSERT_EQ(file.size(), kWaveHeaderSize + samples.size());
        const auto parsed = ParseWave(file);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->format, f);
        EXPECT_EQ(Bytes(parsed->samples.begin(), parsed->samples.end()), samples);
    }
}

}  // namespace
}  // namespace nl
