#include "ui/qt/CCtrlZoom.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/IClipboard.h"
#include "platform/IDesktop.h"
#include "platform/IServerZoom.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_image.h"
#include "ui/zoom_geometry.h"

namespace nl {
namespace {

// The alpha byte of an opaque pixel: lent screen pixels leave it undefined.
constexpr GrabPixel kOpaque = 0xFF000000u;

const GrabPixel* LentRow(const LentPixels& lent, int y) {
    return lent.pixels + static_cast<std::size_t>(y) * lent.stride;
}

// Whether the lent pixels, made opaque, equal `image` (of the same size).
bool SameAsLent(const LentPixels& lent, const QImage& image) {
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const GrabPixel* from = LentRow(lent, y);
        const auto* to = reinterpret_cast<const GrabPixel*>(image.constScanLine(y));
        GrabPixel differ = 0;
        for (int x = 0; x < width; ++x) differ |= (from[x] | kOpaque) ^ to[x];
        if (differ != 0) return false;
    }
    return true;
}

void CopyLent(const LentPixels& lent, QImage& image) {
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const GrabPixel* from = LentRow(lent, y);
        auto* to = reinterpret_cast<GrabPixel*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) to[x] = from[x] | kOpaque;
    }
}

// Server frames refused in a row before the widget draws every frame itself.
constexpr int kMaxServerFailures = 3;

}  // namespace

// A native window over the control's image area that only the display server draws into:
// Qt paints nothing there, and an exposure asks the control for the frame again.
class CCtrlZoom::Surface final : public QWidget {
public:
    explicit Surface(CCtrlZoom& owner) : QWidget(&owner), m_owner(owner) {
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent*) override { m_owner.ServerFrame(true); }

private:
    CCtrlZoom& m_owner;
};

CCtrlZoom::CCtrlZoom(IDesktop& desktop, QWidget* parent) : QWidget(parent), m_desktop(desktop) {
    // Every pixel is painted each frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CCtrlZoom::SetBorder(bool on) {
    m_border = on;
    update();
}

void CCtrlZoom::SetGrid(bool on) {
    if (m_grid == on) return;
    m_grid = on;
    m_shown.reset();
    update();
}

void CCtrlZoom::SetSampleSize(int size) {
    if (m_sampleSize == size) return;
    m_sampleSize = size;
    m_shown.reset();
    update();
}

void CCtrlZoom::ScaleWithGrid(const QImage& source, QSize size) {
    // Grid pixels: light over dark, dark over light, so the grid reads on any picture.
    constexpr std::uint32_t kLight = 0xFFE0E0E0u;
    constexpr std::uint32_t kDark = 0xFF202020u;
    if (m_gridded.size() != size) m_gridded = QImage(size, QImage::Format_RGB32);
    const int sw = source.width();
    const int sh = source.height();
    const int dw = size.width();
    const int dh = size.height();
    std::vector<int> column(static_cast<std::size_t>(dw));
    for (int x = 0; x < dw; ++x) column[static_cast<std::size_t>(x)] = x * sw / dw;
    for (int y = 0; y < dh; ++y) {
        const int sy = y * sh / dh;
        const bool edgeRow = y > 0 && sy != (y - 1) * sh / dh;
        const auto* from = reinterpret_cast<const std::uint32_t*>(source.constScanLine(sy));
        auto* to = reinterpret_cast<std::uint32_t*>(m_gridded.scanLine(y));
        for (int x = 0; x < dw; ++x) {
            const int sx = column[static_cast<std::size_t>(x)];
            const std::uint32_t pixel = from[sx];
            const bool edge = edgeRow || (x > 0 && sx != column[static_cast<std::size_t>(x - 1)]);
            if (!edge) {
                to[x] = pixel | 0xFF000000u;
                continue;
            }
            // Rec. 601 weights in integers: bright enough pixels get the dark line.
            const std::uint32_t luma =
                (299 * (pixel >> 16 & 0xFF) + 587 * (pixel >> 8 & 0xFF) + 114 * (pixel & 0xFF)) /
                1000;
            to[x] = luma >= 128 ? kDark : kLight;
        }
    }
}

void CCtrlZoom::SetColorVision(ColorVision vision, double severity) {
    m_vision = vision;
    m_filter.emplace(vision, severity);
    if (m_filter->IsIdentity()) m_filter.reset();
    m_shown.reset();
    update();
}

QRect CCtrlZoom::ImageRect() const {
    return m_border ? rect().adjusted(1, 1, -1, -1) : rect();
}

bool CCtrlZoom::GrabInto(QImage& buffer, const Rect& area) {
    const QSize size(area.Width(), area.Height());
    if (buffer.size() != size) buffer = QImage(size, QImage::Format_RGB32);
    if (buffer.isNull()) return false;
    if (const std::optional<LentPixels> lent = m_desktop.GrabLent(area)) {
        CopyLent(*lent, buffer);
        return true;
    }
    const auto stride = static_cast<std::size_t>(buffer.bytesPerLine()) / sizeof(GrabPixel);
    return m_desktop.Grab(area, reinterpret_cast<GrabPixel*>(buffer.bits()), stride);
}

