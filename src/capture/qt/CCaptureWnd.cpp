#include "capture/qt/CCaptureWnd.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/CCapturedImageStore.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"
#include "platform/IDialogs.h"

namespace nl {
namespace {

// The capture cursor's picture: a cross hair with a gap around the hot spot.
constexpr int kCursorSize = 32;
constexpr int kCursorHotSpot = 15;
constexpr int kCursorGap = 3;
constexpr int kCursorOutline = 3;

// The drawn rectangle of a selection in client pixels.
QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace

CCaptureWnd::CCaptureWnd(AppContext& context, IViewHost& host, CapShape shape,
                         OverlayBackdrop backdrop, std::function<void(const OverlayEnd&)> ended)
    : COverlayWnd(context.desktop, backdrop, {kClassName, kWindowName}),
      m_capture(*this,
                CCapture::Services{context.desktop, context.prefs, context.clipboard,
                                   context.sound, host.Countdown(),
                                   [&desktop = context.desktop] { return desktop.CurrentCursor(); },
                                   [&store = context.capturedImage](const BitmapImage& image) {
                                       store.Set(image);
                                   }},
                shape) {
    setCursor(CaptureCursor());
    Attach(m_capture, std::move(ended));
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
                painter.setPen(QPen(LineColor(), 1, Qt::DotLine));
                painter.drawPolyline(outline);
            }
            return;
        }
        default:
            if (!selection.IsEmpty()) painter.fillRect(ToQRect(selection), hole);
            return;
    }
}

QCursor CaptureCursor() {
    QPixmap picture(kCursorSize, kCursorSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int c = kCursorHotSpot;
    const int end = kCursorSize - 1;
    // A white outline under black lines shows on dark and light desktops alike.
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), kCursorOutline},
                                       std::pair{QColor(Qt::black), 1}}) {
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPoint(c, 1), QPoint(c, c - kCursorGap));
        painter.drawLine(QPoint(c, c + kCursorGap), QPoint(c, end - 1));
        painter.drawLine(QPoint(1, c), QPoint(c - kCursorGap, c));
        painter.drawLine(QPoint(c + kCursorGap, c), QPoint(end - 1, c));
    }
    painter.end();
    return QCursor(picture, kCursorHotSpot, kCursorHotSpot);
}

void ShowSystemError(IDialogs& dialogs, std::uint32_t code) {
    dialogs.MessageBox(FormatSystemError(code), LoadString(kIdsAppTitle), MsgButtons::kOk,
                       MsgIcon::kWarning);
}

}  // namespace nl
