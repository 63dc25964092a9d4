#include "ui/zoom_geometry.h"

#include "model/area_sample.h"

namespace nl {
namespace {

// The half-extent is size * 50 / zoom: half of size / (zoom / 100).
constexpr int kHalfPercent = kZoomUnit / 2;

}  // namespace

ZoomLayout ComputeZoomLayout(const Rect& dest, Point centre, int zoom, const Rect& screen) {
    ZoomLayout layout;
    const int hx = MulDiv(dest.Width(), kHalfPercent, zoom);
    const int hy = MulDiv(dest.Height(), kHalfPercent, zoom);
    // A zero or failing zoom gives a negative half-extent: an empty source, nothing drawn.
    if (hx <= 0 || hy <= 0) return layout;
    layout.source = {centre.x - hx, centre.y - hy, centre.x + hx, centre.y + hy};
    layout.clipped = Intersect(layout.source, screen);
    if (layout.clipped.IsEmpty()) {
        layout.clipped = {};
        return layout;
    }
    layout.drawn = true;
    layout.dest = dest;
    if (layout.clipped != layout.source) {
        const Rect& s = layout.source;
        const Rect& c = layout.clipped;
        Rect d;
        d.left = dest.left + MulDiv(c.left - s.left, dest.Width(), s.Width());
        d.top = dest.top + MulDiv(c.top - s.top, dest.Height(), s.Height());
        d.right = d.left + MulDiv(c.Width(), dest.Width(), s.Width());
        d.bottom = d.top + MulDiv(c.Height(), dest.Height(), s.Height());
        layout.dest = Intersect(d, dest);
        layout.outside = Subtract(dest, layout.dest);
    }
    return layout;
}

Rect CentreBlock(const Rect& dest, int zoom) {
    const int side = (zoom + kZoomUnit - 1) / kZoomUnit;
    const int x = (dest.left + dest.right) / 2;
    const int y = (dest.top + dest.bottom) / 2;
    return {x, y, x + side, y + side};
}

namespace {

// Where the magnified block of source column (or row) `s` starts: the first destination
// pixel that shows it when `count` source pixels from `from` fill `length` pixels from `to`.
int BlockEdge(int s, int from, int count, int to, int length) {
    const std::int64_t offset = std::int64_t{s - from} * length;
    return to + static_cast<int>((offset + count - 1) / count);
}

Rect Grown(const Rect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

void AddRing(std::vector<Rect>& out, const Rect& outer, const Rect& inner, const Rect& clip) {
    for (const Rect& band : Subtract(outer, inner)) {
        const Rect cut = Intersect(band, clip);
        if (!cut.IsEmpty()) out.push_back(cut);
    }
}

}  // namespace

SampleOutline ComputeSampleOutline(const ZoomLayout& layout, Point centre, int size,
                                   const Rect& screen, int line) {
    SampleOutline outline;
    if (size <= 1 || line <= 0 || !layout.drawn) return outline;
    const Rect square = Intersect(SampleSquare(centre, size, screen), layout.clipped);
    if (square.IsEmpty()) return outline;
    const Rect& c = layout.clipped;
    const Rect& d = layout.dest;
    const Rect shown{BlockEdge(square.left, c.left, c.Width(), d.left, d.Width()),
                     BlockEdge(square.top, c.top, c.Height(), d.top, d.Height()),
                     BlockEdge(square.right, c.left, c.Width(), d.left, d.Width()),
                     BlockEdge(square.bottom, c.top, c.Height(), d.top, d.Height())};
    AddRing(outline.dark, Grown(shown, line), shown, d);
    AddRing(outline.light, Grown(shown, 2 * line), Grown(shown, line), d);
    return outline;
}

std::vector<Rect> Subtract(const Rect& outer, const Rect& inner) {
    std::vector<Rect> parts;
    if (outer.IsEmpty()) return parts;
    const Rect in = Intersect(outer, inner);
    if (in.IsEmpty()) {
        parts.push_back(outer);
        return parts;
    }
    const Rect bands[] = {
        {outer.left, outer.top, outer.right, in.top},        // above
        {outer.left, in.bottom, outer.right, outer.bottom},  // below
        {outer.left, in.top, in.left, in.bottom},            // left
        {in.right, in.top, outer.right, in.bottom},          // right
    };
    for (const Rect& band : bands) {
        if (!band.IsEmpty()) parts.push_back(band);
    }
    return parts;
}

}  // namespace nl
