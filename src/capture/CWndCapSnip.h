#pragma once
#include <vector>

#include "capture/capture_copy.h"
#include "overlay/CRegion.h"
#include "overlay/CWndCap.h"
#include "overlay/edge_snap.h"
#include "platform/IDesktop.h"

namespace nl {

// The overlay of a capture: the shape gestures (drag a rectangle, draw a custom outline,
// point at a window or monitor, or nothing for the whole desktop), the selection they make
// and the parts of the overlay to repaint as it changes. Points are overlay client
// coordinates; the overlay's origin is the top-left corner of the virtual screen.
class CWndCapSnip : public CWndCap {
public:
    // A custom outline holds at most this many points; one more aborts the capture.
    static constexpr std::size_t kMaxVertices = 1001;

    CWndCapSnip(IOverlayWindow& window, MainWindowAfter mainWindow, const IDesktop& desktop,
                CapShape shape)
        : CWndCap(window, mainWindow), m_desktop(desktop), m_shape(shape) {}

    // The overlay's own window, never picked.
    void SetOverlayWindow(WindowId overlay) { m_overlay = overlay; }
    // Snaps the corners of the drag shapes to the edges of `picture` (the screen under the
    // overlay, which must outlive the gesture) while `setting` is on and Alt is not held,
    // so that a sloppy drag around an element selects exactly its pixels.
    void SetSnapping(const SnapPicture& picture, const SnapSetting& setting) {
        m_picture = picture;
        m_snap = setting;
    }

    CapShape Shape() const { return m_shape; }
    // The rectangle the gesture covers in client coordinates: the picked window's, monitor's
    // or the desktop's rectangle; the custom outline's bounding box; for the drag shapes the
    // corners' rectangle with left <= right and top <= bottom, one pixel wider and higher once
    // a gesture is under way (the end pixel counts).
    Rect Selection() const;
    // The pixels the selection covers, in client coordinates: the overlay's holes.
    CRegion SelectionRegion() const { return ShapeRegion(m_shape, Selection(), m_vertices); }
    const std::vector<Point>& Vertices() const { return m_vertices; }
    WindowId PickedWindow() const { return m_picked; }
    // The client coordinates' origin on the screen.
    Point Origin() const { return m_origin; }

protected:
    void Reset() override;
    void SetDesktopRect(const Rect& rect) override;
    void Show() override;
    void Start(Point p, KeyState keys) override;
    void Track(Point p, KeyState keys) override;
    void Update(Point p, KeyState keys) override;

    const IDesktop& Desktop() const { return m_desktop; }

private:
    // The rectangle of the drag from the first corner to `end`.
    Rect DragRect(Point end) const;
    // The selection region before the last change.
    CRegion PreviousRegion() const;
    void PickMonitor(Point screen);
    // Whether another window was picked.
    bool PickWindowAt(Point screen, KeyState keys);

    const IDesktop& m_desktop;
    CapShape m_shape;
    WindowId m_overlay = kNoWindow;
    Point m_origin;
    Point m_pressed;  // where the drag began, before any snapping
    Point m_first;
    Point m_last;
    SnapPicture m_picture;
    SnapSetting m_snap;
    Point m_previous;
    std::vector<Point> m_vertices;
    WindowId m_picked = kNoWindow;
    WindowId m_previousPicked = kNoWindow;
    Rect m_selection;
    Rect m_previousSelection;
};

}  // namespace nl
