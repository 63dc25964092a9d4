#include "app/qt/CMainFrame.h"

#include <malloc.h>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "app/qt/CAppSplitterWnd.h"
#include "app/qt/CTrayItem.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/monitor_layout.h"
#include "document/CDocApp.h"
#include "export/CPreviewFile.h"
#include "framework/CAppPrefs.h"
#include "framework/CRecentFileList.h"
#include "framework/ViewNotifyHub.h"
#include "framework/hot_keys.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/CViewApp.h"
#include "framework/screen_request_notice.h"
#include "framework/window_scale.h"
#include "overlay/qt/CFrozenScreen.h"
#include "overlay/qt/COverlayWnd.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "res/forms.h"
#include "ui/qt/CStatusBarEx.h"
#include "ui/qt/CToolBarEx.h"
#include "ui/qt/form_metrics.h"
#include "ui/qt/svg_icons.h"

namespace nl {
namespace {

// The window's default and minimum heights in dialog units; the width is the form's.
constexpr int kDefaultHeightDlu = 250;
constexpr int kMinimumHeightDlu = 200;
constexpr int kFallbackWidthDlu = 200;
constexpr int kReferenceDpi = kDefaultDpi;
// Events that never change what the idle update shows: timers (the picking tick reports a
// new sample itself), queued calls, socket activity and painting. Every other event (input,
// focus, activation, windows shown, hidden, moved) may.
bool LeavesIdleStateAlone(QEvent::Type type) {
    switch (type) {
        case QEvent::Timer:
        case QEvent::MetaCall:
        case QEvent::SockAct:
        case QEvent::SockClose:
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::UpdateLater:
        case QEvent::LayoutRequest:
        case QEvent::Polish:
        case QEvent::PolishRequest:
        case QEvent::ChildPolished:
        case QEvent::DeferredDelete:
            return true;
        default:
            return false;
    }
}

// The settings' active tool when none is shown.
constexpr std::int32_t kNoTool = 0;
// How long the note on how the program runs in this session stays on the status bar.
constexpr int kSessionNoteMs = 15000;

}  // namespace

CMainFrame::CMainFrame(AppContext& context, const CToolRegistry& tools)
    : m_context(context), m_tools(tools), m_pickTimer([this] {
          if (m_picking->OnTick(isVisible() ? CPickingTimer::Visibility::kShown
                                            : CPickingTimer::Visibility::kHidden))
              m_idleGate.MarkChanged();
      }) {
    m_picking = std::make_unique<CPickingTimer>(
        CDesktopSampler::Services{m_context.desktop, m_context.doc.Colors(), m_context.prefs,
                                  m_context.clipboard, m_context.sound, m_context.clock},
        m_context.notify, m_pickTimer, [] { malloc_trim(0); });
    m_picking->SetStopPicking([this] { ExecuteCommand(cmd::kPickingStopped); });
    // A click on the frozen screen picks as the pick hot key does; Esc stops picking.
    m_frozen = std::make_unique<CFrozenScreen>(
        m_context.desktop, m_context.clock,
        CFrozenScreen::Callbacks{[this] { ExecuteCommand(cmd::kPickColor, PickOrigin::kKey); },
                                 [this] { ExecuteCommand(cmd::kPickingStopped); }});
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
    // The countdown paints in the status bar, so the services follow it.
    m_toolServices = std::make_unique<ToolServices>(ToolServices{
        .sampler = m_picking->Sampler(),
        .countdown = Countdown(),
        .hiding = *this,
        .ruler = [this] { return Ruler(); },
    });
    SwitchTool(settings.activeTool);

    m_tray = new CTrayItem(this);
    m_trayMenu = new QMenu(this);

    AddHandlers();

    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { OnIdleTimer(); });
    m_idleTimer.start();
    qApp->installEventFilter(this);

