#include "base/tick_sounds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "base/wave_format.h"
#include "platform/fake/FakeSound.h"

namespace nl {
namespace {

std::vector<std::uint8_t> LittleEndian(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

int SampleAt(std::span<const std::uint8_t> samples, std::size_t i) {
    return static_cast<std::int16_t>(samples[2 * i] | (samples[2 * i + 1] << 8));
}

TEST(TickSoundsTest, EachTickIsACompleteMono16BitWaveOfItsLength) {
    // Length of each tick in milliseconds at 22050 frames per second, 2 bytes per frame.
    const int lengthsMs[kTickSoundCount] = {25, 35, 45, 20, 40, 60};
    for (int n = 1; n <= kTickSoundCount; ++n) {
        SCOPED_TRACE(n);
        const auto wave = TickSound(n);
        const std::uint32_t dataBytes = 2 * (22050 * lengthsMs[n - 1] / 1000);
        ASSERT_EQ(wave.size(), 44 + dataBytes);
        std::vector<std::uint8_t> expected = {'R', 'I', 'F', 'F'};
        for (auto b : LittleEndian(36 + dataBytes)) expected.push_back(b);
        for (char c : std::string("WAVEfmt ")) expected.push_back(static_cast<std::uint8_t>(c));
        const std::uint8_t fmt[] = {16,   0,    0,   0,  // format chunk size
                                    1,    0,    1,   0,  // PCM, mono
                                    0x22, 0x56, 0,   0,  // 22050 frames/s
                                    0x44, 0xAC, 0,   0,  // 44100 bytes/s
                                    2,    0,    16,  0,  // block align, bits
                                    'd',  'a',  't', 'a'};
        expected.insert(expected.end(), std::begin(fmt), std::end(fmt));
        for (auto b : LittleEndian(dataBytes)) expected.push_back(b);
        EXPECT_EQ(std::vector<std::uint8_t>(wave.begin(), wave.begin() + 44), expected);

        // Audible, not clipped, and fading in and out without a jump.
        const auto parsed = ParseWave(wave);
        ASSERT_TRUE(parsed);
        const std::size_t frames = parsed->samples.size() / 2;
        int peak = 0;
        for (std::size_t i = 0; i < frames; ++i)
            peak = std::max(peak, std::abs(SampleAt(parsed->samples, i)));
        EXPECT_GT(peak, 8000);
        EXPECT_LT(peak, 32000);
        EXPECT_LT(std::abs(SampleAt(parsed->samples, 0)), 2000);
        EXPECT_LT(std::abs(SampleAt(parsed->samples, frames - 1)), 500);
    }
}

TEST(TickSoundsTest, TicksDifferAndResourcesMapToThem) {
    for (int a = 1; a <= kTickSoundCount; ++a)
        for (int b = a + 1; b <= kTickSoundCount; ++b) {
            const auto x = TickSound(a), y = TickSound(b);
            EXPECT_FALSE(std::equal(x.begin(), x.end(), y.begin(), y.end())) << a << " " << b;
        }
    EXPECT_TRUE(TickSound(0).empty());
    EXPECT_TRUE(TickSound(7).empty());
    EXPECT_EQ(SoundResource(1201).data(), TickSound(1).data());
    EXPECT_EQ(SoundResource(1206).data(), TickSound(6).data());
    EXPECT_TRUE(SoundResource(1200).empty());
    EXPECT_TRUE(SoundResource(1207).empty());
}

TEST(TickSoundsTest, FakeSoundLogsResourcesThatExistOnly) {
    FakeSound sound;
    sound.PlayResource(1203);
    sound.PlayResource(1200);  // "None": no sound and no default sound
    sound.PlayResource(1300);
    ASSERT_EQ(sound.Log().size(), 1u);
    EXPECT_EQ(sound.Log()[0].resourceId, 1203);
    const auto tick = TickSound(3);
    EXPECT_EQ(sound.Log()[0].wave, std::vector<std::uint8_t>(tick.begin(), tick.end()));
}

}  // namespace
}  // namespace nl
