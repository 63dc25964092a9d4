#include "ui/qt/CCtrlZoom.h"

#include <QEvent>
#include <QPainter>

#include "ui/zoom_geometry.h"
#include "platform/IClipboard.h"
#include "platform/IDesktop.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_image.h"

namespace nl {

CCtrlZoom::CCtrlZoom(IDesktop& desktop, QWidget* parent) : QWidget(parent), m_desktop(desktop) {
    // Every pixel is painted each frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CCtrlZoom::SetBorder(bool on) {
    m_border = on;
    update();
}

QRect CCtrlZoom::ImageRect() const {
    return m_border ? rect().adjusted(1, 1, -1, -1) : rect();
}

bool CCtrlZoom::GrabInto(const Rect& area) {
    const QSize size(area.Width(), area.Height());
    if (m_grab.size() != size) m_grab = QImage(size, QImage::Format_RGB32);
    if (m_grab.isNull()) return false;
    const auto stride = static_cast<std::size_t>(m_grab.bytesPerLine()) / sizeof(GrabPixel);
    return m_desktop.Grab(area, reinterpret_cast<GrabPixel*>(m_grab.bits()), stride);
}

bool CCtrlZoom::Render(QPainter& painter, const QRect& dest, CursorMark mark) {
    // The zoom counts device pixels: one screen pixel covers `zoom` pixels of the display,
    // whatever scale Qt lays the widget out at, so the painting is in device pixels too.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect device(QPoint(qRound(dest.x() * ratio), qRound(dest.y() * ratio)),
                       QSize(qRound(dest.width() * ratio), qRound(dest.height() * ratio)));
    const Rect target = ToRect(device);
    const ZoomLayout layout =
        ComputeZoomLayout(target, m_centre, m_zoom, m_desktop.VirtualScreen());
    m_source = layout.clipped;
    if (!layout.drawn) return false;
    if (!GrabInto(layout.clipped)) return false;
    const QTransform logical = painter.transform();
    painter.setTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio), true);
    for (const Rect& band : layout.outside) painter.fillRect(ToQRect(band), QColor(kDesktopColor));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(ToQRect(layout.dest), m_grab);
    if (mark == CursorMark::kShown) {
        const QPainter::CompositionMode old = painter.compositionMode();
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(ToQRect(CentreBlock(target, m_zoom)), Qt::black);
        painter.setCompositionMode(old);
    }
    painter.setTransform(logical);
    return true;
}

QImage CCtrlZoom::CopyImage(bool stretch) {
    if (stretch && m_zoom != kZoomUnit) {
        // As large as the image on the display, in device pixels.
        const QSize area = ImageRect().size() * devicePixelRatioF();
        QImage image(area, QImage::Format_RGB32);
        image.fill(QColor(kDesktopColor));
        QPainter painter(&image);
        if (!Render(painter, QRect(QPoint(0, 0), area), CursorMark::kHidden)) return {};
        return image;
    }
    if (m_source.IsEmpty() || !GrabInto(m_source)) return {};
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
    if (!isEnabled()) {
        painter.fillRect(ImageRect(), palette().color(QPalette::Button));
        return;
    }
    Render(painter, ImageRect(), m_drawMark ? CursorMark::kShown : CursorMark::kHidden);
}

void CCtrlZoom::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace nl
