#pragma once
#include <QImage>
#include <optional>
#include <span>
#include <string>

#include "base/geometry.h"
#include "document/CWndCapMeaData.h"

class QFont;
class QPainter;

namespace nl {

class CUnitXY;
struct NumberFormat;

// What the marks of kept measurements are labelled with, and in which font.
struct MarkLabels {
    const CUnitXY& unit;
    const NumberFormat& regional;
    const QFont& font;
    // Device pixels per pixel of the font's size.
    double ratio = 1.0;
};

// Draws `measurements` on `painter`, which works in device pixels with `origin` at its (0, 0):
// each figure white with a dark dashed line over it, and beside it a label on a dark box with
// its number and figure ("2  120 x 48"), kept inside `bounds`.
void PaintMeasurementMarks(QPainter& painter, std::span<const CWndCapMeaData* const> measurements,
                           Point origin, const Rect& bounds, const MarkLabels& labels);

// The area of `picture` (device pixels whose (0, 0) is the measurements' (0, 0)) that an
// annotated image of `measurements` shows: the box around their figures with room for the
// labels, inside the picture. Empty when there is nothing to show.
Rect AnnotatedArea(const QImage& picture, std::span<const CWndCapMeaData* const> measurements);
// That area of `picture` with the measurements' marks drawn in.
QImage AnnotatedImage(const QImage& picture, const Rect& area,
                      std::span<const CWndCapMeaData* const> measurements,
                      const MarkLabels& labels);

}  // namespace nl
