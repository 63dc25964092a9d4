#include "overlay/frozen_screen.h"

#include <algorithm>
#include <cmath>

namespace nl {

Point FrozenScreenPoint(const Rect& monitor, double localX, double localY, double ratio) {
    if (monitor.IsEmpty()) return monitor.TopLeft();
    const auto device = [ratio](double local) {
        return static_cast<int>(std::floor(local * (ratio > 0 ? ratio : 1.0)));
    };
    return {std::clamp(monitor.left + device(localX), monitor.left, monitor.right - 1),
            std::clamp(monitor.top + device(localY), monitor.top, monitor.bottom - 1)};
}

}  // namespace nl
