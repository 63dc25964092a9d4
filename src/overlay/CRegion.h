#pragma once
#include <span>
#include <vector>

#include "base/geometry.h"

namespace nl {

// One run of pixels on a row of a region: x from `left` up to but not including `right`.
struct RegionSpan {
    int y = 0;
    int left = 0;
    int right = 0;
    friend constexpr bool operator==(const RegionSpan&, const RegionSpan&) = default;
};

// A set of pixels kept as row runs, sorted by row and then by x, never touching or overlapping
// on a row. A shape holds the pixels whose centres lie inside it. The overlay uses regions
// for the holes it cuts and the parts it repaints, the copy for the mask of the shape.
class CRegion {
public:
    CRegion() = default;

    static CRegion FromRect(const Rect& rect);
    // `rect` with its corners rounded by an ellipse of `corner` size (at most the rectangle's).
    static CRegion FromRoundRect(const Rect& rect, Size corner);
    // The ellipse inscribed in `rect`.
    static CRegion FromEllipse(const Rect& rect);
    // The polygon through `vertices` (closed back to the first), filled by the winding rule:
    // a pixel is inside when the outline turns around it at least once.
    static CRegion FromPolygon(std::span<const Point> vertices);

    bool IsEmpty() const { return m_spans.empty(); }
    // The smallest rectangle holding every pixel; the all-zero rectangle when empty.
    Rect BoundingBox() const;
    // Whether the region is exactly its bounding box (and not empty).
    bool IsRectangle() const;
    bool Contains(Point p) const;
    void Offset(int dx, int dy);
    // The pixels of this region that are not in `other`.
    CRegion Subtract(const CRegion& other) const;
    const std::vector<RegionSpan>& Spans() const { return m_spans; }

    friend bool operator==(const CRegion&, const CRegion&) = default;

private:
    // Appends a run of row `y`, joining it to the previous run when they touch; runs arrive
    // in order.
    void Append(int y, int left, int right);

    std::vector<RegionSpan> m_spans;
};

}  // namespace nl
