#include "base/monitor_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace nl {
namespace {

// The monitors to use: the given ones, or the desktop as the only monitor.
std::span<const MonitorInfo> MonitorsOrDesktop(std::span<const MonitorInfo> monitors,
                                               const MonitorInfo& desktop) {
    return monitors.empty() ? std::span<const MonitorInfo>(&desktop, 1) : monitors;
}

const Rect& NearestWorkArea(std::span<const MonitorInfo> monitors, const Rect& rect) {
    return monitors[NearestMonitor(monitors, rect).value_or(0)].workArea;
}

// The distance from a rectangle to a span along one axis: 0 when they overlap.
std::uint64_t AxisGap(int lo, int hi, int monitorLo, int monitorHi) {
    if (hi <= monitorLo) return static_cast<std::uint64_t>(std::int64_t{monitorLo} - hi);
    if (monitorHi <= lo) return static_cast<std::uint64_t>(std::int64_t{lo} - monitorHi);
    return 0;
}

// Whether the union of the monitors covers all of `rect` (non-empty, normalized). Works on
// the grid of every edge, so overlapping (mirrored) monitors count once.
bool IsCovered(const Rect& rect, std::span<const MonitorInfo> monitors) {
    std::vector<Rect> pieces;
    std::vector<int> xs{rect.left, rect.right};
    std::vector<int> ys{rect.top, rect.bottom};
    for (const auto& m : monitors) {
        const Rect piece = Intersect(rect, m.monitor);
        if (piece.IsEmpty()) continue;
        pieces.push_back(piece);
        xs.insert(xs.end(), {piece.left, piece.right});
        ys.insert(ys.end(), {piece.top, piece.bottom});
    }
    if (pieces.empty()) return false;
    for (auto* edges : {&xs, &ys}) {
        std::sort(edges->begin(), edges->end());
        edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
    }
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const Point corner{xs[i], ys[j]};
            const bool covered = std::any_of(pieces.begin(), pieces.end(),
                                             [&](const Rect& p) { return p.Contains(corner); });
            if (!covered) return false;
        }
    }
    return true;
}

Rect SaturatedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return {SaturateToInt(left), SaturateToInt(top), SaturateToInt(right), SaturateToInt(bottom)};
}

}  // namespace

std::optional<std::size_t> NearestMonitor(std::span<const MonitorInfo> monitors, const Rect& rect) {
    if (monitors.empty()) return std::nullopt;
    const Rect r = rect.Normalized();
    std::optional<std::size_t> largest;
    std::uint64_t largestArea = 0;
    std::size_t nearest = 0;
    std::uint64_t nearestDistance = std::numeric_limits<std::uint64_t>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Rect& m = monitors[i].monitor;
        const std::uint64_t area = Intersect(r, m).Area();
        if (area > largestArea) {
            largestArea = area;
            largest = i;
        }
        if (largest) continue;
        // The squared distance between the nearest edges; each square fits in 64 bits, the
        // sum is held at the maximum.
        const std::uint64_t dx = AxisGap(r.left, r.right, m.left, m.right);
        const std::uint64_t dy = AxisGap(r.top, r.bottom, m.top, m.bottom);
        const std::uint64_t dx2 = dx * dx;
        const std::uint64_t dy2 = dy * dy;
        const std::uint64_t distance = dx2 > std::numeric_limits<std::uint64_t>::max() - dy2
                                           ? std::numeric_limits<std::uint64_t>::max()
                                           : dx2 + dy2;
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = i;
        }
    }
    return largest ? *largest : nearest;
}

std::optional<std::size_t> MonitorAt(std::span<const MonitorInfo> monitors, Point p) {
    const Rect pixel{p.x, p.y, SaturateToInt(std::int64_t{p.x} + 1),
                     SaturateToInt(std::int64_t{p.y} + 1)};
    return NearestMonitor(monitors, pixel);
}

double UsableScale(const MonitorInfo& monitor) {
    return std::isfinite(monitor.scale) && monitor.scale > 0.0 ? monitor.scale : 1.0;
}

LogicalPosition ToLogicalPosition(std::span<const MonitorInfo> monitors, Point p) {
    const std::optional<std::size_t> at = MonitorAt(monitors, p);
    if (!at) return {static_cast<double>(p.x), static_cast<double>(p.y), 1.0};
    const MonitorInfo& m = monitors[*at];
    const double scale = UsableScale(m);
    const double left = m.monitor.left;
    const double top = m.monitor.top;
    return {left + (p.x - left) / scale, top + (p.y - top) / scale, scale};
}

Rect CenterOnWorkArea(const Rect& window, std::span<const MonitorInfo> monitors,
                      const Rect& desktop) {
    const MonitorInfo desktopMonitor{desktop, desktop};
    const Rect w = window.Normalized();
    const Rect& work = NearestWorkArea(MonitorsOrDesktop(monitors, desktopMonitor), w);
    const std::int64_t width = std::int64_t{w.right} - w.left;
    const std::int64_t height = std::int64_t{w.bottom} - w.top;
    const std::int64_t left = (std::int64_t{work.left} + work.right) / 2 - width / 2;
    const std::int64_t top = (std::int64_t{work.top} + work.bottom) / 2 - height / 2;
    return SaturatedRect(left, top, left + width, top + height);
}

Rect ClampRectToMonitors(const Rect& rect, int mx, int my, std::span<const MonitorInfo> monitors,
                         const Rect& desktop) {
    const MonitorInfo desktopMonitor{desktop, desktop};
    const auto screens = MonitorsOrDesktop(monitors, desktopMonitor);
    const Rect r = rect.Normalized();
    if (r.IsEmpty() || IsCovered(r, screens)) return r;

    const Rect& work = NearestWorkArea(screens, r);
    const std::int64_t marginX = mx == kDefaultMarginMarker ? kDefaultClampMargin : mx;
    const std::int64_t marginY = my == kDefaultMarginMarker ? kDefaultClampMargin : my;
    std::int64_t left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top;

    if (right < work.left + marginX) {
        right = work.left + marginX;
        left = right - width;
    } else if (left > work.right - marginX) {
        left = work.right - marginX;
        right = left + width;
    }
    if (bottom < work.top + marginY) {
        bottom = work.top + marginY;
        top = bottom - height;
    } else if (top > work.bottom - marginY) {
        top = work.bottom - marginY;
        bottom = top + height;
    }
    if (left < work.left && width > std::int64_t{work.right} - work.left) {
        left = work.left;
        right = left + width;
    }
    if (top < work.top && height > std::int64_t{work.bottom} - work.top) {
        top = work.top;
        bottom = top + height;
    }
    return SaturatedRect(left, top, right, bottom);
}

std::vector<MonitorInfo> MonitorsWithWorkAreas(std::span<const Rect> monitors,
                                               std::optional<std::size_t> primary,
                                               const std::optional<Rect>& workArea) {
    std::vector<MonitorInfo> out;
    out.reserve(monitors.size());
    const auto add = [&](const Rect& monitor) {
        Rect work = monitor;
        if (workArea && monitors.size() == 1) {
            const Rect covered = Intersect(monitor, *workArea);
            if (!covered.IsEmpty()) work = covered;
        }
        out.push_back({monitor, work});
    };
    if (primary && *primary < monitors.size()) add(monitors[*primary]);
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (!primary || i != *primary) add(monitors[i]);
    return out;
}

}  // namespace nl
