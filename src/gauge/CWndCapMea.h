#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "document/CWndCapMeaData.h"
#include "overlay/CWndCap.h"
#include "overlay/edge_snap.h"

namespace nl {

// What the overlay draws for a measurement with a given end point.
enum class MeaFigure { kNothing, kLine, kRectangle, kEllipse, kSegment, kPolyline };

// A figure to draw: a line from `from` to `to`, a rectangle or ellipse in the box of
// pixels from `from` up to but not including `to` (after normalising), the path's segment
// from `from` to `to`, or the polyline through the overlay's vertices.
struct MeaDrawing {
    MeaFigure figure = MeaFigure::kNothing;
    Point from;
    Point to;
    friend bool operator==(const MeaDrawing&, const MeaDrawing&) = default;
};

// A line clicked without a drag while snapping: the free space around the clicked pixel
// `at`, to the nearest edge on its left, right, above and below (BoxAround); measured as a
// horizontal and a vertical line across it.
struct SpacingCross {
    Point at;
    Rect space;
    friend bool operator==(const SpacingCross&, const SpacingCross&) = default;
};

// The measuring overlay: a line, rectangle or ellipse dragged out (the last two also from
// their center), or a path clicked out vertex by vertex and finished by a double-click.
// Shift makes lines and path segments horizontal or vertical and rectangles and ellipses
// square or round. Points are overlay client coordinates (origin at the top-left corner
// of the virtual screen).
class CWndCapMea : public CWndCap {
public:
    // A path holds at most this many vertices; a further click aborts the measurement.
    static constexpr std::size_t kMaxVertices = CWndCapMeaData::kMaxPoints;

    CWndCapMea(IOverlayWindow& window, MainWindowAfter mainWindow, MeaShape shape,
               MeaFromCenter fromCenter);

    // Takes a stored measurement as finished (state 2), for showing it: its last point is
    // the previous last point too.
    void ShowStored(const CWndCapMeaData& data);

    // Snaps the ends of lines, rectangles and ellipses to the edges of `picture` (the screen
    // under the overlay, which must outlive the gesture) while `setting` is on and Alt is
    // not held: each end lands on the edge it is near, so the figures give the element's size.
    // A shape from its center snaps its dragged corner only. A rectangle clicked without a
    // drag measures the box around the click (BoxAround): an element's bounds, or a space; a
    // line clicked so measures the spacing cross there.
    void SetSnapping(const SnapPicture& picture, const SnapSetting& setting) {
        m_picture = picture;
        m_snap = setting;
    }
    bool Snaps() const { return m_snap.on && m_picture.pixels != nullptr; }

    // Measurements shown on the overlay beside the one under way (those kept before).
    void SetShown(std::vector<CWndCapMeaData> shown) { m_shown = std::move(shown); }
    const std::vector<CWndCapMeaData>& Shown() const { return m_shown; }

    MeaShape Shape() const { return m_shape; }
    MeaFromCenter FromCenter() const { return m_fromCenter; }
    const Point& First() const { return m_first; }
    const Point& Last() const { return m_last; }
    const Point& PreviousLast() const { return m_previous; }
    const std::vector<Point>& Vertices() const { return m_vertices; }
    // The client coordinates' origin on the screen.
    Point ScreenOrigin() const { return m_area.TopLeft(); }

    // The shape drawn with end point `end`: from the start corner (for a rectangle or ellipse
    // from the center, the mirror of `end` through it), the end pixel included on each axis
    // where the start is before the end once a gesture is under way; for a path the segment
    // from the last vertex while clicking, otherwise the polyline.
    MeaDrawing Drawing(Point end) const;
    MeaDrawing Drawing() const { return Drawing(m_last); }
    // The pixels a drawing touches, for repainting.
    Rect DrawnArea(const MeaDrawing& drawing) const;
    // The measured extent in client pixels: from the start corner to the end point with
    // left <= right and top <= bottom; for a path the box around the vertices and the cursor.
    Rect Extent() const;
    // The gesture as the document stores it.
    MeaGesture Gesture() const;
    // The spacing cross of a line clicked without a drag, while that click holds the mouse or
    // once it finished.
    const std::optional<SpacingCross>& Spacing() const { return m_spacing; }
    // The gestures the document stores: the one gesture, or the spacing cross's lines.
    std::vector<MeaGesture> Gestures() const;

protected:
    void Reset() override;
    void SetDesktopRect(const Rect& rect) override { m_area = rect; }
    void Show() override { Window().Show(); }
    bool IsMultiClick() const override { return m_shape == MeaShape::kPath; }
    void Start(Point p, KeyState keys) override;
    void Track(Point p, KeyState keys) override;
    void Update(Point p, KeyState keys) override;
    void AddPoint(Point p) override;

private:
    bool FromCenterShape() const;
    Point StartCorner(Point end) const;

    MeaShape m_shape;
    MeaFromCenter m_fromCenter;
    SnapPicture m_picture;
    SnapSetting m_snap;
    Rect m_area;
    std::vector<CWndCapMeaData> m_shown;
    Point m_origin;
    Point m_pressed;  // where the gesture began, before any snapping
    Point m_first;
    Point m_last;
    Point m_previous;
    std::vector<Point> m_vertices;
    std::optional<SpacingCross> m_spacing;
    Rect m_drawn;  // what the last update painted
};

// The spacing cross's lines, vertical and then horizontal (the gap beside an element, which
// auto-copy then copies), from edge to edge (the first pixel of the space to the first past
// it), as gestures of the Gauge's line.
std::vector<MeaGesture> SpacingGestures(const SpacingCross& cross);

// How a stored measurement is drawn, as the overlay drew it when it finished (a path as its
// polyline through the record's vertices).
MeaDrawing StoredDrawing(const CWndCapMeaData& measurement);

// The point a Shift-held line or path segment from `anchor` goes to: horizontal while the
// cursor is less than 45 degrees off the horizontal, vertical otherwise (45 included).
Point StraightenedPoint(Point anchor, Point cursor);
// The point a Shift-held rectangle or ellipse from `anchor` goes to: the square's corner
// along the shorter offset.
Point SquaredPoint(Point anchor, Point cursor);

}  // namespace nl
