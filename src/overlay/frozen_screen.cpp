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

}  // namespace nl
