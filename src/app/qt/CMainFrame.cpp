#include "app/qt/CMainFrame.h"

#include <malloc.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QThread>
#include <algorithm>
#include <cstdio>

#include "framework/CAppPrefs.h"
#include "document/CDocApp.h"
#include "framework/CRecentFileList.h"
#include "framework/ViewNotifyHub.h"
#include "framework/hot_keys.h"
#include "base/monitor_layout.h"
#include "app/qt/CAppSplitterWnd.h"
#include "app/qt/CTrayItem.h"
#include "framework/qt/CViewApp.h"
#include "framework/qt/CViewAppTB.h"
#include "capture/qt/CViewTBCap.h"
#include "framework/CDesktopSampler.h"
#include "colors/qt/CViewCols.h"
#include "colors/qt/CViewToolBar.h"
#include "export/CPreviewFile.h"
#include "gauge/qt/CViewTBMea.h"
#include "magnifier/qt/CViewMag.h"
#include "magnifier/qt/CViewTBMag.h"
#include "platform/IDialogs.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "res/forms.h"
#include "res/version.h"
#include "ruler/qt/CRuler.h"
#include "ui/qt/CCommandBinder.h"
#include "ui/qt/CStatusBarEx.h"
#include "ui/qt/CToolBarEx.h"
#include "ui/qt/form_metrics.h"
#include "ui/qt/svg_icons.h"

namespace nl {
namespace {

// Limits of the notification icon's texts.
constexpr int kTrayTipMax = 127;
constexpr int kBalloonTitleMax = 63;
constexpr int kBalloonTextMax = 255;
// The window's default and minimum heights in dialog units; the width is the form's.
constexpr int kDefaultHeightDlu = 250;
constexpr int kMinimumHeightDlu = 200;
constexpr int kFallbackWidthDlu = 200;
constexpr int kReferenceDpi = 96;

bool HasBit(std::uint32_t word, std::uint32_t bit) {
    return (word & bit) != 0;
}

// The delayed pick's countdown in the status bar's hint pane, painted at once. The window
// takes no input meanwhile.
class StatusCountdown final : public IPickCountdown {
public:
    explicit StatusCountdown(CStatusBarEx& bar) : m_bar(bar) {}
    void ShowCountdown(const std::string& text) override {
        m_bar.SetHint(QString::fromStdString(text));
        m_bar.repaint();
    }
    void Wait(int milliseconds) override {
        // No events run meanwhile: the idle update would replace the countdown's text.
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }

private:
    CStatusBarEx& m_bar;
};

// One line of a "first\nsecond" string.
std::string Line(std::uint32_t id, bool second) {
    const PromptAndTip parts = SplitPrompt(LoadString(id));
    return second ? parts.tip : parts.prompt;
}

}  // namespace

CMainFrame::CMainFrame(AppContext& context) : m_context(context) {
    m_sampler = std::make_unique<CDesktopSampler>(
        CDesktopSampler::Services{m_context.desktop, m_context.doc.Colors(), m_context.prefs,
                                  m_context.clipboard, m_context.sound, m_context.clock});
    m_sampler->SetStopPicking([this] { ExecuteCommand(cmd::kPickingStopped); });
    const AppSettings& settings = m_context.prefs.Settings();
    // A tool palette: a title with a close button and no minimize or maximize box.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::WindowContextHelpButtonHint;
    if (HasBit(settings.displayOptions, AppSettings::kDisplayOnTop)) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);
    setWindowTitle(ToQt(LoadString(kIdsAppTitle)));

    CCommandBinder::Callbacks callbacks;
    callbacks.execute = [this](int id) { return ExecuteCommand(id); };
    callbacks.update = [this](int id) { return UpdateCommand(id); };
    callbacks.recentFiles = [this] {
        std::vector<std::string> entries;
        for (int i = 0; i < m_context.recentFiles.Size(); ++i) {
            entries.push_back(m_context.recentFiles.MenuText(i));
        }
        return entries;
    };
    callbacks.toolTipsEnabled = [this] {
        return HasBit(m_context.prefs.Settings().generalOptions, AppSettings::kGeneralToolTips);
    };
    m_binder = new CCommandBinder(std::move(callbacks), this);

