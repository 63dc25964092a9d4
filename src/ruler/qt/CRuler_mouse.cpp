// The ruler window's mouse gestures (moving, sizing, the caption buttons) and its window
// events.
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWindow>

#include "base/command_ids.h"
#include "platform/qt/qt_convert.h"
#include "ruler/qt/CDlgScale.h"
#include "ruler/qt/CRuler.h"
#include "ruler/qt/CRulerKeys.h"

namespace nl {

void CRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const RulerParts parts = Parts();
    const RulerHit hit = RulerHitTest({at.x(), at.y()}, parts, {width(), height()},
                                      {kSizingBand, kSizingBand}, LeftButton::kDown);
    m_dragStart = event->globalPosition().toPoint();
    m_dragGeometry = geometry();
    if (StartCompositorGesture(hit)) {
        m_drag = Drag::kNone;
        return;
    }
    switch (hit) {
        case RulerHit::kIcon:
            ShowMenuAt(mapToGlobal(QPoint(parts.icon.left, parts.icon.bottom)));
            m_drag = Drag::kNone;
            break;
        case RulerHit::kHelp:
            m_drag = Drag::kHelp;
            break;
        case RulerHit::kClose:
            m_drag = Drag::kClose;
            break;
        case RulerHit::kLeft:
            m_drag = Drag::kLeft;
            break;
        case RulerHit::kRight:
            m_drag = Drag::kRight;
            break;
        case RulerHit::kTop:
            m_drag = Drag::kTop;
            break;
        case RulerHit::kBottom:
            m_drag = Drag::kBottom;
            break;
        case RulerHit::kCaption:
            m_drag = Drag::kMove;
            break;
        case RulerHit::kNone:
            m_drag = Drag::kNone;
            break;
    }
}

bool CRuler::StartCompositorGesture(RulerHit hit) {
    if (m_placement != RulerPlacement::kByCompositor || !windowHandle()) return false;
    switch (hit) {
        case RulerHit::kCaption:
            return windowHandle()->startSystemMove();
        case RulerHit::kLeft:
            return windowHandle()->startSystemResize(Qt::LeftEdge);
        case RulerHit::kRight:
            return windowHandle()->startSystemResize(Qt::RightEdge);
        case RulerHit::kTop:
            return windowHandle()->startSystemResize(Qt::TopEdge);
        case RulerHit::kBottom:
            return windowHandle()->startSystemResize(Qt::BottomEdge);
        default:
            return false;
    }
}

void CRuler::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint delta = global - m_dragStart;
    QRect g = m_dragGeometry;
    const QSize min = minimumSize();
    switch (m_drag) {
        case Drag::kMove: {
            const Qt::KeyboardModifiers keys = event->modifiers();
            const Rect proposed = ToRect(g.translated(delta));
            const Rect locked = LockMoveAxis(ToRect(geometry()), proposed, keys & Qt::ShiftModifier,
                                             keys & Qt::ControlModifier);
            move(locked.left, locked.top);
            return;
        }
        case Drag::kLeft:
            g.setLeft(std::min(g.left() + delta.x(), g.right() - min.width() + 1));
            break;
        case Drag::kRight:
            g.setRight(g.right() + delta.x());
            break;
        case Drag::kTop:
            g.setTop(std::min(g.top() + delta.y(), g.bottom() - min.height() + 1));
            break;
        case Drag::kBottom:
            g.setBottom(g.bottom() + delta.y());
            break;
        default: {
            // Show the sizing cursor over the edges.
            const QPoint at = event->position().toPoint();
            const RulerHit hit = RulerHitTest({at.x(), at.y()}, Parts(), {width(), height()},
                                              {kSizingBand, kSizingBand}, LeftButton::kUp);
            if (hit == RulerHit::kLeft || hit == RulerHit::kRight)
                setCursor(Qt::SizeHorCursor);
            else if (hit == RulerHit::kTop || hit == RulerHit::kBottom)
                setCursor(Qt::SizeVerCursor);
            else
                unsetCursor();
            return;
        }
    }
    setGeometry(g);
}

void CRuler::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = m_drag;
    m_drag = Drag::kNone;
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const RulerParts parts = Parts();
    if (drag == Drag::kClose && parts.close.Contains({at.x(), at.y()})) {
        close();
    } else if (drag == Drag::kHelp && parts.help.Contains({at.x(), at.y()})) {
        Execute(cmd::kHelp);
    }
}

void CRuler::contextMenuEvent(QContextMenuEvent* event) {
    ShowMenuAt(event->globalPos());
}

void CRuler::closeEvent(QCloseEvent* event) {
    SaveState();
    if (m_keysWindow) m_keysWindow->close();
    if (m_scaleDialog) m_scaleDialog->reject();
    m_idleTimer.stop();
    event->accept();
}

void CRuler::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    m_lastCursor.reset();
    UpdateFromCursor();
}

void CRuler::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_lastCursor.reset();
    update();
}

void CRuler::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) update(ToQRect(Parts().strip));
    QWidget::changeEvent(event);
}

}  // namespace nl
