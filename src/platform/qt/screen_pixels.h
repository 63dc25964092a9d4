// Conversions between the desktop's device pixels (the X server's pixels, in which cursor
// positions, picks, grabs and window rectangles are given) and the logical pixels in which
// Qt lays out windows when it scales its user interface. A screen keeps its top-left corner
// in both; everything else on it scales about that corner by the screen's pixel ratio.
#pragma once
#include <QPoint>
#include <QRect>

#include "base/geometry.h"

class QScreen;

namespace nl {

// `p` scaled by `factor` about `origin`, rounded to the nearest pixel.
Point ScaleAbout(Point p, Point origin, double factor);
Rect ScaleAbout(const Rect& r, Point origin, double factor);

// A screen's area in device pixels.
Rect DeviceGeometry(const QScreen& screen);
// A logical rectangle of `screen` in device pixels.
Rect DeviceRectOn(const QScreen& screen, const QRect& logical);

// Logical positions and rectangles in device pixels and back, on the screen that holds them
// (the primary screen when none does). Without a screen they pass unchanged.
Point DevicePoint(const QPoint& logical);
QPoint LogicalPoint(Point device);
Rect DeviceRect(const QRect& logical);
QRect LogicalRect(const Rect& device);
// The pixel ratio of the screen that holds the center of `device` (the primary screen when
// none does); 1 without a screen.
double DeviceRatioAt(const Rect& device);

}  // namespace nl