    // The toolbar.
    m_toolBar = new CToolBarEx(ToQt(LoadString(kIdsToolbarTitle)), this);
    m_binder->BuildToolBar(m_toolBar, res::kToolbarMain);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_toolBar->setVisible(HasBit(settings.displayOptions, AppSettings::kDisplayToolbar));

    // The status bar: the hint pane and the color-count pane.
    m_statusBar = new CStatusBarEx(this);
    m_statusBar->SetPaneToolTip(ToQt(LoadString(kIdsColorCountTip)));
    m_statusBar->SetToolTipsEnabled(HasBit(settings.generalOptions, AppSettings::kGeneralToolTips));
    m_statusBar->SetHint(ToQt(LoadString(kIdsIdleMessage)));
    setStatusBar(m_statusBar);
    m_statusBar->setVisible(HasBit(settings.displayOptions, AppSettings::kDisplayStatusBar));

    // The keys; the keyboard helpers' keys are left to the application's key filter.
    m_binder->AddShortcuts(this, res::kAcceleratorsMain,
                           [](int id) { return id >= cmd::kCursorLeft && id <= cmd::kCopy; });

    m_splitter = new CAppSplitterWnd(this);
    setCentralWidget(m_splitter);
    SwitchTool(settings.activeTool);

    m_tray = new CTrayItem(this);
    m_trayMenu = new QMenu(this);

    AddHandlers();

    m_pickTimer.setInterval(kPickTimerMs);
    m_pickTimer.setTimerType(Qt::CoarseTimer);
    connect(&m_pickTimer, &QTimer::timeout, this, [this] { OnPickTimer(); });
    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        if (isVisible()) RunIdleUpdate();
    });
    m_idleTimer.start();

    m_context.notify.Register(this);
    m_wakeSubscription = m_context.notify.SubscribeWake([this] {
        if (m_flushScheduled) return;
        m_flushScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_flushScheduled = false;
            m_context.notify.Flush();
        });
    });
    m_flushSubscription = m_context.prefs.SubscribeFlush([this] { RecordPlacement(); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive) OnApplicationDeactivated();
                });
    }
    m_lastDeactivationFlush = Now();
    RunIdleUpdate();
}

CMainFrame::~CMainFrame() {
    m_pickTimer.stop();
    m_idleTimer.stop();
    m_flushSubscription.Reset();
    m_wakeSubscription.Reset();
    m_context.notify.Unregister(this);
    // Every hot key this window may hold, whatever the table says now.
    m_context.hotKeys.SetListener({});
    for (int id = 0; id < kHotKeyCount; ++id) m_context.hotKeys.Unregister(id);
    m_context.preview.Delete();
    if (m_tray) m_tray->Remove();
}

// --- commands ---------------------------------------------------------------------------

