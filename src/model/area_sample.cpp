#include "model/area_sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "model/color_spaces.h"

namespace nl {
namespace {

constexpr std::string_view kStatNames[] = {"mean", "linear-mean", "median", "mode"};

int Channel(std::uint32_t pixel, int shift) {
    return static_cast<int>(pixel >> shift & 0xFF);
}

// Shifts of red, green and blue in a 0xAARRGGBB pixel.
constexpr std::array<int, 3> kShifts = {16, 8, 0};

}  // namespace

std::string_view SampleStatName(SampleStat stat) {
    const auto index = static_cast<std::size_t>(stat);
    return index < std::size(kStatNames) ? kStatNames[index] : kStatNames[0];
}

std::optional<SampleStat> SampleStatFromName(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kStatNames); ++i) {
        if (kStatNames[i] == name) return static_cast<SampleStat>(i);
    }
    return std::nullopt;
}

bool IsSampleSize(int size) {
    return std::find(std::begin(kSampleSizes), std::end(kSampleSizes), size) !=
           std::end(kSampleSizes);
}

Rect SampleSquare(Point centre, int size, const Rect& screen) {
    const int before = (size - 1) / 2;
    const Rect square{centre.x - before, centre.y - before, centre.x - before + size,
                      centre.y - before + size};
    return {std::max(square.left, screen.left), std::max(square.top, screen.top),
            std::min(square.right, screen.right), std::min(square.bottom, screen.bottom)};
}

COLORREF SampleColor(std::span<const std::uint32_t> pixels, SampleStat stat) {
    if (pixels.empty()) return MakeRgb(0, 0, 0);
    const auto n = static_cast<double>(pixels.size());
    std::array<int, 3> out{};
    switch (stat) {
        case SampleStat::kMean:
            for (std::size_t c = 0; c < 3; ++c) {
                double sum = 0;
                for (const std::uint32_t p : pixels) sum += Channel(p, kShifts[c]);
                out[c] = static_cast<int>(std::lround(sum / n));
            }
            break;
        case SampleStat::kLinearMean: {
            LinearRgb sum;
            for (const std::uint32_t p : pixels) {
                const LinearRgb l = ToLinear(MakeRgb(Channel(p, 16), Channel(p, 8), Channel(p, 0)));
                sum.r += l.r;
                sum.g += l.g;
                sum.b += l.b;
            }
            return FromLinear({sum.r / n, sum.g / n, sum.b / n});
        }
        case SampleStat::kMedian: {
            std::vector<int> values(pixels.size());
            for (std::size_t c = 0; c < 3; ++c) {
                for (std::size_t i = 0; i < pixels.size(); ++i)
                    values[i] = Channel(pixels[i], kShifts[c]);
                const auto middle =
                    values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
                std::nth_element(values.begin(), middle, values.end());
                out[c] = *middle;
            }
            break;
        }
        case SampleStat::kMode: {
            std::unordered_map<std::uint32_t, int> counts;
            int most = 0;
            for (const std::uint32_t p : pixels) most = std::max(most, ++counts[p & 0xFFFFFF]);
            // Of the most frequent colors, the one met first.
            for (const std::uint32_t p : pixels) {
                if (counts[p & 0xFFFFFF] == most)
                    return MakeRgb(Channel(p, 16), Channel(p, 8), Channel(p, 0));
            }
            break;
        }
    }
    return MakeRgb(out[0], out[1], out[2]);
}

}  // namespace nl
