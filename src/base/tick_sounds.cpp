#include "base/tick_sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/wave_format.h"

namespace nl {

namespace {

// One tick: a sine burst at `frequency` with an overtone, decaying exponentially.
struct TickShape {
    double frequency;     // Hz
    double overtone;      // frequency ratio of the overtone
    double overtoneGain;  // its amplitude relative to the fundamental
    int durationMs;
    double decayMs;  // time for the amplitude to fall to 1/e
};

// Bright and short to low and long, so that each event can sound different.
constexpr std::array<TickShape, kTickSoundCount> kShapes{{
    {1800.0, 2.76, 0.25, 25, 5.0},   // Tick1: crisp high click
    {1100.0, 2.76, 0.30, 35, 8.0},   // Tick2: middle tick
    {650.0, 2.40, 0.35, 45, 12.0},   // Tick3: low tock
    {2700.0, 1.50, 0.20, 20, 3.5},   // Tick4: very short, bright
    {1400.0, 1.50, 0.60, 40, 10.0},  // Tick5: two-tone chirp
    {420.0, 3.10, 0.40, 60, 18.0},   // Tick6: soft knock
}};

constexpr double kPeak = 0.55 * 32767.0;  // head-room below full scale
constexpr double kAttackMs = 0.4;         // rise from silence, against a hard click
constexpr double kReleaseMs = 3.0;        // fall to silence at the end

std::vector<std::uint8_t> MakeTick(const TickShape& shape) {
    const int frames = kTickSampleRate * shape.durationMs / 1000;
    std::vector<std::uint8_t> samples;
    samples.reserve(static_cast<std::size_t>(frames) * 2);
    const double total = shape.durationMs / 1000.0;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kTickSampleRate;
        double envelope = std::exp(-t * 1000.0 / shape.decayMs);
        envelope *= std::min(1.0, t * 1000.0 / kAttackMs);
        envelope *= std::min(1.0, (total - t) * 1000.0 / kReleaseMs);
        const double phase = 2.0 * std::numbers::pi * shape.frequency * t;
        const double wave =
            (std::sin(phase) + shape.overtoneGain * std::sin(phase * shape.overtone)) /
            (1.0 + shape.overtoneGain);
        const auto value = static_cast<std::int16_t>(std::lround(kPeak * envelope * wave));
        const auto bits = static_cast<std::uint16_t>(value);
        samples.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        samples.push_back(static_cast<std::uint8_t>(bits >> 8));
    }
    return MakeWave(WaveFormat{1, kTickSampleRate, 16}, samples);
}

const std::array<std::vector<std::uint8_t>, kTickSoundCount>& Ticks() {
    static const auto ticks = [] {
        std::array<std::vector<std::uint8_t>, kTickSoundCount> all;
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = MakeTick(kShapes[i]);
        return all;
    }();
    return ticks;
}

}  // namespace

std::span<const std::uint8_t> TickSound(int number) {
    if (number < 1 || number > kTickSoundCount) return {};
    return Ticks()[static_cast<std::size_t>(number - 1)];
}

std::span<const std::uint8_t> SoundResource(int resourceId) {
    return TickSound(resourceId - kTickSoundFirstResource + 1);
}

}  // namespace nl
