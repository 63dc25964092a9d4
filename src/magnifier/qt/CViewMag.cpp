#include "magnifier/qt/CViewMag.h"

#include <QResizeEvent>
#include <QWheelEvent>

#include "base/StringTable.h"
#include "base/bits.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/view_notifications.h"
#include "magnifier/magnifier_texts.h"
#include "platform/IDialogs.h"
#include "ui/qt/CCtrlZoom.h"

namespace nl {
CViewMag::CViewMag(AppContext& context, IViewHost& host, RulerSource ruler, QWidget* parent)
    : QWidget(parent), m_context(context), m_host(host), m_ruler(std::move(ruler)) {
    m_notifications = SubscribeView(context.notify, *this, *this);
    const AppSettings& s = m_context.prefs.Settings();
    m_zoom = new CCtrlZoom(m_context.desktop, this);
    m_zoom->setObjectName(QStringLiteral("zoom%1").arg(cmd::kMagnifierZoom));
    // Clicks reach the view, which becomes the active view.
    m_zoom->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_zoom->SetZoom(s.zoomFactor);
    m_zoom->SetDrawCursorMark(HasBit(s.magnifierOptions, AppSettings::kMagnifierCursorPosition));
    m_zoom->setEnabled(Started());
    m_zoom->setGeometry(rect());
    MoveCentre();

    AddCommand(cmd::kEditCopy, [this] { Copy(); });
    AddUpdate(cmd::kEditCopy, [](CCmdUI& ui) { ui.Enable(true); });
    AddCommand(cmd::kDrawCursorPosition, [this] {
        m_context.prefs.ToggleOption(OptionWord::kMagnifier, AppSettings::kMagnifierCursorPosition);
        m_zoom->SetDrawCursorMark(m_context.prefs.Settings().HasOption(
            OptionWord::kMagnifier, AppSettings::kMagnifierCursorPosition));
        m_zoom->update();
    });
    AddUpdate(cmd::kDrawCursorPosition, [this](CCmdUI& ui) {
        ui.SetCheck(HasBit(m_context.prefs.Settings().magnifierOptions,
                           AppSettings::kMagnifierCursorPosition)
                        ? CCmdUI::kChecked
                        : CCmdUI::kUnchecked);
    });
    AddUpdate(cmd::kIndicatorHint, [this](CCmdUI& ui) {
        MagnifierHintState state;
        state.started = Started();
        const QWidget* top = window();
        const WindowId main = m_host.NativeWindow();
        state.mainIsForeground =
            state.started && ((top && top->isActiveWindow()) ||
                              (main != kNoWindow && m_context.ForegroundWindow() == main));
        // The helpers look up the window under the cursor: only when the hint depends on them.
        state.keyboardAvailable = state.started && state.mainIsForeground &&
                                  m_context.keyboardHelpersAvailable &&
                                  m_context.keyboardHelpersAvailable();
        ui.SetText(LoadString(MagnifierHintId(state)));
    });
}

bool CViewMag::Started() const {
    return m_context.prefs.Settings().PickingStarted();
}

bool CViewMag::FollowsRuler() const {
    if (!m_ruler) return false;
    const RulerState ruler = m_ruler();
    return FollowRulerActive(m_context.prefs.Settings().magnifierOptions, ruler.exists,
                             ruler.foreground);
}

void CViewMag::MoveCentre() {
    if (!Started()) return;
    if (FollowsRuler()) {
        m_zoom->SetCentre(m_ruler().origin);
    } else {
        m_zoom->SetCentre(m_context.doc.Colors().Sample().Position());
    }
    m_zoom->Refresh();
}

void CViewMag::Copy() {
    const bool stretch =
        HasBit(m_context.prefs.Settings().magnifierOptions, AppSettings::kMagnifierStretchCopies);
    if (m_zoom->SourceRect().IsEmpty() || !m_zoom->CopyToClipboard(m_context.clipboard, stretch)) {
        m_context.dialogs.MessageBox(LoadString(kIdsNoDataToCopy), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kWarning);
    }
}

void CViewMag::OnViewNotify(ViewNotify type, std::intptr_t) {
    switch (type) {
        case ViewNotify::kPickingApplied:
            m_zoom->setEnabled(Started());
            MoveCentre();
            break;
        case ViewNotify::kZoomChanged:
            m_zoom->SetZoom(m_context.prefs.Settings().zoomFactor);
            m_zoom->update();
            break;
        case ViewNotify::kTimerTick:
            MoveCentre();
            break;
        default:
            break;
    }
}

void CViewMag::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_zoom->setGeometry(0, 0, event->size().width(), event->size().height());
}

void CViewMag::wheelEvent(QWheelEvent* event) {
    m_wheel.OnWheel(*event, m_context.prefs);
}

void CViewMag::mousePressEvent(QMouseEvent* event) {
    m_host.SetActiveView(this);
    QWidget::mousePressEvent(event);
}

}  // namespace nl