void CMainFrame::AddHandlers() {
    AddCommandRange(cmd::kToolMagnifier, cmd::kToolGauge, [this](int id) {
        SwitchTool(id - cmd::kToolMagnifier + AppSettings::kToolMagnifier);
        return true;
    });
    AddUpdateRange(cmd::kToolMagnifier, cmd::kToolGauge, [this](CCmdUI& ui) {
        ui.SetRadio(m_context.prefs.Settings().activeTool ==
                    ui.Id() - cmd::kToolMagnifier + AppSettings::kToolMagnifier);
    });

    AddCommand(cmd::kShow, [this] {
        if (!isVisible()) {
            m_context.prefs.WinState(kWinStateMainFrame).SetOpen(true);
            m_context.prefs.SetChanged();
        }
        ShowAndActivate();
    });
    AddCommand(cmd::kShowHide, [this] { ShowHide(); });
    AddUpdate(cmd::kShowHide, [this](CCmdUI& ui) { ui.SetText(Line(kIdsShowHide, isVisible())); });

    AddCommand(cmd::kStayOnTop, [this] { StayOnTop(); });
    AddUpdate(cmd::kStayOnTop, [this](CCmdUI& ui) {
        ui.SetCheck(windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? CCmdUI::kChecked
                                                                     : CCmdUI::kUnchecked);
    });
    AddCommand(cmd::kArrange, [this] { Arrange(); });

    AddCommand(cmd::kGridlines, [this] {
        m_context.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines);
    });
    AddCheckOnly(cmd::kGridlines, OptionWord::kDisplay, AppSettings::kDisplayGridLines);

    AddCommand(cmd::kViewToolbar, [this] { ToggleBar(m_toolBar, AppSettings::kDisplayToolbar); });
    AddUpdate(cmd::kViewToolbar, [this](CCmdUI& ui) {
        ui.SetCheck(m_toolBar->isVisibleTo(this) ? CCmdUI::kChecked : CCmdUI::kUnchecked);
    });
    AddCommand(cmd::kViewStatusBar,
               [this] { ToggleBar(m_statusBar, AppSettings::kDisplayStatusBar); });
    AddUpdate(cmd::kViewStatusBar, [this](CCmdUI& ui) {
        ui.SetCheck(m_statusBar->isVisibleTo(this) ? CCmdUI::kChecked : CCmdUI::kUnchecked);
    });

    AddToggle(cmd::kSounds, OptionWord::kSound, AppSettings::kSoundPlay);
    AddToggle(cmd::kShowWhileMeasuring, OptionWord::kGauge, AppSettings::kGaugeShowMainWindow);
    AddToggle(cmd::kShowGridWhileMeasuring, OptionWord::kGauge, AppSettings::kGaugeShowGrid);
    AddToggle(cmd::kIncludeOwnWindows, OptionWord::kScreenCopier,
              AppSettings::kCopierIncludeOwnWindows);
    AddToggle(cmd::kIncludeCursor, OptionWord::kScreenCopier, AppSettings::kCopierIncludeCursor);

    // Check marks of commands that the tools' views and the application carry out.
    AddCheckOnly(cmd::kFitToWindow, OptionWord::kScreenCopier, AppSettings::kCopierFitImages);
    AddCheckOnly(cmd::kStretchCopies, OptionWord::kMagnifier,
                 AppSettings::kMagnifierStretchCopies);
    AddCheckOnly(cmd::kFollowRuler, OptionWord::kMagnifier, AppSettings::kMagnifierFollowRuler);
    AddCheckOnly(cmd::kAutoStop, OptionWord::kColorPicker, AppSettings::kPickerAutoStop);
    AddCheckOnly(cmd::kAutoCopy, OptionWord::kColorPicker, AppSettings::kPickerAutoCopy);

    AddUpdate(cmd::kZoomText, [this](CCmdUI& ui) {
        char text[16];
        std::snprintf(text, sizeof text, "%d%%", m_context.prefs.Settings().zoomFactor);
        ui.SetText(text);
    });
    AddUpdate(cmd::kColorCountPane, [this](CCmdUI& ui) {
        ui.SetText(std::to_string(m_context.doc.Colors().GetCount()));
    });

    AddCommand(cmd::kKeyboardIndicator, [this] {
        m_context.dialogs.MessageBox(LoadString(kIdsKeyboardIndicator), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kInformation);
    });
    AddUpdate(cmd::kKeyboardIndicator, [this](CCmdUI& ui) {
        const bool available =
            m_context.keyboardHelpersAvailable && m_context.keyboardHelpersAvailable();
        if (m_toolbarView) m_toolbarView->SetKeyboardIndicator(available);
        ui.Enable(true);
    });

    AddCommand(cmd::kAppExit, [this] { Exit(); });

    // Starting and stopping picking, and the one menu item that does whichever applies.
    AddCommand(cmd::kResumePicking, [this] { SetPickingStarted(true); });
    AddCommand(cmd::kPickingStopped, [this] { SetPickingStarted(false); });
    AddCommand(cmd::kTogglePicking, [this] {
        const bool started = m_context.prefs.Settings().PickingStarted();
        ExecuteCommand(started ? cmd::kPickingStopped : cmd::kResumePicking);
    });
    AddUpdate(cmd::kTogglePicking, [this](CCmdUI& ui) {
        const bool started = m_context.prefs.Settings().PickingStarted();
        ui.SetText(Line(kIdsTogglePicking, started));
    });

    // Picks of the color under the cursor, while picking runs.
    AddCommand(cmd::kPickColor,
               [this] { m_sampler->Pick(m_keyCommand ? PickOrigin::kKey : PickOrigin::kCommand); });
    AddCommand(cmd::kShiftEnterAction, [this] { DelayedPick(); });
    for (const int id : {cmd::kPickColor, cmd::kShiftEnterAction}) {
        AddUpdate(id,
                  [this](CCmdUI& ui) { ui.Enable(m_context.prefs.Settings().PickingStarted()); });
    }
}