    m_notifySubscription = m_context.notify.Subscribe(*this);
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
    m_picking->Stop();
    m_frozen->Close();
    m_idleTimer.stop();
    m_flushSubscription.Reset();
    m_wakeSubscription.Reset();
    m_notifySubscription.Reset();
    // Every hot key this window may hold, whatever the table says now.
    m_context.hotKeys.SetListener({});
    for (int id = 0; id < kHotKeyCount; ++id) m_context.hotKeys.Unregister(id);
    m_context.preview.Delete();
    if (m_tray) m_tray->Remove();
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

void CMainFrame::SwitchTool(std::int32_t tool) {
    const CToolRegistry::Tool* entry = m_tools.FindTool(tool);
    const std::int32_t views = entry ? tool : kNoTool;
    if (views == m_viewsTool) return;

    ToolViews made = entry ? entry->createViews(m_context, *this, *m_toolServices) : ToolViews{};
    // Without a main view of the tool's own the plain list stands in.
    if (!made.main.widget) made.main = MainViewParts::Of(new CViewApp(m_context, *this));
    CViewAppTB* toolbarView = made.toolbar;
    const MainViewParts mainView = made.main;
    m_toolbarView = toolbarView;
    m_mainView = mainView;
    m_viewsTool = views;
    m_splitter->SetView(CAppSplitterWnd::kToolbarRow, toolbarView);
    m_splitter->SetView(CAppSplitterWnd::kMainRow, mainView.widget);
    m_splitter->SetToolbarRowHeight(toolbarView ? toolbarView->FormSize().height() : 0);
    SetActiveView(toolbarView ? static_cast<QWidget*>(toolbarView) : mainView.widget);

    m_menuId = entry ? entry->menuId : res::kMenuMain;
    m_binder->BuildMenuBar(menuBar(), m_menuId);

    m_context.prefs.SetActiveTool(tool);
    setMinimumSize(MinimumFrameSize());
    ScheduleIdleUpdate();
}

std::function<QWidget*()> CMainFrame::ToolWindowFactory(int command) {
    const CToolRegistry::Window* entry = m_tools.FindWindow(command);
    if (!entry) return {};
    return [this, entry]() -> QWidget* {
        ToolWindow window = entry->create(m_context, *this);
        if (!window.widget) return nullptr;
        window.widget->setAttribute(Qt::WA_DeleteOnClose);
        std::erase_if(m_windows, [](const OwnedWindow& w) { return w.widget.isNull(); });
        m_windows.push_back({window.widget, std::move(window.origin)});
        return window.widget;
    };
}

RulerState CMainFrame::Ruler() const {
    RulerState state;
    for (const OwnedWindow& owned : m_windows) {
        const QWidget* window = owned.widget.data();
        if (!window || !owned.origin || !window->isVisible()) continue;
        state.exists = true;
        // Where activation is shared a tool window counts as active while its owner is: ask
        // for the active window itself.
        state.foreground = QApplication::activeWindow() == window;
        state.origin = owned.origin();
        break;
    }
    return state;
}

void CMainFrame::SetActiveView(QWidget* view) {
    if (m_activeView == view) return;
    QWidget* old = m_activeView;
    m_activeView = view;
    if (old) old->update();
    if (view) view->update();
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
    // The close button of the active window only hides it to the notification area. With
    // no tray to bring it back from, closing ends the program instead.
    if (isActiveWindow() && !m_context.prefs.IsSaveSuppressed() && m_tray && m_tray->IsInTray()) {
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
    m_picking->OnWindowShown();
    QMainWindow::showEvent(event);
}

void CMainFrame::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (m_exiting) return;
    m_picking->OnWindowHidden();
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
    NotePlacementScale(m_context.prefs, kWinStateMainFrame, devicePixelRatioF());
}

// --- picking ----------------------------------------------------------------------------

void CMainFrame::ApplyPickingState() {
    bool started = m_context.prefs.Settings().PickingStarted();
    if (!ApplyFrozenScreen(started)) {
        started = false;
        m_context.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                                  OptionState::kOff);
    }
    const int icon = started ? res::kIconStarted : res::kIconStopped;
    if (icon != m_iconId) {
        m_iconId = icon;
        const QIcon image = IconFromSvg(icon);
        setWindowIcon(image);
        ShowTrayIcon(image);
    }
    m_picking->Apply();
}

bool CMainFrame::ExecuteCommand(int id, PickOrigin origin) {
    if (!RunPick(id, origin)) return ExecuteCommand(id);
    ScheduleIdleUpdate();
    return true;
}

bool CMainFrame::RunPick(int id, PickOrigin origin) {
    switch (id) {
        case cmd::kPickColor:
            m_picking->Pick(origin);
            return true;
        case cmd::kShiftEnterAction:
            m_picking->DelayedPick(origin, Countdown());
            return true;
        default:
            return false;
    }
}

std::uint64_t CMainFrame::Now() const {
    return m_context.tickCount ? m_context.tickCount() : 0;
}

// --- notifications and idle update -----------------------------------------------------

void CMainFrame::OnViewNotify(ViewNotify type, std::intptr_t) {
    // A tick that sampled again reports itself (the picking timer's callback).
    if (type != ViewNotify::kTimerTick) m_idleGate.MarkChanged();
    if (type == ViewNotify::kTimerTick && m_frozen->IsOpen()) m_frozen->FollowCursor();
    if (type == ViewNotify::kToolTipsChanged) {
        m_statusBar->SetToolTipsEnabled(
            HasBit(m_context.prefs.Settings().generalOptions, AppSettings::kGeneralToolTips));
    }
}

