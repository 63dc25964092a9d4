#include "gauge/qt/CMeaWnd.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <cmath>

#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "gauge/gauge_grid.h"
#include "gauge/qt/measurement_marks.h"
#include "model/CUnitXY.h"
#include "overlay/qt/device_ratio.h"

namespace nl {
namespace {

constexpr int kCursorGap = 2;
constexpr int kCursorMarkEvery = 4;

QPoint ToQPoint(Point p) {
    return {p.x, p.y};
}

// The pixels from `from` up to but not including `to`, normalised, as Qt's outline rectangle
// (Qt's outline covers its width plus one).
QRect OutlineRect(Point from, Point to) {
    const Rect r = Rect{from.x, from.y, to.x, to.y}.Normalized();
    return {r.left, r.top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1)};
}

int LabelFlags(GridAnchor anchor) {
    switch (anchor) {
        case GridAnchor::kBottomLeft:
            return Qt::AlignLeft | Qt::AlignBottom;
        case GridAnchor::kTopRight:
            return Qt::AlignRight | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

}  // namespace

CMeaWnd::CMeaWnd(AppContext& context, OverlayBackdrop backdrop, const MakeOverlay& make,
                 std::function<void(const OverlayEnd&)> ended)
    : COverlayWnd(context.desktop, context.windowSystem, backdrop, {kClassName, kWindowName}),
      m_context(context),
      m_measure(make(*this)) {
    setCursor(MeasureCursor());
    Attach(*m_measure, std::move(ended));
    m_snap = StoredSnapSetting(context.prefs);
    // The snapping reads the desktop's pixels; annotated images show them.
    KeepDesktopPicture();
}

void CMeaWnd::Created(WindowId) {
    m_measure->SetSnapping(DesktopPicture(), m_snap);
}

QColor CMeaWnd::Ink(const QColor& color) const {
    QColor ink = color;
    ink.setAlpha(kVeilAlpha);
    return ink;
}

void CMeaWnd::PaintSelection(QPainter& painter, const QBrush&) {
    // Lines and labels blend like the veil: through the compositor, or over the snapshot.
    painter.setCompositionMode(Backdrop() == OverlayBackdrop::kSnapshot
                                   ? QPainter::CompositionMode_SourceOver
                                   : QPainter::CompositionMode_Source);
    if (m_context.prefs.Settings().HasOption(OptionWord::kGauge, AppSettings::kGaugeShowGrid)) {
        PaintGrid(painter);
    }
    const CWndCapMea& m = *m_measure;
    if (const CUnitXY* unit = m_context.prefs.CurrentLengthUnit(); unit && !m.Shown().empty()) {
        std::vector<const CWndCapMeaData*> shown;
        for (const CWndCapMeaData& kept : m.Shown()) shown.push_back(&kept);
        PaintMeasurementMarks(
            painter, shown, {0, 0}, {0, 0, Area().Width(), Area().Height()},
            {*unit, m_context.prefs.RegionalFormat(), font(), DeviceRatio(*this, Area())});
    }
    const bool underWay = m.State() == CapState::kTracking;
    painter.setBrush(Qt::NoBrush);
    if (m.Shape() == MeaShape::kPath && !m.Vertices().empty() &&
        (underWay || m.State() == CapState::kFinished)) {
        QPolygon line;
        for (const Point& p : m.Vertices()) line << ToQPoint(p);
        DrawTwoTone(painter, [&] { painter.drawPolyline(line); });
    }
    const MeaDrawing drawing = m.Drawing();
    DrawTwoTone(painter, [&] {
        switch (drawing.figure) {
            case MeaFigure::kLine:
            case MeaFigure::kSegment:
                painter.drawLine(ToQPoint(drawing.from), ToQPoint(drawing.to));
                if (const std::optional<SpacingCross>& cross = m.Spacing()) {
                    // The cross's vertical line, edge to edge like the horizontal one.
                    painter.drawLine(cross->at.x, cross->space.top, cross->at.x,
                                     cross->space.bottom);
                }
                break;
            case MeaFigure::kRectangle:
                painter.drawRect(OutlineRect(drawing.from, drawing.to));
                break;
            case MeaFigure::kEllipse:
                painter.drawEllipse(OutlineRect(drawing.from, drawing.to));
                break;
            default:
                break;
        }
    });
}

void CMeaWnd::PaintGrid(QPainter& painter) {
    const CUnitXY* unit = m_context.prefs.CurrentLengthUnit();
    if (!unit) return;
    // The grid lies on device pixels; its labels keep the font's size in the window's own
    // pixels, so they are measured (and drawn) that many device pixels large.
    const double ratio = DeviceRatio(*this, Area());
    const QFontMetricsF metrics(font());
    const Size client{Area().Width(), Area().Height()};
    // The grid's steps are those of the monitor the overlay covers most.
    const GridLayout grid = LayOutGrid(
        unit->OnMonitorOf(Area()), client,
        [&metrics, ratio](const std::string& text) {
            return static_cast<int>(
                std::ceil(metrics.horizontalAdvance(QString::fromStdString(text)) * ratio));
        },
        static_cast<int>(std::ceil(metrics.height() * ratio)));
    painter.setPen(QPen(Ink(Qt::white), 1));
    for (int x : grid.columns) painter.drawLine(x, 0, x, client.cy);
    for (int y : grid.rows) painter.drawLine(0, y, client.cx, y);
    painter.save();
    painter.scale(ratio, ratio);
    painter.setFont(font());
    for (const GridLabel& label : grid.labels) {
        // A point-sized box anchored at the label's point; the text spills out of it.
        const int flags = LabelFlags(label.anchor) | Qt::TextDontClip;
        painter.drawText(QRectF(label.at.x / ratio, label.at.y / ratio, 0, 0), flags,
                         QString::fromStdString(label.text));
    }
    painter.restore();
}

QCursor MeasureCursor() {
    return CrossHairCursor(kCursorGap, kCursorMarkEvery);
}

}  // namespace nl
