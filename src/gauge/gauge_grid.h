#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace nl {

class CUnitXY;

// Where a grid label's text sits relative to its point.
enum class GridAnchor { kTopLeft, kBottomLeft, kTopRight };

struct GridLabel {
    Point at;
    std::string text;
    GridAnchor anchor = GridAnchor::kTopLeft;
    friend bool operator==(const GridLabel&, const GridLabel&) = default;
};

// The measuring grid over the overlay: white lines every `step` units of the length unit,
// labelled with their value in units along the four edges.
struct GridLayout {
    int step = 0;
    std::vector<int> columns;  // x of each vertical line, client pixels
    std::vector<int> rows;     // y of each horizontal line
    std::vector<GridLabel> labels;
};

// The step in units for `v`, the larger size of 16 pixels in the unit (truncated): the
// next of 1, 5, 10, 25, 50, 100 ... 500, beyond that `v` down to a multiple of 100.
int GridStep(int v);

// The grid over a client area of `client` pixels in `unit`; `textWidth` measures a label in
// the overlay's font, whose lines are `textHeight` pixels high.
GridLayout LayOutGrid(const CUnitXY& unit, Size client,
                      const std::function<int(const std::string&)>& textWidth, int textHeight);

}  // namespace nl
