#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace nl {

class CPrefs;

// Window rectangles are kept in device pixels, but a window keeps its size in Qt's own
// pixels: one 700 device pixels wide at a scale of 2 is as wide as one of 350 at a scale of 1.
// So each recorded rectangle has the scale it was recorded at noted beside the data file, and
// a rectangle brought back at another scale is resized about its top-left corner.

// The side-settings key of window-state record `index`, and the value that notes `rect`
// recorded at `scale`; the scale read back from a value for `rect` (nothing when the value
// is damaged or belongs to another rectangle, as after a restore or another program's save).
std::string PlacementScaleKey(int index);
std::string PlacementScaleValue(const Rect& rect, double scale);
std::optional<double> PlacementScaleOf(std::string_view value, const Rect& rect);

// `rect` recorded at `then` as it comes back at `now`: the same top-left corner, the size
// scaled by now / then.
Rect RescalePlacement(const Rect& rect, double then, double now);

// Notes the scale of window-state record `index`, whose rectangle was just recorded.
void NotePlacementScale(CPrefs& prefs, int index, double scale);
// Resizes the saved rectangle of record `index` for the scale `now` of the place it comes
// back to, where the side settings say it was recorded at another one.
void RescaleSavedPlacement(CPrefs& prefs, int index, double now);

}  // namespace nl
