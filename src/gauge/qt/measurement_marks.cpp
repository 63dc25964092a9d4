#include "gauge/qt/measurement_marks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "gauge/CCapMea.h"
#include "overlay/qt/COverlayWnd.h"

namespace nl {
namespace {

// Room around the figures for their labels, in device pixels.
constexpr int kLabelRoom = 40;
// The label's distance from its figure and its inner margin, in the font's pixels.
constexpr int kLabelGap = 4;
constexpr int kLabelPadding = 3;

QPoint ToQPoint(Point p, Point origin) {
    return {p.x - origin.x, p.y - origin.y};
}

// The pixels a measurement's figure covers, in its own coordinates.
Rect FigureBox(const CWndCapMeaData& m) {
    if (m.Shape() == MeaShape::kPath) {
        const Rect box = VertexBounds(m.Points());
        return {box.left, box.top, box.right + 1, box.bottom + 1};
    }
    const MeaDrawing d = StoredDrawing(m);
    const Rect box = Rect{d.from.x, d.from.y, d.to.x, d.to.y}.Normalized();
    return {box.left, box.top, box.right + 1, box.bottom + 1};
}

void PaintFigure(QPainter& painter, const CWndCapMeaData& m, Point origin) {
    const MeaDrawing d = StoredDrawing(m);
    COverlayWnd::DrawTwoTone(painter, [&] {
        switch (d.figure) {
            case MeaFigure::kLine:
                painter.drawLine(ToQPoint(d.from, origin), ToQPoint(d.to, origin));
                break;
            case MeaFigure::kRectangle:
            case MeaFigure::kEllipse: {
                const Rect r = Rect{d.from.x, d.from.y, d.to.x, d.to.y}.Normalized();
                const QRect outline(r.left - origin.x, r.top - origin.y, std::max(0, r.Width() - 1),
                                    std::max(0, r.Height() - 1));
                if (d.figure == MeaFigure::kRectangle)
                    painter.drawRect(outline);
                else
                    painter.drawEllipse(outline);
                break;
            }
            case MeaFigure::kPolyline: {
                QPolygon line;
                for (const Point& p : m.Points()) line << ToQPoint(p, origin);
                painter.drawPolyline(line);
                break;
            }
            default:
                break;
        }
    });
}

}  // namespace

void PaintMeasurementMarks(QPainter& painter, std::span<const CWndCapMeaData* const> measurements,
                           Point origin, const Rect& bounds, const MarkLabels& labels) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const CWndCapMeaData* m : measurements) PaintFigure(painter, *m, origin);

    // The labels, laid out in the font's own pixels so that their text keeps its size.
    const double ratio = labels.ratio > 0 ? labels.ratio : 1.0;
    painter.save();
    painter.scale(ratio, ratio);
    painter.setFont(labels.font);
    const QFontMetricsF metrics(labels.font);
    int number = 0;
    for (const CWndCapMeaData* m : measurements) {
        ++number;
        const QString text =
            QString::number(number) + QStringLiteral("  ") +
            QString::fromStdString(MeasurementLabel(labels.unit, labels.regional, *m));
        const QSizeF size(metrics.horizontalAdvance(text) + 2 * kLabelPadding,
                          metrics.height() + 2 * kLabelPadding);
        Rect box = FigureBox(*m);
        box.Offset(-origin.x, -origin.y);
        // Below the figure's left end, or above it where the bottom is too near.
        double x = box.left / ratio;
        double y = box.bottom / ratio + kLabelGap;
        if ((y + size.height()) * ratio > bounds.bottom)
            y = box.top / ratio - kLabelGap - size.height();
        x = std::clamp(x, bounds.left / ratio,
                       std::max(bounds.left / ratio, bounds.right / ratio - size.width()));
        y = std::clamp(y, bounds.top / ratio,
                       std::max(bounds.top / ratio, bounds.bottom / ratio - size.height()));
        const QRectF frame(QPointF(x, y), size);
        painter.setPen(QColor(Qt::white));
        painter.setBrush(QColor::fromRgb(COverlayWnd::kLabelFill));
        painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(frame, Qt::AlignCenter, text);
    }
    painter.restore();
    painter.restore();
}

Rect AnnotatedArea(const QImage& picture, std::span<const CWndCapMeaData* const> measurements) {
    if (picture.isNull() || measurements.empty()) return {};
    Rect area = FigureBox(*measurements.front());
    for (const CWndCapMeaData* m : measurements) {
        const Rect box = FigureBox(*m);
        area = {std::min(area.left, box.left), std::min(area.top, box.top),
                std::max(area.right, box.right), std::max(area.bottom, box.bottom)};
    }
    area = {area.left - kLabelRoom, area.top - kLabelRoom, area.right + kLabelRoom,
            area.bottom + kLabelRoom};
    area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, picture.width()),
            std::min(area.bottom, picture.height())};
    return area.IsEmpty() ? Rect{} : area;
}

QImage AnnotatedImage(const QImage& picture, const Rect& area,
                      std::span<const CWndCapMeaData* const> measurements,
                      const MarkLabels& labels) {
    if (area.IsEmpty()) return {};
    QImage image = picture.copy(area.left, area.top, area.Width(), area.Height())
                       .convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    PaintMeasurementMarks(painter, measurements, area.TopLeft(),
                          {0, 0, area.Width(), area.Height()}, labels);
    return image;
}

}  // namespace nl