void CMainFrame::SetPickingStarted(bool started) {
    m_context.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                              started ? OptionState::kOn : OptionState::kOff);
    ApplyPickingState();
}

void CMainFrame::DelayedPick() {
    StatusCountdown countdown(*m_statusBar);
    m_sampler->DelayedPick(m_keyCommand ? PickOrigin::kKey : PickOrigin::kCommand, countdown);
}

void CMainFrame::AddToggle(int id, OptionWord word, std::uint32_t bit) {
    AddCommand(id, [this, word, bit] { m_context.prefs.ToggleOption(word, bit); });
    AddUpdate(id, [this, word, bit](CCmdUI& ui) {
        ui.SetCheck(m_context.prefs.Settings().HasOption(word, bit) ? CCmdUI::kChecked
                                                                    : CCmdUI::kUnchecked);
    });
}

void CMainFrame::AddCheckOnly(int id, OptionWord word, std::uint32_t bit) {
    AddUpdate(id, [this, word, bit](CCmdUI& ui) {
        ui.SetCheck(m_context.prefs.Settings().HasOption(word, bit) ? CCmdUI::kChecked
                                                                    : CCmdUI::kUnchecked);
        // Still disabled while no view that carries the command out is shown.
        ui.Enable(RouteHasHandler(ui.Id()));
    });
}

std::vector<CCmdTarget*> CMainFrame::Route() {
    return {m_toolbarView.data(), m_mainView.widget ? m_mainView.target : nullptr, this,
            &m_context.documentTarget, &m_context.applicationTarget};
}

bool CMainFrame::RouteHasHandler(int id) {
    for (CCmdTarget* target : Route()) {
        if (target && target->HasCommandHandler(id)) return true;
    }
    return false;
}

bool CMainFrame::ExecuteKeyCommand(int id) {
    struct KeyScope {
        bool& flag;
        bool old;
        ~KeyScope() { flag = old; }
    } scope{m_keyCommand, m_keyCommand};
    m_keyCommand = true;
    return ExecuteCommand(id);
}

bool CMainFrame::ExecuteCommand(int id) {
    const bool handled = CCmdRoute(Route()).Execute(id);
    ScheduleIdleUpdate();
    return handled;
}

CCmdUI CMainFrame::UpdateCommand(int id) {
    return CCmdRoute(Route()).Update(id);
}

std::optional<CCmdUI> CMainFrame::UpdateCommandIfHandled(int id) {
    for (CCmdTarget* target : Route()) {
        if (!target) continue;
        CCmdUI ui(id);
        if (target->OnUpdateCommandUI(ui)) return ui;
    }
    return std::nullopt;
}

// --- tools ------------------------------------------------------------------------------

CViewAppTB* CMainFrame::CreateToolbarView(std::int32_t tool) {
    switch (tool) {
        case AppSettings::kToolMagnifier:
            return new CViewTBMag(m_context, *this);
        case AppSettings::kToolScreenCopier:
            return new CViewTBCap(m_context, *this);
        case AppSettings::kToolColorPicker:
            return new CViewToolBar(m_context, *this);
        case AppSettings::kToolGauge:
            return new CViewTBMea(m_context, *this);
        default:
            return nullptr;
    }
}