CCtrlZoom::FrameKey CCtrlZoom::KeyFor(const QRect& dest, qreal ratio, CursorMark mark) const {
    // The zoom counts device pixels: one screen pixel covers `zoom` pixels of the display,
    // whatever scale Qt lays the widget out at, so the painting is in device pixels too.
    const QRect device(QPoint(qRound(dest.x() * ratio), qRound(dest.y() * ratio)),
                       QSize(qRound(dest.width() * ratio), qRound(dest.height() * ratio)));
    // Each tone of the outline is about one logical pixel wide, at least one device pixel.
    const int line = std::max(1, qRound(ratio));
    return {ToRect(device), m_desktop.VirtualScreen(), m_centre, m_zoom, mark, m_sampleSize, line};
}

void CCtrlZoom::Draw(QPainter& painter, const FrameKey& key, const ZoomLayout& layout,
                     qreal ratio) {
    const QTransform logical = painter.transform();
    painter.setTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio), true);
    for (const Rect& band : layout.outside) painter.fillRect(ToQRect(band), QColor(kDesktopColor));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage* picture = &m_grab;
    if (m_filter) {
        // The grab is as small as the screen area shown: filtering it costs little.
        if (m_filtered.size() != m_grab.size())
            m_filtered = QImage(m_grab.size(), QImage::Format_RGB32);
        for (int y = 0; y < m_grab.height(); ++y) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(m_grab.constScanLine(y));
            auto* to = reinterpret_cast<std::uint32_t*>(m_filtered.scanLine(y));
            for (int x = 0; x < m_grab.width(); ++x) to[x] = m_filter->ApplyArgb(from[x]);
        }
        picture = &m_filtered;
    }
    if (GridShown()) {
        const QRect dest = ToQRect(layout.dest);
        ScaleWithGrid(*picture, dest.size());
        painter.drawImage(dest.topLeft(), m_gridded);
    } else {
        painter.drawImage(ToQRect(layout.dest), *picture);
    }
    if (key.mark == CursorMark::kShown) {
        const QPainter::CompositionMode old = painter.compositionMode();
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(ToQRect(CentreBlock(key.target, key.zoom)), Qt::black);
        painter.setCompositionMode(old);
    }
    const SampleOutline outline =
        ComputeSampleOutline(layout, key.centre, key.sampleSize, key.screen, key.line);
    for (const Rect& band : outline.dark) painter.fillRect(ToQRect(band), QColor(kOutlineDark));
    for (const Rect& band : outline.light) painter.fillRect(ToQRect(band), QColor(kOutlineLight));
    painter.setTransform(logical);
}

bool CCtrlZoom::RenderKey(QPainter& painter, const FrameKey& key, qreal ratio) {
    const ZoomLayout layout = ComputeZoomLayout(key.target, key.centre, key.zoom, key.screen);
    m_source = layout.clipped;
    if (!layout.drawn || !GrabInto(m_grab, layout.clipped)) return false;
    Draw(painter, key, layout, ratio);
    return true;
}

bool CCtrlZoom::Render(QPainter& painter, const QRect& dest, CursorMark mark) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    // The grab replaces the shown frame's pixels: the next refresh repaints.
    m_shown.reset();
    return RenderKey(painter, KeyFor(dest, ratio, mark), ratio);
}

bool CCtrlZoom::UseServer() {
    const bool use = isEnabled() && !m_filter && !GridShown() &&
                     m_serverFailures < kMaxServerFailures && m_desktop.ServerZoom() != nullptr &&
                     !m_desktop.IsFrozen();
    if (use && !m_surface) m_surface = new Surface(*this);
    if (m_surface) {
        m_surface->setGeometry(ImageRect());
        m_surface->setVisible(use);
    }
    return use;
}

void CCtrlZoom::ServerFrame(bool force) {
    IServerZoom* server = m_desktop.ServerZoom();
    if (!server || !m_surface) return;
    const FrameKey key = KeyFor(ImageRect(), devicePixelRatioF(),
                                m_drawMark ? CursorMark::kShown : CursorMark::kHidden);
    const ZoomLayout layout = ComputeZoomLayout(key.target, key.centre, key.zoom, key.screen);
    m_source = layout.clipped;
    if (!layout.drawn) return;
    // A frame of a new geometry is sent without asking for the area's changes (which would
    // wait for the server); its first still refresh learns them and sends it once more.
    Watched now{layout.clipped, std::nullopt};
    if (!force && m_shown == key) {
        now.changes = m_desktop.ChangeCount(layout.clipped);
        if (m_watched == now) return;
    }
    // The native window's origin is the image area's corner.
    const auto local = [&key](Rect r) {
        r.Offset(-key.target.left, -key.target.top);
        return r;
    };
    IServerZoom::Frame frame;
    frame.window = static_cast<WindowId>(m_surface->winId());
    frame.source = layout.clipped;
    frame.dest = local(layout.dest);
    for (const Rect& band : layout.outside) frame.fill.push_back(local(band));
    frame.fillColor = kDesktopColor & 0xFFFFFFu;
    if (key.mark == CursorMark::kShown) frame.invert = local(CentreBlock(key.target, key.zoom));
    const SampleOutline outline =
        ComputeSampleOutline(layout, key.centre, key.sampleSize, key.screen, key.line);
    if (!outline.dark.empty()) {
        IServerZoom::Frame::Paint& dark = frame.over.emplace_back();
        for (const Rect& band : outline.dark) dark.rects.push_back(local(band));
        dark.color = kOutlineDark & 0xFFFFFFu;
        IServerZoom::Frame::Paint& light = frame.over.emplace_back();
        for (const Rect& band : outline.light) light.rects.push_back(local(band));
        light.color = kOutlineLight & 0xFFFFFFu;
    }
    if (!server->Draw(frame)) {
        // Drawn by the widget this time; after a few refusals always.
        ++m_serverFailures;
        m_shown.reset();
        m_surface->hide();
        update();
        return;
    }
    m_serverFailures = 0;
    m_shown = key;
    m_watched = now;
    ++m_framesPainted;
}

