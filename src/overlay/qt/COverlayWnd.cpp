#include "overlay/qt/COverlayWnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <utility>

#include "base/virtual_keys.h"
#include "overlay/CRegion.h"
#include "overlay/qt/device_ratio.h"
#include "overlay/qt/settle_events.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/screen_pixels.h"
#include "ui/qt/qt_keys.h"

namespace nl {
namespace {

COverlayWnd* g_current = nullptr;

KeyState Keys(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
}

// The virtual key of a pressed key; the modifier keys by themselves included.
std::uint32_t VirtualKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Shift:
            return kVkShift;
        case Qt::Key_Control:
            return kVkControl;
        default:
            return VirtualKeyFromQtKey(event.key(), event.modifiers());
    }
}

}  // namespace

COverlayWnd::COverlayWnd(IDesktop& desktop, IWindowSystem& windows, OverlayBackdrop backdrop,
                         OverlayNames names)
    : QWidget(nullptr, Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint | Qt::Tool),
      m_desktop(desktop),
      m_windows(windows),
      // Where the desktop does not follow the pointer the overlay shows the picture the desktop
      // gives (the frozen screen while that is up): its pointer positions are its own.
      m_backdrop(desktop.FollowsPointer() ? backdrop : OverlayBackdrop::kSnapshot),
      m_names(std::move(names)) {
    if (m_backdrop == OverlayBackdrop::kTranslucent) setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromStdString(m_names.windowName));
}

COverlayWnd::~COverlayWnd() {
    if (g_current == this) g_current = nullptr;
}

COverlayWnd* COverlayWnd::Current() {
    return g_current;
}

OverlayBackdrop COverlayWnd::DisplayBackdrop(const IWindowSystem& windows) {
    return windows.BlendsTranslucentWindows() ? OverlayBackdrop::kTranslucent
                                              : OverlayBackdrop::kSnapshot;
}

QColor COverlayWnd::LineColor() {
    // Nearly black: pure black would read as a hole.
    return QColor(1, 1, 1);
}

void COverlayWnd::Attach(CWndCap& overlay, std::function<void(const OverlayEnd&)> ended) {
    m_overlay = &overlay;
    m_ended = std::move(ended);
}

bool COverlayWnd::Open(const Rect& virtualScreen, const Rect& desktopWindow) {
    m_area = m_overlay->Prepare(virtualScreen, desktopWindow);
    if (m_backdrop == OverlayBackdrop::kSnapshot) {
        // The windows hidden for the overlay leave the screen before the snapshot; a frozen
        // screen is the snapshot already.
        if (!m_desktop.IsFrozen()) SettleEvents(kSettleMs);
        QImage snapshot = SharedPixelsImage(m_area.Width(), m_area.Height());
        const auto stride = static_cast<std::size_t>(snapshot.bytesPerLine() / 4);
        if (!snapshot.isNull() &&
            m_desktop.Grab(m_area, reinterpret_cast<GrabPixel*>(snapshot.bits()), stride)) {
            m_snapshot = std::move(snapshot);
        }
    }
    setGeometry(LogicalRect(m_area));
    winId();
    if (!windowHandle()) {
        m_overlay->CreationFailed(kErrorInvalidWindowHandle);
        return false;
    }
    m_windows.SetWindowClass(static_cast<WindowId>(winId()), m_names.className, m_names.className);
    Created(static_cast<WindowId>(winId()));
    g_current = this;
    m_overlay->Open();
    return true;
}

void COverlayWnd::Show() {
    // A Wayland compositor places a client's window on the screen's pixels only as full
    // screen; elsewhere the window covers the area it was given.
    if (!m_desktop.WindowRules().placesWindows)
        showFullScreen();
    else
        show();
    raise();
    activateWindow();
    grabKeyboard();
}

void COverlayWnd::Hide() {
    if (!isVisible()) return;
    releaseKeyboard();
    hide();
    // The copy must show the desktop, not the veil.
    SettleEvents(kSettleMs);
}

void COverlayWnd::ShowFor(int milliseconds) {
    RepaintNow();
    SettleEvents(milliseconds);
    releaseKeyboard();
    hide();
}

void COverlayWnd::RepaintNow() {
    if (isVisible()) repaint();
}

void COverlayWnd::Invalidate(const CRegion& region, EraseBackground) {
    // Every paint lays the veil first, so erasing needs nothing more.
    const Rect box = region.BoundingBox();
    const Point origin = m_area.TopLeft();
    update(LogicalRect({box.left + origin.x, box.top + origin.y, box.right + origin.x,
                        box.bottom + origin.y})
               .translated(-pos())
               .adjusted(-1, -1, 1, 1));
}

