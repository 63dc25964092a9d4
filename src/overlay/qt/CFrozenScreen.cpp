#include "overlay/qt/CFrozenScreen.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "framework/latency_trace.h"
#include "overlay/frozen_screen.h"
#include "overlay/qt/device_ratio.h"
#include "overlay/qt/settle_events.h"
#include "platform/qt/screen_pixels.h"

namespace nl {
namespace {

// The cross-hair's arms reach this far from the cursor's pixel, leaving a gap around it.
constexpr int kArm = 12;
constexpr int kGap = 3;

// One monitor's frozen picture in a frameless window of the monitor's size.
class FrozenMonitorWnd final : public QWidget {
public:
    FrozenMonitorWnd(IDesktop& desktop, const Rect& monitor, QImage picture,
                     const CFrozenScreen::Callbacks& callbacks)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
          m_desktop(desktop),
          m_monitor(monitor),
          m_picture(std::move(picture)),
          m_callbacks(callbacks) {
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::CrossCursor);
        setWindowTitle(QStringLiteral("NerimLens frozen screen"));
    }

    const Rect& Monitor() const { return m_monitor; }

    // Repaints the cross-hair's old and new places.
    void UpdateCursor(Point from, Point to) {
        for (const Point p : {from, to}) {
            if (!m_monitor.Contains(p)) continue;
            const double ratio = MonitorRatio();
            const QPointF local((p.x - m_monitor.left) / ratio, (p.y - m_monitor.top) / ratio);
            const int reach = static_cast<int>((kArm + 2) / ratio) + 2;
            update(QRect(local.toPoint() - QPoint(reach, reach), QSize(2 * reach, 2 * reach)));
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const qreal ratio = MonitorRatio();
        // Device pixels: the picture lies 1:1 on them whatever Qt's scale (where Qt draws at
        // a whole scale the compositor shows at a fractional one, as near as it can).
        painter.scale(1.0 / ratio, 1.0 / ratio);
        painter.drawImage(0, 0, m_picture);
        const Point cursor = m_desktop.CursorPos();
        if (!m_monitor.Contains(cursor)) return;
        const int x = cursor.x - m_monitor.left;
        const int y = cursor.y - m_monitor.top;
        // White under black, so that the mark shows on any picture; the pixel itself stays free.
        for (const auto& [color, width] :
             {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
            painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(x - kArm + 0.5, y + 0.5), QPointF(x - kGap + 0.5, y + 0.5));
            painter.drawLine(QPointF(x + kGap + 0.5, y + 0.5), QPointF(x + kArm + 0.5, y + 0.5));
            painter.drawLine(QPointF(x + 0.5, y - kArm + 0.5), QPointF(x + 0.5, y - kGap + 0.5));
            painter.drawLine(QPointF(x + 0.5, y + kGap + 0.5), QPointF(x + 0.5, y + kArm + 0.5));
        }
        if (!m_painted) {
            m_painted = true;
            TraceLatency("painted");
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override { MoveCursorTo(event->scenePosition()); }
    // The picture may come up under a pointer that does not move: where it entered is where
    // the pointer is.
    void enterEvent(QEnterEvent* event) override { MoveCursorTo(event->scenePosition()); }

    void mousePressEvent(QMouseEvent* event) override {
        MoveCursorTo(event->scenePosition());
        if (event->button() == Qt::LeftButton && m_callbacks.pick) m_callbacks.pick();
    }

    void keyPressEvent(QKeyEvent* event) override {
        // The arrow keys and Enter reach the program's keyboard helpers before this window.
        if (event->key() == Qt::Key_Escape && m_callbacks.leave) {
            m_callbacks.leave();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    // `local`: the window's own position of the pointer, as the desktop tells no global one,
    // with its fraction (a widget's position is rounded to Qt's pixels).
    void MoveCursorTo(QPointF local) {
        const Point to = FrozenScreenPoint(m_monitor, local.x(), local.y(), MonitorRatio());
        const Point from = m_desktop.CursorPos();
        if (to == from) return;
        m_desktop.SetCursorPos(to);
        UpdateCursor(from, to);
    }

    double MonitorRatio() const { return DeviceRatio(*this, m_monitor); }

    IDesktop& m_desktop;
    Rect m_monitor;
    QImage m_picture;
    const CFrozenScreen::Callbacks& m_callbacks;
    bool m_painted = false;
};

// The picture of `monitor` from the frozen desktop; a null image where it cannot be read.
QImage MonitorPicture(const IDesktop& desktop, const Rect& monitor) {
    QImage picture(monitor.Width(), monitor.Height(), QImage::Format_RGB32);
    if (picture.isNull()) return picture;
    const auto stride = static_cast<std::size_t>(picture.bytesPerLine() / 4);
    if (!desktop.Grab(monitor, reinterpret_cast<GrabPixel*>(picture.bits()), stride))
        return QImage();
    return picture;
}

// The Qt screen whose device area is `monitor`, or null.
QScreen* ScreenOf(const Rect& monitor) {
    for (QScreen* screen : QGuiApplication::screens())
        if (DeviceGeometry(*screen) == monitor) return screen;
    return nullptr;
}

}  // namespace

// Notes when a top-level window of the program last left the screen: menus, tool tips and
// dialogs are windows of their own, and a compositor may still show one that closed a moment
// ago. Child widgets hiding inside a window change nothing on the screen's window stack.
class CFrozenScreen::HideWatch final : public QObject {
public:
    explicit HideWatch(const IClock& clock) : m_clock(clock) { qApp->installEventFilter(this); }

    std::optional<std::int64_t> HiddenAt() const { return m_hiddenAt; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            m_hiddenAt = m_clock.TickCountMs();
        return false;
    }

private:
    const IClock& m_clock;
    std::optional<std::int64_t> m_hiddenAt;
};

CFrozenScreen::CFrozenScreen(IDesktop& desktop, const IClock& clock, Callbacks callbacks)
    : m_desktop(desktop),
      m_clock(clock),
      m_callbacks(std::move(callbacks)),
      m_hides(std::make_unique<HideWatch>(clock)) {}

CFrozenScreen::~CFrozenScreen() {
    Close();
}

bool CFrozenScreen::Open(std::string* error) {
    if (IsOpen()) return true;
    const OwnWindowRules rules = m_desktop.WindowRules();
    TraceLatency("open");
    // Only a window of the program that just left the screen may still be in the copy; the
    // hot key from another program (the usual way in) waits for nothing.
    if (rules.copyShowsClosedWindows)
        if (const int settle = SettleMs(); settle > 0) SettleEvents(settle);
    TraceLatency("settled");
    if (!m_desktop.Freeze(error)) return false;
    TraceLatency("frozen");
    FrozenMonitorWnd* keyboard = nullptr;
    for (const MonitorInfo& info : m_desktop.Monitors()) {
        auto* window = new FrozenMonitorWnd(m_desktop, info.monitor,
                                            MonitorPicture(m_desktop, info.monitor), m_callbacks);
        m_windows.emplace_back(window);
        window->setGeometry(LogicalRect(info.monitor));
        if (QScreen* screen = ScreenOf(info.monitor)) {
            window->winId();
            window->windowHandle()->setScreen(screen);
        }
        // A Wayland compositor places a client's window only as full screen on an output.
        if (!rules.placesWindows) {
            window->showFullScreen();
        } else {
            window->show();
        }
        if (!keyboard || info.monitor.Contains(m_desktop.CursorPos())) keyboard = window;
    }
    m_drawnCursor = m_desktop.CursorPos();
    if (keyboard) {
        keyboard->activateWindow();
        keyboard->setFocus();
    }
    TraceLatency("shown");
    return true;
}

void CFrozenScreen::Close() {
    for (const QPointer<QWidget>& window : std::exchange(m_windows, {}))
        if (window) window->close();
    if (m_desktop.IsFrozen()) m_desktop.Thaw();
}

bool CFrozenScreen::Holds(const QWidget* window) const {
    for (const QPointer<QWidget>& own : m_windows)
        if (window != nullptr && own.data() == window) return true;
    return false;
}

void CFrozenScreen::FollowCursor() {
    const Point now = m_desktop.CursorPos();
    if (now == m_drawnCursor) return;
    for (const QPointer<QWidget>& window : m_windows)
        if (window) static_cast<FrozenMonitorWnd*>(window.data())->UpdateCursor(m_drawnCursor, now);
    m_drawnCursor = now;
}

int CFrozenScreen::SettleMs() const {
    return SettleBeforeCopyMs(m_hides->HiddenAt(), m_clock.TickCountMs(), kMenuGoneMs);
}

std::vector<QWidget*> CFrozenScreen::Windows() const {
    std::vector<QWidget*> out;
    for (const QPointer<QWidget>& window : m_windows)
        if (window) out.push_back(window.data());
    return out;
}

}  // namespace nl
