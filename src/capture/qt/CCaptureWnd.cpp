#include "capture/qt/CCaptureWnd.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include "capture/CCapturedImageStore.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"

namespace nl {
namespace {

// The capture cursor's picture: a cross hair with a gap around the hot spot.
constexpr int kCursorGap = 3;

// The drawn rectangle of a selection in client pixels.
QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace

CCaptureWnd::CCaptureWnd(AppContext& context, IPickCountdown& countdown, CapShape shape,
                         OverlayBackdrop backdrop, std::function<void(const OverlayEnd&)> ended)
    : COverlayWnd(context.desktop, context.windowSystem, backdrop, {kClassName, kWindowName}),
      m_countdown(countdown, *this),
      m_capture(
          *this,
          CCapture::Services{
              context.desktop, context.prefs, context.clipboard, context.sound, m_countdown,
              [&desktop = context.desktop] { return desktop.CurrentCursor(); },
              [&store = context.capturedImage](const BitmapImage& image) { store.Set(image); }},
          shape) {
    setCursor(CaptureCursor());
    Attach(m_capture, std::move(ended));
    m_snap = StoredSnapSetting(context.prefs);
    if (m_snap.on && IsDragShape(shape)) KeepDesktopPicture();
}

void CCaptureWnd::Created(WindowId window) {
    m_capture.SetOverlayWindow(window);
    m_capture.SetSnapping(DesktopPicture(), m_snap);
}

void CCaptureWnd::OverlayCountdown::ShowCountdown(const std::string& text) {
    m_inner.ShowCountdown(text);
    m_window.SetNotice(text);
    m_window.RepaintNow();
}

void CCaptureWnd::PaintSelection(QPainter& painter, const QBrush& hole) {
    const Rect selection = m_capture.Selection();
    painter.setPen(Qt::NoPen);
    painter.setBrush(hole);
    switch (m_capture.Shape()) {
        case CapShape::kRoundRect:
            if (selection.IsEmpty()) return;
            painter.drawRoundedRect(ToQRect(selection), kCaptureCorner.cx / 2.0,
                                    kCaptureCorner.cy / 2.0);
            return;
        case CapShape::kEllipse:
            if (selection.IsEmpty()) return;
            painter.drawEllipse(ToQRect(selection));
            return;
        case CapShape::kCustom: {
            QPolygon outline;
            for (const Point& p : m_capture.Vertices()) outline << QPoint(p.x, p.y);
            if (m_capture.State() == CapState::kFinished) {
                painter.drawPolygon(outline, Qt::WindingFill);
            } else {
                DrawTwoTone(painter, [&] { painter.drawPolyline(outline); });
            }
            return;
        }
        default:
            if (!selection.IsEmpty()) painter.fillRect(ToQRect(selection), hole);
            return;
    }
}

QCursor CaptureCursor() {
    return CrossHairCursor(kCursorGap, 0);
}

}  // namespace nl
