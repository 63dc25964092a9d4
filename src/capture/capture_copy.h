#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/bitmap_file.h"
#include "base/cursor_image.h"
#include "base/geometry.h"
#include "model/color_math.h"
#include "overlay/CRegion.h"

namespace nl {

class IDesktop;

// The shapes of a capture, numbered as the toolbar's buttons are ordered.
enum class CapShape : std::int32_t {
    kNone = 0,
    kRectangle = 1,
    kRoundRect = 2,
    kEllipse = 3,
    kCustom = 4,
    kWindow = 5,
    kMonitor = 6,
    kDesktop = 7,
};

// The corner ellipse of a rounded-rectangle capture.
inline constexpr Size kCaptureCorner{16, 16};

// The shape a capture command (3550 to 3556) starts; kNone for any other command.
CapShape ShapeFromCommand(int command);
// Whether the shape is drawn by dragging a rectangle (rectangle, rounded rectangle, ellipse).
bool IsDragShape(CapShape shape);

// The pixels a capture copies: the polygon through `vertices` (winding fill) for the custom
// shape, else the shape over `selection` (a plain rectangle for window, monitor and desktop).
CRegion ShapeRegion(CapShape shape, const Rect& selection, std::span<const Point> vertices);

// Copies the screen pixels of `screenRegion` into `out`, an image of the region's bounding
// box: pixels outside the region get `fill`; `cursor`, when given, is blended in with its hot
// spot at its position and clipped to the region. Returns 0, or a system error code when the
// region is empty or the screen cannot be read (`out` is then left as it was).
std::uint32_t CopyScreenRegion(const IDesktop& desktop, const CRegion& screenRegion, COLORREF fill,
                               const CursorImage* cursor, BitmapImage& out);

// Blends `cursor` into `image`, whose top-left pixel is the screen point `origin`, on the
// pixels of `mask` (in image coordinates) only.
void DrawCursor(BitmapImage& image, Point origin, const CRegion& mask, const CursorImage& cursor);

}  // namespace nl
