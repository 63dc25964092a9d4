#include "capture/CWndCapSnip.h"

#include <algorithm>
#include <cstdlib>

#include "base/monitor_layout.h"

namespace nl {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

Rect Moved(Rect rect, int dx, int dy) {
    rect.Offset(dx, dy);
    return rect;
}

}  // namespace

Rect CWndCapSnip::DragRect(Point end) const {
    Rect rect = Rect{m_first.x, m_first.y, end.x, end.y}.Normalized();
    if (State() != CapState::kOpen) {
        ++rect.right;
        ++rect.bottom;
    }
    return rect;
}

Rect CWndCapSnip::Selection() const {
    if (IsDragShape(m_shape)) return DragRect(m_last);
    if (m_shape == CapShape::kCustom) return VertexBounds(m_vertices);
    return m_selection;
}

CRegion CWndCapSnip::PreviousRegion() const {
    if (IsDragShape(m_shape)) return ShapeRegion(m_shape, DragRect(m_previous), {});
    return CRegion::FromRect(m_previousSelection);
}

void CWndCapSnip::Reset() {
    m_pressed = m_first = m_last = m_previous = {};
    m_vertices.clear();
    m_picked = m_previousPicked = kNoWindow;
    m_selection = m_previousSelection = {};
}

void CWndCapSnip::SetDesktopRect(const Rect& rect) {
    m_origin = rect.TopLeft();
    if (m_shape != CapShape::kDesktop) return;
    m_selection = Moved(rect, -rect.left, -rect.top);
    SetState(CapState::kFinished);
}

void CWndCapSnip::Show() {
    if (m_shape != CapShape::kDesktop) {
        Window().Show();
        return;
    }
    Window().RepaintNow();
    RunFinish();
}

void CWndCapSnip::Start(Point p, KeyState) {
    m_pressed = m_first = m_last = m_previous = p;
}

void CWndCapSnip::Track(Point p, KeyState keys) {
    if (keys.shift && IsDragShape(m_shape)) {
        const int dx = p.x - m_pressed.x;
        const int dy = p.y - m_pressed.y;
        const int m = std::min(std::abs(dx), std::abs(dy));
        p = {m_pressed.x + m * Sign(dx), m_pressed.y + m * Sign(dy)};
    }
    m_previous = m_last;
    m_first = m_pressed;
    if (m_snap.on && m_picture.pixels != nullptr && !keys.alt && IsDragShape(m_shape)) {
        // The snapped ends lie on the edges: the element's first pixel and the first one past
        // it. The selection takes its end pixel in, so its far corner is the last pixel inside.
        const auto snap = [this, p](Axis axis, int& near, int& far) {
            const Point end = p;
            const std::optional<int> a = SnapCoordinate(m_picture, m_pressed, end, axis, m_snap);
            const std::optional<int> b = SnapCoordinate(m_picture, end, m_pressed, axis, m_snap);
            int from = axis == Axis::kX ? m_pressed.x : m_pressed.y;
            int to = axis == Axis::kX ? end.x : end.y;
            const bool forward = from <= to;
            from = a.value_or(from);
            to = b.value_or(to);
            // A snapped far end is the first pixel past the element: the last one inside it
            // is the selection's corner, which takes its pixel in.
            if (forward) {
                if (b) --to;
            } else if (a) {
                --from;
            }
            near = std::min(from, to);
            far = std::max(from, to);
        };
        snap(Axis::kX, m_first.x, p.x);
        snap(Axis::kY, m_first.y, p.y);
    }
    m_last = p;
    if (m_shape != CapShape::kCustom) return;
    if (m_vertices.size() >= kMaxVertices) {
        Abort(kErrorImplementationLimit);
        return;
    }
    m_vertices.push_back(p);
}

void CWndCapSnip::PickMonitor(Point screen) {
    const std::vector<MonitorInfo> monitors = m_desktop.Monitors();
    const auto nearest = NearestMonitor(monitors, {screen.x, screen.y, screen.x + 1, screen.y + 1});
    const Rect rect =
        nearest ? monitors[*nearest].monitor : m_desktop.WindowRect(m_desktop.DesktopWindow());
    m_previousSelection = m_selection;
    m_selection = Moved(rect, -m_origin.x, -m_origin.y);
}

bool CWndCapSnip::PickWindowAt(Point screen, KeyState keys) {
    const WindowId window = PickWindow(m_desktop, screen, m_overlay, keys);
    if (window == kNoWindow || window == m_picked) return false;
    m_previousSelection = m_selection;
    m_previousPicked = m_picked;
    m_picked = window;
    m_selection = Moved(m_desktop.WindowRect(window), -m_origin.x, -m_origin.y);
    return true;
}

void CWndCapSnip::Update(Point p, KeyState keys) {
    const Point screen{p.x + m_origin.x, p.y + m_origin.y};
    switch (m_shape) {
        case CapShape::kDesktop:
            return;
        case CapShape::kCustom: {
            // The outline grows by the segment from the previous point to the last one.
            const Rect segment = Rect{m_previous.x, m_previous.y, m_last.x, m_last.y}.Normalized();
            Window().Invalidate(CRegion::FromRect({segment.left, segment.top, segment.right + 1,
                                                   segment.bottom + 1}),
                                EraseBackground::kNo);
            return;
        }
        case CapShape::kMonitor:
            PickMonitor(screen);
            break;
        case CapShape::kWindow:
            if (!PickWindowAt(screen, keys)) return;
            break;
        default:
            break;
    }
    const CRegion before = PreviousRegion();
    const CRegion now = SelectionRegion();
    const CRegion uncovered = before.Subtract(now);
    const CRegion covered = now.Subtract(before);
    if (!uncovered.IsEmpty()) Window().Invalidate(uncovered, EraseBackground::kYes);
    if (!covered.IsEmpty()) Window().Invalidate(covered, EraseBackground::kNo);
}

}  // namespace nl