void COverlayWnd::GrabMouse() {
    if (isVisible()) grabMouse();
}

void COverlayWnd::ReleaseMouse() {
    releaseMouse();
}

void COverlayWnd::End(const OverlayEnd& end) {
    m_ending = true;
    if (g_current == this) g_current = nullptr;
    releaseKeyboard();
    releaseMouse();
    hide();
    if (m_ended) m_ended(end);
    deleteLater();
}

Point COverlayWnd::ClientPoint(const QMouseEvent* event) const {
    // The window's own position of the pointer, in device pixels from its corner: a desktop
    // that does not follow the pointer gives no global position to go by. The window-relative
    // position keeps its fraction (the widget position is rounded to Qt's pixels), so that at
    // any scale every device pixel can be a point, not only every second one.
    const QPointF local = event->scenePosition();
    const qreal ratio = DeviceRatio(*this, m_area);
    return {DevicePixelAt(local.x(), ratio), DevicePixelAt(local.y(), ratio)};
}

void COverlayWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = DeviceRatio(*this, m_area);
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QRect all(0, 0, m_area.Width(), m_area.Height());
    const QColor veil(kVeilGray, kVeilGray, kVeilGray, kVeilAlpha);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QBrush hole(Qt::transparent);
    if (m_backdrop == OverlayBackdrop::kSnapshot) {
        // An opaque window: the desktop as it was, dimmed; holes show it as it was.
        if (m_snapshot.isNull()) {
            painter.fillRect(all, QColor(kVeilGray, kVeilGray, kVeilGray));
        } else {
            painter.drawImage(0, 0, m_snapshot);
            hole = QBrush(m_snapshot);
        }
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillRect(all, veil);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    } else {
        painter.fillRect(all, veil);
    }
    PaintSelection(painter, hole);
}

void COverlayWnd::mousePressEvent(QMouseEvent* event) {
    if (m_overlay && event->button() == Qt::LeftButton) {
        m_overlay->OnLeftDown(ClientPoint(event), Keys(event->modifiers()));
    }
}

void COverlayWnd::mouseMoveEvent(QMouseEvent* event) {
    if (m_overlay) m_overlay->OnMouseMove(ClientPoint(event), Keys(event->modifiers()));
}

void COverlayWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_overlay) return;
    if (event->button() == Qt::LeftButton) {
        m_overlay->OnLeftUp(ClientPoint(event), Keys(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        m_overlay->OnRightUp();
    }
}

void COverlayWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_overlay && event->button() == Qt::LeftButton) {
        m_overlay->OnLeftDoubleClick(ClientPoint(event), Keys(event->modifiers()));
    }
}

void COverlayWnd::keyPressEvent(QKeyEvent* event) {
    if (!m_overlay) return;
    m_overlay->OnKeyDown(VirtualKey(*event));
}

bool COverlayWnd::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            m_activated = true;
            break;
        case QEvent::WindowDeactivate:
            // Only a loss of the activation the overlay had counts: an unmanaged window may
            // never be activated at all.
            if (m_activated && m_overlay && !m_ending) m_overlay->OnDeactivated();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

bool COverlayWnd::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const std::string_view type(eventType.constData(), static_cast<std::size_t>(eventType.size()));
    if (m_overlay && !m_ending && m_windows.IsGrabLoss(type, message)) m_overlay->OnCaptureLost();
    return QWidget::nativeEvent(eventType, message, result);
}

QCursor CrossHairCursor(int gap, int markEvery) {
    constexpr int kSize = 32;
    constexpr int kHotSpot = 15;
    constexpr int kOutline = 3;
    constexpr int kMarkLength = 2;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int c = kHotSpot;
    const int end = kSize - 1;
    for (const auto& [color, width] :
         {std::pair{QColor(Qt::white), kOutline}, std::pair{QColor(Qt::black), 1}}) {
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPoint(c, 1), QPoint(c, c - gap));
        painter.drawLine(QPoint(c, c + gap), QPoint(c, end - 1));
        painter.drawLine(QPoint(1, c), QPoint(c - gap, c));
        painter.drawLine(QPoint(c + gap, c), QPoint(end - 1, c));
        for (int d = markEvery; markEvery > 0 && d < c; d += markEvery) {
            for (int at : {c - d, c + d}) {
                painter.drawLine(QPoint(at, c - kMarkLength), QPoint(at, c + kMarkLength));
                painter.drawLine(QPoint(c - kMarkLength, at), QPoint(c + kMarkLength, at));
            }
        }
    }
    painter.end();
    return QCursor(picture, kHotSpot, kHotSpot);
}

}  // namespace nl
