#include "overlay/frozen_screen.h"

#include <algorithm>
#include <cmath>

namespace nl {

Point FrozenScreenPoint(const Rect& monitor, double localX, double localY, double ratio) {
    if (monitor.IsEmpty()) return monitor.TopLeft();
    return {
        std::clamp(monitor.left + DevicePixelAt(localX, ratio), monitor.left, monitor.right - 1),
        std::clamp(monitor.top + DevicePixelAt(localY, ratio), monitor.top, monitor.bottom - 1)};
}

int SettleBeforeCopyMs(std::optional<std::int64_t> hiddenAtMs, std::int64_t nowMs, int goneMs) {
    if (!hiddenAtMs) return 0;
    // A clock that went back (a hide stamped later than now) counts as a hide just now.
    const std::int64_t since = std::max<std::int64_t>(0, nowMs - *hiddenAtMs);
    return static_cast<int>(std::max<std::int64_t>(0, goneMs - since));
}

}  // namespace nl
