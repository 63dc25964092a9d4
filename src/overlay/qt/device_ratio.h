#pragma once
#include <QWidget>

#include "base/geometry.h"

namespace nl {

// The device pixels per pixel of `window`, which covers `covered` (device pixels). Mostly
// Qt's pixel ratio; but where Qt draws at a whole scale and the compositor shows the window
// at a fractional one (an output scaled 1.5, drawn at 2), the window's width in its own
// pixels against the device pixels it covers.
inline double DeviceRatio(const QWidget& window, const Rect& covered) {
    const double ratio = window.devicePixelRatioF() > 0 ? window.devicePixelRatioF() : 1.0;
    if (window.width() > 0 && window.width() * ratio != covered.Width())
        return static_cast<double>(covered.Width()) / window.width();
    return ratio;
}

}  // namespace nl
