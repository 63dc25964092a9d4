#include "overlay/qt/COverlayWnd.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
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
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

// The virtual key of a pressed key; the modifier keys by themselves included.
std::uint32_t VirtualKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Shift:
            return kVkShift;
        case Qt::Key_Control:
            return kVkControl;
        case Qt::Key_Alt:
            return kVkMenu;
        default:
            return VirtualKeyFromQtKey(event.key(), event.modifiers());
    }
}

// The label's inner margin, in the widget's pixels.
constexpr int kLabelPadding = 4;

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

void COverlayWnd::DrawTwoTone(QPainter& painter, const std::function<void()>& draw) {
    painter.setPen(QPen(QColor(Qt::white), 1));
    draw();
    QPen dashes(LineColor(), 1, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({4, 4});
    painter.setPen(dashes);
    draw();
}

void COverlayWnd::Attach(CWndCap& overlay, std::function<void(const OverlayEnd&)> ended) {
    m_overlay = &overlay;
    m_ended = std::move(ended);
}

bool COverlayWnd::Open(const Rect& virtualScreen, const Rect& desktopWindow) {
    m_area = m_overlay->Prepare(virtualScreen, desktopWindow);
    if (m_backdrop == OverlayBackdrop::kSnapshot || m_keepPicture) {
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
    const Point cursor = m_desktop.CursorPos();
    m_pointer = {cursor.x - m_area.left, cursor.y - m_area.top};
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

SnapPicture COverlayWnd::DesktopPicture() const {
    if (m_snapshot.isNull()) return {};
    return {reinterpret_cast<const std::uint32_t*>(m_snapshot.constBits()), m_snapshot.width(),
            m_snapshot.height(), static_cast<std::size_t>(m_snapshot.bytesPerLine() / 4)};
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

Point COverlayWnd::ClientPoint(const QMouseEvent* event) {
    // The window's own position of the pointer, in device pixels from its corner: a desktop
    // that does not follow the pointer gives no global position to go by. The window-relative
    // position keeps its fraction (the widget position is rounded to Qt's pixels), so that at
    // any scale every device pixel can be a point, not only every second one.
    const QPointF local = event->scenePosition();
    const qreal ratio = DeviceRatio(*this, m_area);
    m_pointer = {DevicePixelAt(local.x(), ratio), DevicePixelAt(local.y(), ratio)};
    return m_pointer;
}

void COverlayWnd::SetNotice(const std::string& text) {
    if (text == m_notice) return;
    m_notice = text;
    RefreshFeedback();
}

std::vector<std::string> COverlayWnd::FeedbackText() const {
    std::vector<std::string> lines;
    if (!m_notice.empty()) {
        lines.push_back(m_notice);
    } else if (m_feedback) {
        lines = m_feedback();
    }
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    return lines;
}

QRect COverlayWnd::PlaceFeedback(QSize size) const {
    const qreal ratio = DeviceRatio(*this, m_area);
    const QPoint pointer(static_cast<int>(m_pointer.x / ratio),
                         static_cast<int>(m_pointer.y / ratio));
    // The monitor under the pointer, in the widget's pixels; the whole window elsewhere.
    QRect bounds = rect();
    const Point screen{m_pointer.x + m_area.left, m_pointer.y + m_area.top};
    for (const MonitorInfo& monitor : m_desktop.Monitors()) {
        const Rect& m = monitor.monitor;
        if (!m.Contains(screen)) continue;
        const QRect mine(QPoint(static_cast<int>(std::ceil((m.left - m_area.left) / ratio)),
                                static_cast<int>(std::ceil((m.top - m_area.top) / ratio))),
                         QPoint(static_cast<int>((m.right - m_area.left) / ratio) - 1,
                                static_cast<int>((m.bottom - m_area.top) / ratio) - 1));
        bounds = bounds.intersected(mine);
        break;
    }
    int x = pointer.x() + kLabelOffset;
    int y = pointer.y() + kLabelOffset;
    if (x + size.width() > bounds.right() + 1) x = pointer.x() - kLabelOffset - size.width();
    if (y + size.height() > bounds.bottom() + 1) y = pointer.y() - kLabelOffset - size.height();
    x = std::clamp(x, bounds.left(), std::max(bounds.left(), bounds.right() + 1 - size.width()));
    y = std::clamp(y, bounds.top(), std::max(bounds.top(), bounds.bottom() + 1 - size.height()));
    return {QPoint(x, y), size};
}

void COverlayWnd::PaintFeedback(QPainter& painter) {
    const std::vector<std::string> lines = FeedbackText();
    if (lines.empty()) {
        m_feedbackRect = {};
        return;
    }
    const QFontMetrics metrics(font());
    QStringList texts;
    int width = 0;
    for (const std::string& line : lines) {
        texts << QString::fromStdString(line);
        width = std::max(width, metrics.horizontalAdvance(texts.back()));
    }
    const QSize size(width + 2 * kLabelPadding,
                     metrics.lineSpacing() * static_cast<int>(texts.size()) + 2 * kLabelPadding);
    m_feedbackRect = PlaceFeedback(size);
    painter.save();
    // The label is laid out in the widget's own pixels, so its text keeps the font's size.
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QColor(Qt::white));
    painter.setBrush(QColor::fromRgb(kLabelFill));
    painter.drawRect(m_feedbackRect.adjusted(0, 0, -1, -1));
    painter.setFont(font());
    int y = m_feedbackRect.top() + kLabelPadding;
    for (const QString& text : texts) {
        painter.drawText(QRect(m_feedbackRect.left() + kLabelPadding, y, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        y += metrics.lineSpacing();
    }
    painter.restore();
}

void COverlayWnd::RefreshFeedback() {
    // The old label goes; the new one is laid out when painted, where the pointer is now. Its
    // text may have grown: the paint asks for one more pass when the label left the area.
    if (!m_feedbackRect.isEmpty()) update(m_feedbackRect);
    const QRect guess =
        PlaceFeedback(m_feedbackRect.isEmpty() ? QSize(1, 1) : m_feedbackRect.size());
    update(guess);
}

void COverlayWnd::paintEvent(QPaintEvent* event) {
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
    PaintFeedback(painter);
    // A label that grew past what this paint covered is painted whole on the next one.
    if (!m_feedbackRect.isEmpty() &&
        event->region().intersected(m_feedbackRect) != QRegion(m_feedbackRect))
        update(m_feedbackRect);
}

void COverlayWnd::mousePressEvent(QMouseEvent* event) {
    if (m_overlay && event->button() == Qt::LeftButton) {
        m_overlay->OnLeftDown(ClientPoint(event), Keys(event->modifiers()));
    }
    RefreshFeedback();
}

void COverlayWnd::mouseMoveEvent(QMouseEvent* event) {
    if (m_overlay) m_overlay->OnMouseMove(ClientPoint(event), Keys(event->modifiers()));
    RefreshFeedback();
}

void COverlayWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_overlay) return;
    if (event->button() == Qt::LeftButton) {
        m_overlay->OnLeftUp(ClientPoint(event), Keys(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        m_overlay->OnRightUp();
    }
    RefreshFeedback();
}

void COverlayWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_overlay && event->button() == Qt::LeftButton) {
        m_overlay->OnLeftDoubleClick(ClientPoint(event), Keys(event->modifiers()));
    }
    RefreshFeedback();
}

bool COverlayWnd::WantsKey(const QKeyEvent& event) const {
    return m_overlay && !m_ending &&
           m_overlay->WantsKey(VirtualKey(event), Keys(event.modifiers()));
}

void COverlayWnd::keyPressEvent(QKeyEvent* event) {
    if (!m_overlay) return;
    m_overlay->OnKeyDown(VirtualKey(*event), Keys(event->modifiers()));
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
