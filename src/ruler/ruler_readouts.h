#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "ruler/ruler_graduations.h"

namespace nl {

struct NumberFormat;

// What the ruler's caption is built from.
struct CaptionInput {
    std::uint32_t items = 0;    // the caption items of the ruler data
    std::uint32_t options = 0;  // the ruler's option bits
    int scale = 100;            // percent
    double unitPixels = 1;      // pixels per unit at true size (UnitDevicePixels)
    UnitMetrics metrics;
    Point originOnScreen;  // the ruler's origin point
    Point cursorOnScreen;
    Point cursorInClient;  // the cursor relative to the ruler's client area
};

// The cursor's place along the ruler in the current unit at the current scale.
double CursorProjection(const CaptionInput& in);
// The distance from the origin point to the cursor in the current unit at the current scale.
double CursorDistance(const CaptionInput& in);
// The angle between the ruler's graduated line and the line from its origin to the cursor,
// in degrees from 0 (on the line) to 90 (straight across).
double CursorAngle(const CaptionInput& in);

// The caption: the program's name, then each readout whose item is set, in a fixed order,
// numbers in `format`.
std::string RulerCaption(const CaptionInput& in, const NumberFormat& format);

// The scaling-factor steps: 10 % below 200 %, 20 % from there, within 50..1000.
int ZoomInScale(int scale);
int ZoomOutScale(int scale);
bool CanZoomIn(int scale);
bool CanZoomOut(int scale);
bool CanZoomNormal(int scale);

// The command that chooses unit `index` (0 Pixel .. 8 Logical pixel).
int RulerUnitCommand(int index);
// The unit command that follows the current unit (wrapping from the logical pixel to Pixel);
// nothing when no unit bit is set.
std::optional<int> NextUnitCommand(std::uint32_t options);

}  // namespace nl