CMainFrame::MainViewParts CMainFrame::CreateMainView(std::int32_t tool) {
    if (tool == AppSettings::kToolMagnifier) {
        auto* view = new CViewMag(m_context, *this);
        // The ruler is a window of its own owned by this one, while it is open.
        view->SetRulerSource([this] {
            CViewMag::RulerState state;
            for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const auto* ruler = dynamic_cast<const CRuler*>(child);
                if (!ruler || !ruler->isVisible()) continue;
                state.exists = true;
                state.foreground = ruler->isActiveWindow();
                state.origin = ruler->OriginOnScreen();
                break;
            }
            return state;
        });
        return {view, view, view};
    }
    if (tool == AppSettings::kToolColorPicker) {
        auto* view = new CViewCols(m_context, *this);
        return {view, view, view};
    }
    // The other tools show the plain list until their own views exist.
    auto* view = new CViewApp(m_context, *this);
    return {view, view, view};
}

void CMainFrame::SwitchTool(std::int32_t tool) {
    const bool known = tool >= AppSettings::kToolMagnifier && tool <= AppSettings::kToolGauge;
    const std::int32_t views = known ? tool : 0;
    if (views == m_viewsTool) return;

    CViewAppTB* toolbarView = CreateToolbarView(views);
    const MainViewParts mainView = CreateMainView(views);
    m_toolbarView = toolbarView;
    m_mainView = mainView;
    m_viewsTool = views;
    m_splitter->SetView(CAppSplitterWnd::kToolbarRow, toolbarView);
    m_splitter->SetView(CAppSplitterWnd::kMainRow, mainView.widget);
    m_splitter->SetToolbarRowHeight(toolbarView ? toolbarView->FormSize().height() : 0);
    SetActiveView(toolbarView ? static_cast<QWidget*>(toolbarView) : mainView.widget);

    m_menuId = known ? res::kMenuMagnifier + (tool - AppSettings::kToolMagnifier) : res::kMenuMain;
    m_binder->BuildMenuBar(menuBar(), m_menuId);

    m_context.prefs.SetActiveTool(tool);
    setMinimumSize(MinimumFrameSize());
    ScheduleIdleUpdate();
}

void CMainFrame::SetActiveView(QWidget* view) {
    if (m_activeView == view) return;
    QWidget* old = m_activeView;
    m_activeView = view;
    if (old) old->update();
    if (view) view->update();
}

// --- window commands --------------------------------------------------------------------

void CMainFrame::ShowHide() {
    const bool show = !isVisible();
    m_context.prefs.WinState(kWinStateMainFrame).SetOpen(show);
    m_context.prefs.SetChanged();
    if (show) {
        ShowAndActivate();
    } else {
        hide();
    }
}

void CMainFrame::ShowAndActivate() {
    show();
    raise();
    activateWindow();
}

void CMainFrame::StayOnTop() {
    m_context.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop);
    ApplyTopmost(
        m_context.prefs.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop));
}

void CMainFrame::ApplyTopmost(bool topmost) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
    // Changing the flags takes the window off the screen; put it back where it was.
    const bool visible = isVisible();
    const QRect where = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    setGeometry(where);
    if (visible) show();
}

void CMainFrame::Arrange() {
    resize(DefaultSize());
    // Centering moves the whole window, frame included.
    const Rect centered = CenterOnWorkArea(DeviceRect(frameGeometry()),
                                           m_context.desktop.Monitors(),
                                           m_context.desktop.VirtualScreen());
    move(LogicalPoint({centered.left, centered.top}));
    m_context.prefs.SetOption(OptionWord::kDisplay,
                              AppSettings::kDisplayToolbar | AppSettings::kDisplayStatusBar,
                              OptionState::kOn);
    m_toolBar->show();
    m_statusBar->show();
    m_context.prefs.SetChanged();
    if (!isVisible()) ShowHide();
    if (m_context.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop,
                                  OptionState::kOn))
        ApplyTopmost(true);
}