void CCtrlZoom::Refresh() {
    if (!isVisible() || !isEnabled()) return;
    if (UseServer()) {
        ServerFrame(false);
        return;
    }
    const FrameKey key = KeyFor(ImageRect(), devicePixelRatioF(),
                                m_drawMark ? CursorMark::kShown : CursorMark::kHidden);
    if (!m_shown || *m_shown != key) {
        update();  // another frame: the paint grabs it
        return;
    }
    // The same frame: nothing to grab while the desktop reports no change in its area.
    const std::uint64_t changes = m_desktop.ChangeCount(m_source);
    if (std::exchange(m_watched, Watched{m_source, changes}) == Watched{m_source, changes}) return;
    // Repaint only when its pixels changed. Lent pixels compare where they lie and are
    // copied only when they differ.
    if (m_grab.size() == QSize(m_source.Width(), m_source.Height())) {
        if (const std::optional<LentPixels> lent = m_desktop.GrabLent(m_source)) {
            if (SameAsLent(*lent, m_grab)) return;
            CopyLent(*lent, m_grab);
            m_grabbedAhead = true;
            update();
            return;
        }
    }
    // Both buffers have the frame's size and format, so their bytes compare as they are.
    if (!GrabInto(m_spare, m_source)) {
        update();
        return;
    }
    if (m_spare.sizeInBytes() == m_grab.sizeInBytes() &&
        std::memcmp(m_spare.constBits(), m_grab.constBits(),
                    static_cast<std::size_t>(m_grab.sizeInBytes())) == 0)
        return;
    std::swap(m_spare, m_grab);
    m_grabbedAhead = true;
    update();
}

QImage CCtrlZoom::CopyImage(bool stretch) {
    // A copy holds the desktop's pixels, without a simulation, the grid or the outline.
    const std::optional<CColorVisionFilter> filter = std::exchange(m_filter, std::nullopt);
    const bool grid = std::exchange(m_grid, false);
    const int sampleSize = std::exchange(m_sampleSize, 1);
    QImage image = CopyDesktopImage(stretch);
    m_filter = filter;
    m_grid = grid;
    m_sampleSize = sampleSize;
    return image;
}

QImage CCtrlZoom::CopyDesktopImage(bool stretch) {
    if (stretch && m_zoom != kZoomUnit) {
        // As large as the image on the display, in device pixels.
        const QSize area = ImageRect().size() * devicePixelRatioF();
        QImage image(area, QImage::Format_RGB32);
        image.fill(QColor(kDesktopColor));
        QPainter painter(&image);
        if (!Render(painter, QRect(QPoint(0, 0), area), CursorMark::kHidden)) return {};
        return image;
    }
    m_shown.reset();  // the grab replaces the shown frame's pixels
    if (m_source.IsEmpty() || !GrabInto(m_grab, m_source)) return {};
    return m_grab.copy();
}

bool CCtrlZoom::CopyToClipboard(IClipboard& clipboard, bool stretch) {
    const QImage image = CopyImage(stretch);
    if (image.isNull()) return false;
    return clipboard.SetImage(ToBitmapImage(image)) == 0;
}

void CCtrlZoom::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_border) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (UseServer()) return;  // the native window shows the frames
    const bool grabbedAhead = std::exchange(m_grabbedAhead, false);
    const std::optional<FrameKey> previous = std::exchange(m_shown, std::nullopt);
    if (!isEnabled()) {
        painter.fillRect(ImageRect(), palette().color(QPalette::Button));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const FrameKey key =
        KeyFor(ImageRect(), ratio, m_drawMark ? CursorMark::kShown : CursorMark::kHidden);
    if (grabbedAhead && previous == key) {
        // A refresh has just grabbed this frame's new pixels: draw them as they are.
        Draw(painter, key, ComputeZoomLayout(key.target, key.centre, key.zoom, key.screen), ratio);
    } else if (!RenderKey(painter, key, ratio)) {
        return;
    }
    m_shown = key;
    ++m_framesPainted;
}

void CCtrlZoom::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_surface) m_surface->setGeometry(ImageRect());
}

void CCtrlZoom::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace nl
