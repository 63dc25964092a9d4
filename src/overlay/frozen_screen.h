#pragma once
#include <cstdint>
#include <optional>

#include "base/geometry.h"

namespace nl {

// The screen pixel under the pointer over the frozen picture of `monitor` (device pixels of
// the virtual screen): the window showing it reports `localX`, `localY` in its own logical
// pixels, each `ratio` device pixels wide. The picture lies 1:1 on the device pixels, so the
// point is the monitor's corner plus the scaled position, kept on the monitor (a pointer on
// the window's last logical pixel at a fractional ratio may round past its edge).
Point FrozenScreenPoint(const Rect& monitor, double localX, double localY, double ratio);

// How long to wait, at `nowMs`, before the screen is copied for the frozen picture: a window of
// the program that left the screen at `hiddenAtMs` (a menu chosen from, a dialog, a tool tip)
// may still show until a compositor has drawn `goneMs` more; none hidden (nothing), or one
// hidden long enough ago, needs no wait.
int SettleBeforeCopyMs(std::optional<std::int64_t> hiddenAtMs, std::int64_t nowMs, int goneMs);

}  // namespace nl