void CMainFrame::ToggleBar(QWidget* bar, std::uint32_t bit) {
    bar->setVisible(!bar->isVisibleTo(this));
    m_context.prefs.SetOption(OptionWord::kDisplay, bit,
                              bar->isVisibleTo(this) ? OptionState::kOn : OptionState::kOff);
}

bool CMainFrame::PrepareExit() {
    if (m_exiting) return true;
    if (m_context.saveModified && !m_context.saveModified()) return false;
    m_exiting = true;
    m_context.prefs.Flush();
    m_context.prefs.SetSaveSuppressed(true);
    m_pickTimer.stop();
    return true;
}

void CMainFrame::Quit() {
    if (m_quit) {
        m_quit();
    } else {
        QCoreApplication::quit();
    }
}

void CMainFrame::Exit() {
    if (m_exiting || !PrepareExit()) return;
    close();
    Quit();
}

// --- window events ----------------------------------------------------------------------

void CMainFrame::setVisible(bool visible) {
    // Until start-up has placed the window, nothing shows it.
    QMainWindow::setVisible(visible && (m_showAllowed || m_exiting));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_exiting) {
        event->accept();
        return;
    }
    // The close button of the active window only hides it to the notification area.
    if (isActiveWindow() && !m_context.prefs.IsSaveSuppressed()) {
        event->ignore();
        ExecuteCommand(cmd::kShowHide);
        return;
    }
    // Otherwise closing ends the program, as Exit does.
    if (!PrepareExit()) {
        event->ignore();
        return;
    }
    event->accept();
    Quit();
}

void CMainFrame::showEvent(QShowEvent* event) {
    m_hiddenSince = 0;
    QMainWindow::showEvent(event);
}

void CMainFrame::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (m_exiting) return;
    if (m_context.prefs.Settings().PickingStarted()) {
        m_hiddenSince = std::max<std::uint64_t>(Now(), 1);
    } else {
        TrimWorkingSet();
    }
}

void CMainFrame::OnApplicationDeactivated() {
    if (m_exiting || m_context.prefs.IsSaveSuppressed()) return;
    const std::uint64_t now = Now();
    if (now - m_lastDeactivationFlush <= kDeactivationFlushMs) return;
    m_lastDeactivationFlush = now;
    m_context.prefs.Flush();
}

void CMainFrame::RecordPlacement() {
    // Kept in device pixels, the desktop's own coordinates, whatever scale Qt draws at.
    const WindowPlacement placement = WindowPlacement::Normal(DeviceRect(geometry()));
    if (m_context.prefs.WinState(kWinStateMainFrame).RecordPlacement(placement)) {
        m_context.prefs.SetChanged();
    }
}

// --- picking timer ----------------------------------------------------------------------

void CMainFrame::ApplyPickingState() {
    const bool started = m_context.prefs.Settings().PickingStarted();
    const int icon = started ? res::kIconStarted : res::kIconStopped;
    if (icon != m_iconId) {
        m_iconId = icon;
        const QIcon image = IconFromSvg(icon);
        setWindowIcon(image);
        m_tray->SetIcon(image);
    }
    if (started) {
        if (!m_pickTimer.isActive()) m_pickTimer.start();
    } else {
        m_pickTimer.stop();
    }
    m_context.notify.Send(ViewNotify::kPickingApplied);
}

void CMainFrame::OnPickTimer() {
    if (m_hiddenSince != 0 && Now() - m_hiddenSince > kTrimAfterHiddenMs) {
        m_hiddenSince = 0;
        TrimWorkingSet();
    }
    if (m_context.prefs.Settings().PickingStarted()) {
        // The live sample first, so that every view shows the same pixel for this tick.
        if (isVisible()) m_sampler->RefreshSample();
        m_context.notify.Send(ViewNotify::kTimerTick);
    }
}

void CMainFrame::TrimWorkingSet() {
    ++m_trims;
    malloc_trim(0);
}

std::uint64_t CMainFrame::Now() const {
    return m_context.tickCount ? m_context.tickCount() : 0;
}

