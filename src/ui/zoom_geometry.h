#pragma once
#include <vector>

#include "base/geometry.h"

namespace nl {

// What one frame of a zoom control shows: the desktop area around a centre point, enlarged
// into a destination rectangle of the control. All source rectangles are in virtual-screen
// pixels, destination rectangles in the control's pixels.
struct ZoomLayout {
    // The area around the centre that the zoom asks for (may reach past the desktop).
    Rect source;
    // `source` clipped to the virtual screen: what is really shown. Empty when nothing is.
    Rect clipped;
    // Where `clipped` is drawn; the whole destination unless the area reaches past the edge.
    Rect dest;
    // The parts of the destination outside `dest`, filled with the desktop colour.
    std::vector<Rect> outside;
    // Whether anything is drawn (false when `clipped` is empty: the control keeps its image).
    bool drawn = false;
};

// Zoom factors are percentages: 100 shows one screen pixel per control pixel.
inline constexpr int kZoomUnit = 100;
// The hosts offer 100..1000 in steps of 100.
inline constexpr int kZoomMin = 100;
inline constexpr int kZoomMax = 1000;

// The frame's geometry for destination `dest`, centre `centre` and zoom `zoom` (percent) on
// the virtual screen `screen`. The half-extents are MulDiv(size, 50, zoom), so the source is
// an even number of pixels wide and high; a source partly off the desktop is drawn in its
// proportional place, never stretched to fill the destination.
ZoomLayout ComputeZoomLayout(const Rect& dest, Point centre, int zoom, const Rect& screen);

// The block that marks the centre pixel: a square of one magnified pixel, rounded up, whose
// top-left corner is the middle of `dest`.
Rect CentreBlock(const Rect& dest, int zoom);

// The outline of the square a pick samples around the centre pixel: two rings `line` pixels
// wide around the square's magnified pixels, the dark one against them and the light one
// outside it, so that it shows on light and dark pixels alike and hides none of the pixels
// sampled. The square is cut to `screen` as the pick cuts it; the rings are cut to the
// layout's destination. Nothing for a single pixel (the centre block marks it) or a layout
// that draws nothing.
struct SampleOutline {
    std::vector<Rect> dark;
    std::vector<Rect> light;
};
SampleOutline ComputeSampleOutline(const ZoomLayout& layout, Point centre, int size,
                                   const Rect& screen, int line);

// The parts of `outer` not covered by `inner` (at most four bands, none empty).
std::vector<Rect> Subtract(const Rect& outer, const Rect& inner);

}  // namespace nl
