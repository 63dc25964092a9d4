#include "gauge/CWndCapMea.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "overlay/CRegion.h"

namespace nl {
namespace {

// The decimal pi the angles are worked out with.
constexpr double kPi = 3.14159265358;
constexpr double kHalfTurnDegrees = 180.0;
constexpr double kStraightenLimitDegrees = 45.0;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

Point StraightenedPoint(Point anchor, Point cursor) {
    const int dx = cursor.x - anchor.x;
    const int dy = cursor.y - anchor.y;
    const double angle = std::atan2(std::abs(dy), std::abs(dx)) * kHalfTurnDegrees / kPi;
    if (angle < kStraightenLimitDegrees) return {cursor.x, anchor.y};
    return {anchor.x, cursor.y};
}

Point SquaredPoint(Point anchor, Point cursor) {
    const int dx = cursor.x - anchor.x;
    const int dy = cursor.y - anchor.y;
    const int m = std::min(std::abs(dx), std::abs(dy));
    return {anchor.x + m * Sign(dx), anchor.y + m * Sign(dy)};
}

CWndCapMea::CWndCapMea(IOverlayWindow& window, MainWindowAfter mainWindow, MeaShape shape,
                       MeaFromCenter fromCenter)
    : CWndCap(window, mainWindow), m_shape(shape), m_fromCenter(fromCenter) {}

void CWndCapMea::ShowStored(const CWndCapMeaData& data) {
    m_shape = data.Shape();
    m_fromCenter = MeaFromCenter::kNo;
    m_origin = data.Origin();
    m_first = data.First();
    m_last = m_previous = data.Last();
    m_vertices = data.Points();
    SetState(CapState::kFinished);
}

bool CWndCapMea::FromCenterShape() const {
    return m_fromCenter == MeaFromCenter::kYes &&
           (m_shape == MeaShape::kRectangle || m_shape == MeaShape::kEllipse);
}

Point CWndCapMea::StartCorner(Point end) const {
    if (!FromCenterShape()) return m_first;
    return {2 * m_first.x - end.x, 2 * m_first.y - end.y};
}

namespace {

// The figure of `shape` from `start` to `end`; with `endIncluded` the end pixel belongs to it
// on each axis where the start is before the end.
MeaDrawing ShapeDrawing(MeaShape shape, Point start, Point end, bool endIncluded) {
    Point corner = end;
    if (endIncluded) {
        if (start.x < end.x) ++corner.x;
        if (start.y < end.y) ++corner.y;
    }
    switch (shape) {
        case MeaShape::kLine:
            return {MeaFigure::kLine, start, {corner.x, end.y}};
        case MeaShape::kRectangle:
            return {MeaFigure::kRectangle, start, corner};
        case MeaShape::kEllipse:
            return {MeaFigure::kEllipse, start, corner};
        case MeaShape::kPath:
            return {MeaFigure::kPolyline, {}, {}};
        default:
            return {};
    }
}

}  // namespace

MeaDrawing StoredDrawing(const CWndCapMeaData& measurement) {
    return ShapeDrawing(measurement.Shape(), measurement.First(), measurement.Last(), true);
}

MeaDrawing CWndCapMea::Drawing(Point end) const {
    if (m_shape == MeaShape::kPath) {
        if (State() == CapState::kTracking && !m_vertices.empty()) {
            return {MeaFigure::kSegment, m_vertices.back(), end};
        }
        return {m_vertices.empty() ? MeaFigure::kNothing : MeaFigure::kPolyline, {}, {}};
    }
    return ShapeDrawing(m_shape, StartCorner(end), end, State() != CapState::kOpen);
}

Rect CWndCapMea::DrawnArea(const MeaDrawing& drawing) const {
    switch (drawing.figure) {
        case MeaFigure::kNothing:
            return {};
        case MeaFigure::kPolyline: {
            Rect box = VertexBounds(m_vertices);
            return {box.left, box.top, box.right + 1, box.bottom + 1};
        }
        default: {
            const Rect box =
                Rect{drawing.from.x, drawing.from.y, drawing.to.x, drawing.to.y}.Normalized();
            return {box.left, box.top, box.right + 1, box.bottom + 1};
        }
    }
}

Rect CWndCapMea::Extent() const {
    if (m_shape == MeaShape::kPath) {
        std::vector<Point> points = m_vertices;
        points.push_back(m_last);
        return VertexBounds(points);
    }
    const Point start = StartCorner(m_last);
    return Rect{start.x, start.y, m_last.x, m_last.y}.Normalized();
}

std::vector<MeaGesture> SpacingGestures(const SpacingCross& cross) {
    const auto line = [](Point from, Point to) {
        return MeaGesture{MeaShape::kLine, MeaFromCenter::kNo, from, from, to, {}};
    };
    const Rect& r = cross.space;
    return {line({cross.at.x, r.top}, {cross.at.x, r.bottom}),
            line({r.left, cross.at.y}, {r.right, cross.at.y})};
}

std::vector<MeaGesture> CWndCapMea::Gestures() const {
    if (m_spacing) return SpacingGestures(*m_spacing);
    return {Gesture()};
}

MeaGesture CWndCapMea::Gesture() const {
    return {m_shape,  FromCenterShape() ? MeaFromCenter::kYes : MeaFromCenter::kNo,
            m_origin, m_first,
            m_last,   m_shape == MeaShape::kPath ? m_vertices : std::vector<Point>{}};
}

void CWndCapMea::Reset() {
    m_origin = m_pressed = m_first = m_last = m_previous = {};
    m_vertices.clear();
    m_spacing.reset();
    m_drawn = {};
}

void CWndCapMea::Start(Point p, KeyState keys) {
    m_origin = m_pressed = m_first = m_last = m_previous = p;
    // What a click measures while snapping shows from the press on.
    if (Snaps() && !IsMultiClick()) Track(p, keys);
}

void CWndCapMea::Track(Point p, KeyState keys) {
    if (keys.shift) {
        switch (m_shape) {
            case MeaShape::kLine:
                p = StraightenedPoint(m_pressed, p);
                break;
            case MeaShape::kPath:
                if (!m_vertices.empty()) p = StraightenedPoint(m_vertices.back(), p);
                break;
            case MeaShape::kRectangle:
            case MeaShape::kEllipse:
                p = SquaredPoint(m_pressed, p);
                break;
            default:
                break;
        }
    }
    m_previous = m_last;
    m_first = m_pressed;
    m_spacing.reset();
    if (Snaps() && !keys.alt && p == m_pressed && !FromCenterShape() &&
        (m_shape == MeaShape::kRectangle || m_shape == MeaShape::kLine)) {
        // A click without a drag: the element's bounds, or the space it was clicked in; for a
        // line the space across the click both ways.
        if (const std::optional<Rect> box = BoxAround(m_picture, p, m_snap.tolerance)) {
            if (m_shape == MeaShape::kLine) {
                m_spacing = SpacingCross{p, *box};
                m_first = {box->left, p.y};
                m_last = {box->right, p.y};
            } else {
                m_first = box->TopLeft();
                m_last = {box->right, box->bottom};
            }
            return;
        }
    }
    if (Snaps() && !keys.alt && m_shape != MeaShape::kPath) {
        // Both ends look for their edge facing the other end as it is now; a center stays
        // where it was pressed.
        const Point end = SnapEndPoint(m_picture, p, m_pressed, m_snap);
        if (!FromCenterShape()) m_first = SnapEndPoint(m_picture, m_pressed, p, m_snap);
        p = end;
    }
    m_last = p;
}

void CWndCapMea::Update(Point, KeyState) {
    // The rubber band: the area of the shape as it was painted gets the veil back, the shape
    // as it is now is drawn (a spacing cross with all of its space).
    const auto both = [](const Rect& a, const Rect& b) {
        if (a.IsEmpty()) return b;
        if (b.IsEmpty()) return a;
        return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
    };
    Rect now = DrawnArea(Drawing(m_last));
    if (m_spacing) {
        const Rect& r = m_spacing->space;
        now = both(now, {r.left, r.top, r.right + 1, r.bottom + 1});
    }
    const Rect changed = both(m_drawn, now);
    m_drawn = now;
    if (!changed.IsEmpty()) Window().Invalidate(CRegion::FromRect(changed), EraseBackground::kYes);
}

void CWndCapMea::AddPoint(Point p) {
    if (m_vertices.size() >= kMaxVertices) {
        Abort(kErrorImplementationLimit);
        return;
    }
    if (!m_vertices.empty() && m_vertices.back() == p) return;
    m_vertices.push_back(p);
    // The polyline grows over what is there.
    Window().Invalidate(CRegion::FromRect({0, 0, m_area.Width(), m_area.Height()}),
                        EraseBackground::kNo);
}

}  // namespace nl
