#include "magnifier/qt/CViewMag.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
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
#include "platform/qt/qt_convert.h"
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
    m_zoom->SetGrid(s.HasOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines));
    m_zoom->SetSampleSize(m_context.prefs.Sampling().size);
    m_zoom->SetDrawCursorMark(HasBit(s.magnifierOptions, AppSettings::kMagnifierCursorPosition));
    m_zoom->setEnabled(Started());
    m_zoom->setGeometry(rect());
    m_caption = new QLabel(this);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Light on dark, like the overlays' labels: it reads over any picture.
    m_caption->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(32, 36, 40); color: white; padding: 2px 6px; }"));
    SetVision(StoredVision(m_context.prefs));
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

Point CViewMag::CentrePoint() const {
    return FollowsRuler() ? m_ruler().origin : m_context.doc.Colors().Sample().Position();
}

void CViewMag::MoveCentre() {
    if (!Started()) return;
    m_zoom->SetCentre(CentrePoint());
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
        case ViewNotify::kGridLinesChanged:
            m_zoom->SetGrid(m_context.prefs.Settings().HasOption(OptionWord::kDisplay,
                                                                 AppSettings::kDisplayGridLines));
            break;
        case ViewNotify::kZoomChanged:
            m_zoom->SetZoom(m_context.prefs.Settings().zoomFactor);
            m_zoom->update();
            break;
        case ViewNotify::kSamplingChanged:
            m_zoom->SetSampleSize(m_context.prefs.Sampling().size);
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

void CViewMag::SetVision(const VisionSetting& setting) {
    if (setting != m_vision) StoreVision(m_context.prefs, setting);
    m_vision = setting;
    m_zoom->SetColorVision(setting.vision, setting.severity);
    const std::string caption = SimulationCaption(setting);
    m_caption->setText(ToQt(caption));
    m_caption->adjustSize();
    m_caption->move(4, 4);
    m_caption->setVisible(!caption.empty());
    m_caption->raise();
}

void CViewMag::contextMenuEvent(QContextMenuEvent* event) {
    constexpr int kSeverities[] = {20, 40, 60, 80, 100};
    QMenu menu(this);
    QActionGroup visions(&menu);
    for (int i = 0; i < kColorVisionCount; ++i) {
        const auto vision = static_cast<ColorVision>(i);
        QAction* action = menu.addAction(ToQt(VisionMenuText(vision)));
        action->setCheckable(true);
        action->setChecked(vision == m_vision.vision);
        action->setData(i);
        visions.addAction(action);
        if (vision == ColorVision::kNormal || vision == ColorVision::kAchromatopsia)
            menu.addSeparator();
    }
    QMenu* severity = menu.addMenu(ToQt(LoadString(kIdsSimulationSeverity)));
    severity->setEnabled(HasSeverity(m_vision.vision));
    QActionGroup severities(severity);
    for (const int percent : kSeverities) {
        QAction* action = severity->addAction(QStringLiteral("%1 %").arg(percent));
        action->setCheckable(true);
        action->setChecked(std::lround(m_vision.severity * 100) == percent);
        action->setData(1000 + percent);
        severities.addAction(action);
    }
    const QAction* chosen = menu.exec(event->globalPos());
    if (!chosen) return;
    VisionSetting next = m_vision;
    const int data = chosen->data().toInt();
    if (data >= 1000) {
        next.severity = (data - 1000) / 100.0;
    } else {
        next.vision = static_cast<ColorVision>(data);
    }
    SetVision(next);
}

void CViewMag::wheelEvent(QWheelEvent* event) {
    m_wheel.OnWheel(*event, m_context.prefs);
}

void CViewMag::mousePressEvent(QMouseEvent* event) {
    m_host.SetActiveView(this);
    QWidget::mousePressEvent(event);
}

}  // namespace nl
