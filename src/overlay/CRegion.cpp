#include "overlay/CRegion.h"

#include <algorithm>
#include <cmath>

namespace nl {
namespace {

// The first pixel whose centre is at or right of `x`.
int FirstPixelFrom(double x) {
    return static_cast<int>(std::ceil(x - 0.5));
}

// How far the outline of an ellipse corner of half-size (rx, ry) stands in from the
// rectangle's side at a distance `dy` from the corner ellipse's centre row.
double CornerInset(double rx, double ry, double dy) {
    if (ry <= 0) return 0;
    const double t = std::min(1.0, std::abs(dy) / ry);
    return rx * (1.0 - std::sqrt(1.0 - t * t));
}

// The runs of the row that starts at `index`; moves `index` past them.
std::span<const RegionSpan> Row(const std::vector<RegionSpan>& spans, std::size_t& index) {
    const std::size_t start = index;
    const int y = spans[start].y;
    while (index < spans.size() && spans[index].y == y) ++index;
    return {spans.data() + start, index - start};
}

}  // namespace

void CRegion::Append(int y, int left, int right) {
    if (right <= left) return;
    if (!m_spans.empty() && m_spans.back().y == y && m_spans.back().right >= left) {
        m_spans.back().right = std::max(m_spans.back().right, right);
        return;
    }
    m_spans.push_back({y, left, right});
}

CRegion CRegion::FromRect(const Rect& rect) {
    return FromRoundRect(rect, {0, 0});
}

CRegion CRegion::FromRoundRect(const Rect& rect, Size corner) {
    CRegion region;
    if (rect.IsEmpty()) return region;
    const double rx = std::min(corner.cx, rect.Width()) / 2.0;
    const double ry = std::min(corner.cy, rect.Height()) / 2.0;
    const double topCentre = rect.top + ry;
    const double bottomCentre = rect.bottom - ry;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const double cy = y + 0.5;
        double inset = 0;
        if (cy < topCentre) inset = CornerInset(rx, ry, topCentre - cy);
        if (cy > bottomCentre) inset = CornerInset(rx, ry, cy - bottomCentre);
        region.Append(y, FirstPixelFrom(rect.left + inset), FirstPixelFrom(rect.right - inset));
    }
    return region;
}

CRegion CRegion::FromEllipse(const Rect& rect) {
    return FromRoundRect(rect, {rect.Width(), rect.Height()});
}

CRegion CRegion::FromPolygon(std::span<const Point> vertices) {
    CRegion region;
    if (vertices.size() < 3) return region;
    int top = vertices[0].y;
    int bottom = vertices[0].y;
    for (const Point& p : vertices) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        const double cy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const Point& a = vertices[i];
            const Point& b = vertices[(i + 1) % vertices.size()];
            if ((a.y <= cy) == (b.y <= cy)) continue;
            const double x = a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
            crossings.push_back({x, b.y > a.y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            if (winding != 0) {
                region.Append(y, FirstPixelFrom(crossings[i].x),
                              FirstPixelFrom(crossings[i + 1].x));
            }
        }
    }
    return region;
}

Rect CRegion::BoundingBox() const {
    if (m_spans.empty()) return {};
    Rect box{m_spans.front().left, m_spans.front().y, m_spans.front().right, m_spans.back().y + 1};
    for (const RegionSpan& s : m_spans) {
        box.left = std::min(box.left, s.left);
        box.right = std::max(box.right, s.right);
    }
    return box;
}

bool CRegion::IsRectangle() const {
    if (m_spans.empty()) return false;
    const RegionSpan& first = m_spans.front();
    // One run per row, each as wide as the first, on consecutive rows.
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        const RegionSpan& s = m_spans[i];
        if (s.y != first.y + static_cast<int>(i) || s.left != first.left || s.right != first.right)
            return false;
    }
    return true;
}

bool CRegion::Contains(Point p) const {
    auto it = std::lower_bound(m_spans.begin(), m_spans.end(), p, [](const RegionSpan& s, Point q) {
        return s.y < q.y || (s.y == q.y && s.right <= q.x);
    });
    return it != m_spans.end() && it->y == p.y && it->left <= p.x;
}

void CRegion::Offset(int dx, int dy) {
    for (RegionSpan& s : m_spans) {
        s.y += dy;
        s.left += dx;
        s.right += dx;
    }
}

CRegion CRegion::Subtract(const CRegion& other) const {
    CRegion result;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < m_spans.size()) {
        const int y = m_spans[i].y;
        while (j < other.m_spans.size() && other.m_spans[j].y < y) ++j;
        const std::span<const RegionSpan> mine = Row(m_spans, i);
        std::span<const RegionSpan> cut;
        if (j < other.m_spans.size() && other.m_spans[j].y == y) cut = Row(other.m_spans, j);
        std::size_t k = 0;
        for (const RegionSpan& s : mine) {
            int left = s.left;
            while (k < cut.size() && cut[k].right <= left) ++k;
            for (std::size_t c = k; c < cut.size() && cut[c].left < s.right; ++c) {
                result.Append(y, left, std::min(cut[c].left, s.right));
                left = std::max(left, cut[c].right);
            }
            result.Append(y, left, s.right);
        }
    }
    return result;
}

}  // namespace nl