// --- notifications and idle update -----------------------------------------------------

void CMainFrame::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    if (type == ViewNotify::kToolTipsChanged) {
        m_statusBar->SetToolTipsEnabled(
            HasBit(m_context.prefs.Settings().generalOptions, AppSettings::kGeneralToolTips));
    }
    // A view may be replaced while it handles a notification; take both first.
    QPointer<CViewAppTB> toolbarView = m_toolbarView;
    const MainViewParts mainView = m_mainView;
    QPointer<QWidget> mainWidget = mainView.widget;
    if (toolbarView) toolbarView->OnViewNotify(type, argument);
    if (mainWidget && mainView.sink) mainView.sink->OnViewNotify(type, argument);
}

void CMainFrame::ScheduleIdleUpdate() {
    if (m_idleScheduled) return;
    m_idleScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_idleScheduled = false;
        RunIdleUpdate();
    });
}

void CMainFrame::RunIdleUpdate() {
    m_binder->UpdateActions();
    if (m_toolbarView) m_toolbarView->UpdateControls();

    const std::optional<CCmdUI> hint = UpdateCommandIfHandled(cmd::kIndicatorHint);
    m_statusBar->SetHint(ToQt(hint && hint->Text() ? *hint->Text() : LoadString(kIdsIdleMessage)));
    const CCmdUI count = UpdateCommand(cmd::kColorCountPane);
    m_statusBar->SetPaneText(count.Text() ? ToQt(*count.Text()) : QString());

    const QString title = ToQt(m_context.doc.Title() + " - " + LoadString(kIdsAppTitle));
    if (windowTitle() != title) setWindowTitle(title);
}

// --- size and start-up ------------------------------------------------------------------

QSize CMainFrame::FormBasedSize(int heightDlu) const {
    const FormTemplate* form = FindForm(res::kFormColorPicker);
    const int widthDlu = form ? form->dlu.cx : kFallbackWidthDlu;
    QSize size;
    if (m_toolbarView) {
        const Size units = m_toolbarView->BaseUnits();
        size = FormRectToPixels(Rect{0, 0, widthDlu, heightDlu}, units).size();
    } else {
        const DisplayMetrics metrics = m_context.desktop.Metrics();
        size = QSize(MulDiv(widthDlu, metrics.dpiX, kReferenceDpi),
                     MulDiv(heightDlu, metrics.dpiY, kReferenceDpi));
    }
    // The window manager draws the frame outside this size, and nothing of the window's own
    // stands beside the views: the client width is the form's width.
    return size;
}

QSize CMainFrame::DefaultSize() const {
    return FormBasedSize(kDefaultHeightDlu);
}

QSize CMainFrame::MinimumFrameSize() const {
    return FormBasedSize(kMinimumHeightDlu);
}

