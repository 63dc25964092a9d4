#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "model/color_vision.h"
#include "ui/zoom_geometry.h"

class QPainter;

namespace nl {

class IClipboard;
class IDesktop;

// A live, enlarged copy of the desktop around one point. The host sets the centre, the zoom
// factor and whether the centre pixel is marked, then refreshes (on every picking tick) or
// repaints; the control has no input of its own. Each frame grabs exactly the desktop area it
// shows into one of two reused buffers and scales it with nearest-neighbour sampling, so
// every screen pixel is a crisp block. A refresh repaints only when the frame's geometry or
// the desktop pixels under it changed, and grabs only when the desktop's change count for
// the frame's area moved on: a still desktop that tracks changes costs no grab at all. Parts
// of the control past the desktop's edge show the desktop colour; a disabled control shows a
// plain button face. Where the display server can enlarge the live screen itself
// (IDesktop::ServerZoom, X11's RENDER), the frames go to it instead, into a native window of
// the control's own over the image area: the program then reads and scales no pixels.
class CCtrlZoom : public QWidget {
public:
    // The colour shown past the desktop's edge (the classic desktop background).
    static constexpr QRgb kDesktopColor = 0xFF3A6EA5;

    explicit CCtrlZoom(IDesktop& desktop, QWidget* parent = nullptr);

    Point Centre() const { return m_centre; }
    void SetCentre(Point centre) { m_centre = centre; }
    // Percent: 100 shows the screen 1:1.
    int Zoom() const { return m_zoom; }
    void SetZoom(int zoom) { m_zoom = zoom; }
    bool DrawCursorMark() const { return m_drawMark; }
    void SetDrawCursorMark(bool on) { m_drawMark = on; }
    // A one-pixel sunken border around the image (the toolbars' controls have one).
    void SetBorder(bool on);
    // Shows the desktop as seen with a color-vision deficiency; normal vision shows it as it
    // is. While a simulation is on, the control scales the frames itself (the display server
    // cannot filter them). Copies keep the desktop's own pixels.
    void SetColorVision(ColorVision vision, double severity);
    ColorVision Vision() const { return m_vision; }
    // From kGridZoom up, a grid one device pixel wide between the magnified pixels, light
    // over dark pixels and dark over light ones; never in copies. The control then scales
    // the frames itself.
    static constexpr int kGridZoom = 600;
    void SetGrid(bool on);
    bool Grid() const { return m_grid; }
    // The side of the square a pick samples: above 1, a ring dark inside and light outside
    // outlines its magnified pixels around the centre, never in copies.
    void SetSampleSize(int size);
    int SampleSize() const { return m_sampleSize; }
    // The outline's two tones.
    static constexpr QRgb kOutlineDark = 0xFF000000;
    static constexpr QRgb kOutlineLight = 0xFFFFFFFF;

    // The desktop area (virtual-screen pixels) that the last frame showed; empty when the
    // last frame found nothing to show.
    Rect SourceRect() const { return m_source; }
    // The area the image is drawn into: the widget without its border.
    QRect ImageRect() const;

    // Grabs the frame now and repaints when it differs from the one shown; nothing while the
    // control is hidden or disabled.
    void Refresh();
    // The number of paints that showed desktop pixels so far.
    int FramesPainted() const { return m_framesPainted; }

    // Whether a frame shows the inverted block that marks the centre pixel.
    enum class CursorMark { kHidden, kShown };
    // Draws one frame into `dest` of `painter`; false (painting nothing) when the area
    // around the centre is off the desktop or the screen cannot be read.
    bool Render(QPainter& painter, const QRect& dest, CursorMark mark);
    // The image a copy puts on the clipboard: with `stretch` and a zoom other than 100, the
    // image area as shown but without the centre mark; otherwise the shown desktop pixels at
    // 1:1. A null image when nothing is shown or the screen cannot be read.
    QImage CopyImage(bool stretch);
    // Puts CopyImage on `clipboard`; false when there was nothing to put or the clipboard
    // refused it.
    bool CopyToClipboard(IClipboard& clipboard, bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // What decides a frame besides the desktop's pixels.
    struct FrameKey {
        Rect target;  // the image area in device pixels
        Rect screen;  // the virtual screen
        Point centre;
        int zoom = 0;
        CursorMark mark = CursorMark::kHidden;
        int sampleSize = 1;
        int line = 1;  // the outline's width of each tone, in device pixels
        friend bool operator==(const FrameKey&, const FrameKey&) = default;
    };
    FrameKey KeyFor(const QRect& dest, qreal ratio, CursorMark mark) const;
    bool GridShown() const { return m_grid && m_zoom >= kGridZoom; }
    // Scales `source` to `size` pixel by pixel and lays the grid over the block edges.
    void ScaleWithGrid(const QImage& source, QSize size);
    QImage CopyDesktopImage(bool stretch);
    bool GrabInto(QImage& buffer, const Rect& area);
    // Draws `m_grab` as the frame `key` (layout `layout`) into the painter.
    void Draw(QPainter& painter, const FrameKey& key, const ZoomLayout& layout, qreal ratio);
    // Grabs and draws a frame; false when nothing of it is on the desktop or readable.
    bool RenderKey(QPainter& painter, const FrameKey& key, qreal ratio);
    // Whether frames go to the display server now: it can draw them, the desktop is live and
    // the control enabled. Shows or hides the native window accordingly.
    bool UseServer();
    // Sends the frame to the display server when it differs from the one shown, or always
    // with `force` (the native window was exposed). A failed frame is drawn by the widget.
    void ServerFrame(bool force);
    class Surface;

    IDesktop& m_desktop;
    ColorVision m_vision = ColorVision::kNormal;
    bool m_grid = false;
    int m_sampleSize = 1;
    QImage m_gridded;                            // the last frame scaled with its grid
    std::optional<CColorVisionFilter> m_filter;  // set while a simulation is on
    QImage m_filtered;                           // the last grab as the simulation sees it
    Point m_centre;
    int m_zoom = 100;
    bool m_drawMark = true;
    bool m_border = false;
    Rect m_source;
    // The last grab, reused from frame to frame while its size stays, and the buffer the next
    // refresh grabs into to compare with it.
    QImage m_grab;
    QImage m_spare;
    // The frame the last paint showed, if it showed desktop pixels.
    std::optional<FrameKey> m_shown;
    // A refresh put new pixels of the shown frame in m_grab: the next paint draws them as
    // they are instead of grabbing again.
    bool m_grabbedAhead = false;
    // The shown frame's source area and the desktop's change count there at the last refresh
    // that compared its pixels.
    struct Watched {
        Rect area;
        std::optional<std::uint64_t> changes;
        friend bool operator==(const Watched&, const Watched&) = default;
    };
    Watched m_watched;
    int m_framesPainted = 0;
    // The native window the display server draws into, made on first use.
    Surface* m_surface = nullptr;
    // Frames the server refused in a row; after a few the widget draws them for good.
    int m_serverFailures = 0;
};

}  // namespace nl