void CMainFrame::ScheduleIdleUpdate() {
    if (m_idleScheduled) return;
    m_idleScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_idleScheduled = false;
        RunIdleUpdate();
    });
}

void CMainFrame::ShowSessionNote(const QString& note) {
    m_sessionNote = note;
    m_waitNoteShown = false;
    const unsigned shown = ++m_sessionNoteCount;
    QTimer::singleShot(kSessionNoteMs, this, [this, shown] {
        if (shown != m_sessionNoteCount) return;
        m_sessionNote.clear();
        ScheduleIdleUpdate();
    });
    ScheduleIdleUpdate();
}

void CMainFrame::OnScreenRequest(ScreenRequestEvent event) {
    if (event == ScreenRequestEvent::kEnded) {
        if (std::exchange(m_waitNoteShown, false)) {
            m_sessionNote.clear();
            ScheduleIdleUpdate();
        }
        return;
    }
    const std::optional<std::string> notice = ScreenRequestNotice(m_context.prefs, event);
    if (!notice) return;
    ShowSessionNote(ToQt(*notice));
    m_waitNoteShown = event == ScreenRequestEvent::kWaiting;
    // The status bar of a hidden window says nothing: the tray's balloon does.
    if (!isVisible() && m_tray && m_tray->IsInTray())
        m_tray->SetPendingBalloon(ToQt(LoadString(kIdsAppTitle)), ToQt(*notice));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (!LeavesIdleStateAlone(event->type())) m_idleGate.MarkChanged();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnIdleTimer() {
    if (!isVisible() || !m_idleGate.IsDue(Now(), m_context.desktop.ChangeCount({}))) return;
    RunIdleUpdate();
}

void CMainFrame::RunIdleUpdate() {
    // The windows' count first: the update reads the windows it vouches for.
    m_idleGate.Ran(Now(), m_context.desktop.ChangeCount({}));
    m_binder->UpdateActions();
    if (m_toolbarView) m_toolbarView->UpdateControls();

    const std::optional<CCmdUI> hint = UpdateCommandIfHandled(cmd::kIndicatorHint);
    // The session note stands before the views' hints while it lasts; the frozen screen's keys
    // and clicks replace the hints while it is up.
    if (!m_sessionNote.isEmpty())
        m_statusBar->SetHint(m_sessionNote);
    else if (m_frozen->IsOpen())
        m_statusBar->SetHint(ToQt(LoadString(kIdsHintFrozenScreen)));
    else
        m_statusBar->SetHint(
            ToQt(hint && hint->Text() ? *hint->Text() : LoadString(kIdsIdleMessage)));
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
        // Saved at another scale, the window keeps its size in Qt's pixels. A saved
        // rectangle smaller than the minimum (an older version, a hand-edited file) is
        // enlarged before use; both in device pixels.
        Rect& saved = state.Placement().normalPosition;
        saved = saved.Normalized();
        const double ratio = DeviceRatioAt(saved);
        RescaleSavedPlacement(m_context.prefs, kWinStateMainFrame, ratio);
        const QSize minimum = MinimumFrameSize() * ratio;
        if (saved.Width() < minimum.width()) saved.right = saved.left + minimum.width();
        if (saved.Height() < minimum.height()) saved.bottom = saved.top + minimum.height();
        const RestoreResult where = RestoreRect(state, DeviceRect(geometry()),
                                                RestoreMode::kMoveAndSize, monitors, desktop);
        setGeometry(LogicalRect(where.rect));
        setVisible(where.show);
    }
    // Picking on a frozen screen waits for the user's start: a screen frozen at start-up
    // would cover the desktop before anything asked for it.
    if (!m_context.desktop.FollowsPointer())
        m_context.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                                  OptionState::kOff);
    ApplyPickingState();
    if (!isVisible()) m_picking->TrimMemory();
    RunIdleUpdate();
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

WindowId CMainFrame::NativeWindow() const {
    if (!testAttribute(Qt::WA_WState_Created)) return kNoWindow;
    return static_cast<WindowId>(winId());
}

bool CMainFrame::IsFrozenScreenActive() const {
    return m_frozen->Holds(QApplication::activeWindow());
}

bool CMainFrame::IsOverlayVisible() const {
    const COverlayWnd* overlay = COverlayWnd::Current();
    return overlay && overlay->isVisible();
}

}  // namespace nl