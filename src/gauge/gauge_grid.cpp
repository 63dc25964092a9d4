#include "gauge/gauge_grid.h"

#include <algorithm>
#include <string>

#include "model/CUnitXY.h"

namespace nl {
namespace {

// The pixel size the step is chosen from.
constexpr int kSampleSpan = 16;
// The steps up to 500 units; beyond, whole hundreds.
constexpr int kSteps[] = {5, 10, 25, 50, 100, 150, 200, 250, 300, 350, 400, 450, 500};
constexpr int kHundred = 100;
// The labels stand this far inside the left and right edges.
constexpr int kLabelInset = 2;
// A label is measured with two digits more than its widest value.
constexpr const char* kLabelMargin = "00";

// The pixels `units` make across (or down): the inverse of the unit's conversion.
double ToPixels(double units, double factor, double divisor) {
    return factor == 0.0 ? 0.0 : units * divisor / factor;
}

// The positions of k * step units in pixels, k = 0, 1, ... up to `limit` inclusive.
std::vector<int> LinePositions(int step, double factor, double divisor, int limit) {
    std::vector<int> lines;
    if (ToPixels(step, factor, divisor) < 1.0) return lines;
    for (int k = 0;; ++k) {
        const int at = static_cast<int>(ToPixels(static_cast<double>(k) * step, factor, divisor));
        if (at > limit) break;
        lines.push_back(at);
    }
    return lines;
}

}  // namespace

int GridStep(int v) {
    if (v < 1) return 1;
    for (int step : kSteps)
        if (v <= step) return step;
    return v / kHundred * kHundred;
}

GridLayout LayOutGrid(const CUnitXY& unit, Size client,
                      const std::function<int(const std::string&)>& textWidth, int textHeight) {
    GridLayout grid;
    const double v = std::max(unit.ToUnitX(kSampleSpan), unit.ToUnitY(kSampleSpan));
    grid.step = GridStep(static_cast<int>(v));
    grid.columns = LinePositions(grid.step, unit.XFactor(), unit.XDivisor(), client.cx);
    grid.rows = LinePositions(grid.step, unit.YFactor(), unit.YDivisor(), client.cy);

    const int u = static_cast<int>(ToPixels(grid.step, unit.XFactor(), unit.XDivisor()));
    if (u <= 0) return grid;
    const int w = textWidth(kLabelMargin + std::to_string(grid.step * (client.cx / u)));
    int every = 1;
    if (u < w) {
        every = 2;
        while (w / every > u) ++every;
    }

    const auto value = [&grid](std::size_t k) {
        return std::to_string(grid.step * static_cast<int>(k));
    };
    for (std::size_t k = static_cast<std::size_t>(every); k < grid.columns.size(); k += every) {
        const int x = grid.columns[k];
        if (x + w > client.cx) break;
        grid.labels.push_back({{x, 0}, value(k), GridAnchor::kTopLeft});
        grid.labels.push_back({{x, client.cy}, value(k), GridAnchor::kBottomLeft});
    }
    for (std::size_t k = 0; k < grid.rows.size(); k += every) {
        const int y = grid.rows[k];
        if (y + textHeight > client.cy) break;
        grid.labels.push_back({{kLabelInset, y}, value(k), GridAnchor::kTopLeft});
        if (k > 0 && y + 2 * textHeight < client.cy) {
            grid.labels.push_back({{client.cx - kLabelInset, y}, value(k), GridAnchor::kTopRight});
        }
    }
    return grid;
}

}  // namespace nl