void CMainFrame::ShowAtStartup() {
    m_showAllowed = true;
    CWinState& state = m_context.prefs.WinState(kWinStateMainFrame);
    const std::vector<MonitorInfo> monitors = m_context.desktop.Monitors();
    const Rect desktop = m_context.desktop.VirtualScreen();
    if (!state.IsPlaced()) {
        // First run: the default size, centered on the work area.
        resize(DefaultSize());
        // The desktop's rectangles are in device pixels, the window's in Qt's.
        const Rect centered = CenterOnWorkArea(DeviceRect(frameGeometry()), monitors, desktop);
        move(LogicalPoint({centered.left, centered.top}));
        setVisible(state.IsOpen());
    } else {
        // A saved rectangle smaller than the minimum (an older version, a hand-edited file)
        // is enlarged before use.
        Rect& saved = state.Placement().normalPosition;
        saved = saved.Normalized();
        const QSize minimum = MinimumFrameSize();
        if (saved.Width() < minimum.width()) saved.right = saved.left + minimum.width();
        if (saved.Height() < minimum.height()) saved.bottom = saved.top + minimum.height();
        const RestoreResult where =
            RestoreRect(state, DeviceRect(geometry()), RestoreMode::kMoveAndSize, monitors, desktop);
        setGeometry(LogicalRect(where.rect));
        setVisible(where.show);
    }
    ApplyPickingState();
    if (!isVisible()) TrimWorkingSet();
    RunIdleUpdate();
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void CMainFrame::RegisterHotKeysAndTray() {
    const AppSettings& s = m_context.prefs.Settings();
    const std::vector<std::uint32_t>& table = m_context.prefs.HotKeys();
    const HotKeyErrors errors = RegisterAllHotKeys(m_context.hotKeys, table);
    m_context.hotKeys.SetListener([this](int id) { OnHotKey(id); });
    const bool listAlways = HasBit(s.displayOptions, AppSettings::kDisplayHotKeyBalloon);
    const StartupHotKeyList list = BuildStartupHotKeyList(table, errors, listAlways);

    // The notification icon with its tool tip, menu and clicks.
    std::string tip = kFileDescription;
    if (const auto dash = tip.find(" - "); dash != std::string::npos) {
        tip.replace(dash, 3, "\n");
    }
    m_tray->SetToolTip(ToQt(tip).left(kTrayTipMax));
    m_binder->BuildPopupMenu(m_trayMenu, res::kMenuTray);
    for (QAction* action : m_trayMenu->actions()) {
        if (CCommandBinder::CommandOf(action) != 0) {
            m_trayMenu->setDefaultAction(action);
            break;
        }
    }
    m_tray->SetMenu(m_trayMenu);
    m_tray->SetClickHandler(
        [this](QSystemTrayIcon::ActivationReason reason) { OnTrayActivated(reason); });
    if (m_iconId == 0) {
        m_iconId = s.PickingStarted() ? res::kIconStarted : res::kIconStopped;
        setWindowIcon(IconFromSvg(m_iconId));
    }
    m_tray->SetIcon(IconFromSvg(m_iconId));

    // The start-up balloon: at a hidden start that lists the hot keys, or when a hot key
    // could not be registered.
    const bool hiddenStart = listAlways && !m_context.prefs.WinState(kWinStateMainFrame).IsOpen();
    if (list.showBalloon || hiddenStart) {
        m_balloonText = ToQt(LoadString(kIdsApplicationStarted) + list.text).left(kBalloonTextMax);
        const QString title =
            ToQt(std::string(kProductName) + " " + kProductVersionText).left(kBalloonTitleMax);
        m_tray->SetPendingBalloon(title, m_balloonText);
    }
    m_tray->Add();
}

void CMainFrame::OnHotKey(int id) {
    // A hot key pressed while the previous one is still being handled is dropped.
    if (m_inHotKey) return;
    m_inHotKey = true;
    const bool started = m_context.prefs.Settings().PickingStarted();
    const HotKeyAction action = ActionForHotKey(id, started);
    if (action.askResumePicking) {
        const MsgAnswer answer =
            m_context.dialogs.MessageBox(LoadString(kIdsResumePicking), LoadString(kIdsAppTitle),
                                         MsgButtons::kYesNo, MsgIcon::kQuestion);
        if (answer == MsgAnswer::kYes) ExecuteKeyCommand(static_cast<int>(kCmdResumePicking));
    } else if (action.command != 0) {
        ExecuteKeyCommand(static_cast<int>(action.command));
    }
    m_inHotKey = false;
}

void CMainFrame::OnTrayActivated(int reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    QAction* first = m_trayMenu->defaultAction();
    // Shift+click runs the first item at once.
    if (first && QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier)) {
        ExecuteCommand(CCommandBinder::CommandOf(first));
        return;
    }
    if (isVisible()) {
        raise();
        activateWindow();
    }
    m_binder->UpdateMenu(m_trayMenu);
    m_trayMenu->popup(QCursor::pos());
}

WindowId CMainFrame::NativeWindow() const {
    if (!testAttribute(Qt::WA_WState_Created)) return kNoWindow;
    return static_cast<WindowId>(winId());
}

bool CMainFrame::IsOverlayVisible() const {
    // The capture and measuring overlays come with their tools.
    return false;
}

}  // namespace nl
