#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"

namespace nl {

// One monitor of the desktop in virtual-screen coordinates: its whole area and the part
// left to windows (without task bars and docks), and the factor by which the user interface
// is scaled on it (device pixels per logical pixel: 2 on a monitor shown at 200 %).
struct MonitorInfo {
    MonitorInfo() = default;
    MonitorInfo(const Rect& monitorArea, const Rect& work, double scaleFactor = 1.0)
        : monitor(monitorArea), workArea(work), scale(scaleFactor) {}

    Rect monitor;
    Rect workArea;
    double scale = 1.0;
};

// A monitor's scale as a divisor: 1 where the platform gave none that is usable (zero,
// negative, not a number).
double UsableScale(const MonitorInfo& monitor);

// A device position in the logical pixels of the monitor it lies on, as a scaled screen is
// laid out: the monitor keeps its device top-left corner, offsets from it are divided by its
// scale. `scale` is the monitor's usable scale.
struct LogicalPosition {
    double x = 0.0;
    double y = 0.0;
    double scale = 1.0;
};

// The margin value that stands for the default margin when clamping.
inline constexpr int kDefaultMarginMarker = -1;
inline constexpr int kDefaultClampMargin = 32;

// The monitor the system would choose as nearest to `rect`: the one with the largest
// intersection, else the one at the smallest distance (the first of equals). Nothing for an
// empty list.
std::optional<std::size_t> NearestMonitor(std::span<const MonitorInfo> monitors, const Rect& rect);
// The monitor holding `p` (the first of overlapping ones), else the nearest one; nothing for
// an empty list.
std::optional<std::size_t> MonitorAt(std::span<const MonitorInfo> monitors, Point p);

// `p` in logical pixels on the monitor holding it (or nearest to it); `p` itself at scale 1
// without monitors.
LogicalPosition ToLogicalPosition(std::span<const MonitorInfo> monitors, Point p);

// The monitors as a desktop lists them (`primary` indexes the primary one, or none), the
// primary first and the others in their order. The desktop's one work-area rectangle
// (`workArea`, none where it is unknown) is a single monitor's work area as far as it covers
// it; with several monitors it spans them all and tells nothing of each, so each monitor's
// work area is its whole area, as it is where the work area is unknown or misses the monitor.
std::vector<MonitorInfo> MonitorsWithWorkAreas(std::span<const Rect> monitors,
                                               std::optional<std::size_t> primary,
                                               const std::optional<Rect>& workArea);

// In the functions below an empty monitor list stands for one monitor whose area and work
// area are `desktop`.

// `window` moved, keeping its size, so that its center is the center of the work area of the
// monitor nearest to it; both halvings round toward zero.
Rect CenterOnWorkArea(const Rect& window, std::span<const MonitorInfo> monitors,
                      const Rect& desktop);

// Brings `rect` back onto the screen. A rectangle wholly covered by monitors is returned
// (normalized) as it is. Otherwise it is shifted into the work area of the nearest monitor so
// that at least `mx` pixels of its width and `my` of its height are inside (-1 stands for
// 32); a rectangle wider or taller than the work area gets its left or top edge on the work
// area's. Coordinates that would leave the int range are held at its ends.
Rect ClampRectToMonitors(const Rect& rect, int mx, int my, std::span<const MonitorInfo> monitors,
                         const Rect& desktop);

}  // namespace nl
