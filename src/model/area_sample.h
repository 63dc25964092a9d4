#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/geometry.h"
#include "model/color_math.h"

namespace nl {

// How a square of pixels becomes one color: the mean of the 8-bit sRGB values (what most
// expect), the mean in linear light (what the eye averages when the pixels are too small to
// see), the median of each channel (an outlier does not move it), or the most frequent color
// (a dither's main color).
enum class SampleStat : std::int32_t { kMean = 0, kLinearMean, kMedian, kMode };
inline constexpr int kSampleStatCount = 4;

// The sides a sample square may have; 1 samples the single pixel.
inline constexpr int kSampleSizes[] = {1, 3, 5, 7, 9, 11, 15, 21, 31};

// The stored names ("mean", "linear-mean", "median", "mode") and back.
std::string_view SampleStatName(SampleStat stat);
std::optional<SampleStat> SampleStatFromName(std::string_view name);
bool IsSampleSize(int size);

// How a pick turns the pixels around its point into one color: the side of the square and
// the statistic. The side 1 reads the pixel itself, whatever the statistic.
struct SampleMethod {
    int size = 1;
    SampleStat stat = SampleStat::kMean;
    bool IsSinglePixel() const { return size <= 1; }
    friend bool operator==(const SampleMethod&, const SampleMethod&) = default;
};

// The square of side `size` centred on `centre`, cut to the part inside `screen`.
Rect SampleSquare(Point centre, int size, const Rect& screen);

// The color of the pixels (0xAARRGGBB, alpha ignored) by `stat`. Medians of an even count take
// the lower middle value; among equally frequent colors the mode takes the one met first.
// Black for no pixels.
COLORREF SampleColor(std::span<const std::uint32_t> pixels, SampleStat stat);

}  // namespace nl
