#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/CSubscription.h"
#include "base/bits.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "framework/CIdleGate.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/CViewAppTB.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/ToolServices.h"
#include "picking/CPickingTimer.h"
#include "picking/qt/CQtTickTimer.h"
#include "platform/IDesktop.h"
#include "platform/IScreenSource.h"

class QIcon;
class QMenu;

namespace nl {

enum class OptionWord;
class CAppSplitterWnd;
class CCommandBinder;
class CFrozenScreen;
class CStatusBarEx;
class CToolBarEx;
class CTrayItem;

// The program's one top-level window: the toolbar, the two-row splitter with the active
// tool's toolbar view above its main view, the status bar and the notification icon. It
// hosts the views of the tools in the registry (they hear the view notifications themselves)
// and opens the tools' own windows, drives the picking timer and turns close, deactivation
// and end of session into flushes of the settings.
class CMainFrame : public QMainWindow,
                   public CCmdTarget,
                   public IViewNotifySink,
                   public IViewHost,
                   public IWindowHiding {
public:
    // The picking timer's period.
    static constexpr int kPickTimerMs = CPickingTimer::kPeriodMs;
    // Deactivating the application writes the settings at most this often.
    static constexpr std::uint64_t kDeactivationFlushMs = 300000;
    // How often the idle update of menus, buttons and panes runs while the window is shown.
    static constexpr int kIdleUpdateMs = 100;

    // `tools` outlives the window.
    CMainFrame(AppContext& context, const CToolRegistry& tools);
    ~CMainFrame() override;

    // Start-up: registers the global hot keys (building the start-up list) and adds the
    // notification icon, then restores the saved placement and shows or hides the window.
    void RegisterHotKeysAndTray();
    void ShowAtStartup();

    // IViewHost: the command route toolbar view, main view, frame, document, application.
    bool ExecuteCommand(int id) override;
    CCmdUI UpdateCommand(int id) override;
    std::optional<CCmdUI> UpdateCommandIfHandled(int id) override;
    // Runs command `id` as sent from `origin`: the picks (Pick color, the delayed pick) are
    // the window's own and learn where they came from (a key pick stops picking when
    // auto-stop is on); every other command runs along the route.
    bool ExecuteCommand(int id, PickOrigin origin);
    // Does what hot key `id` does when pressed (also for the same command sent from outside).
    void OnHotKey(int id);

    // IViewHost: the native window id (an X11 window here), 0 before the window exists.
    WindowId NativeWindow() const override;
    QWidget* Window() override { return this; }
    // IViewHost: the first shown window opened for a tool that has an origin to follow.
    RulerState Ruler() const;
    // Whether a capture or measuring overlay of this window is open and visible.
    bool IsOverlayVisible() const;
    // The frozen screen picking runs on where the desktop does not follow the pointer.
    CFrozenScreen& FrozenScreen() const { return *m_frozen; }
    // Whether a window of the frozen screen has the keyboard.
    bool IsFrozenScreenActive() const;
    // IViewHost: the status-bar countdown, hiding for a capture and coming back.
    IPickCountdown& Countdown();
    void HideForCapture() override;
    void RestoreAfterCapture() override;

    // IViewNotifySink: the idle update, the frozen screen and the status bar's tips follow.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // Starts or stops the picking timer by general option bit 0x1, sets the window and
    // notification icons to match and sends view notification 3. Where the desktop does not
    // follow the pointer, picking runs on the frozen screen, shown while it runs; when the
    // screen cannot be frozen picking stays stopped and the reason is shown.
    void ApplyPickingState();
    // Runs the idle update now: menus, toolbar buttons, form controls, panes and title.
    void RunIdleUpdate();
    // The application lost activation: writes the settings when the last such write is
    // long enough ago.
    void OnApplicationDeactivated();
    // Copies the window's placement into its window state (marking the settings changed
    // when it moved or was resized).
    void RecordPlacement();

    // The window's default and minimum client sizes, from the Color Picker's form.
    QSize DefaultSize() const;
    QSize MinimumFrameSize() const;

    // What ends the program after Exit (the event loop's quit unless replaced).
    void SetQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // What makes the tool window registered for `command`, for the opener to show; empty
    // when no tool registered such a window. The window is a child of this one and is
    // deleted when it is closed or when this window goes.
    std::function<QWidget*()> ToolWindowFactory(int command);

    // The views and bars of the window.
    CViewAppTB* ToolbarView() const { return m_toolbarView; }
    QWidget* MainView() const { return m_mainView.widget; }
    // IViewHost: the view that last had the focus or a click (the toolbar view at first).
    QWidget* ActiveView() const override { return m_activeView; }
    void SetActiveView(QWidget* view) override;
    CAppSplitterWnd* Splitter() const { return m_splitter; }
    CToolBarEx* ToolBar() const { return m_toolBar; }
    CStatusBarEx* StatusBarEx() const { return m_statusBar; }
    // Shows `note` on the status bar in place of the hints for a while after the start (how
    // the program runs in this session).
    void ShowSessionNote(const QString& note);
    // Says on the status bar what a screenshot asked of the desktop waits for (the first one
    // of this setup explained, a long wait told) until the request ends.
    void OnScreenRequest(ScreenRequestEvent event);
    CCommandBinder* Binder() const override { return m_binder; }
    // IViewHost: samples the desktop under the cursor on each picking tick and carries out
    // the picks.
    CDesktopSampler& Sampler() { return m_picking->Sampler(); }
    CTrayItem* Tray() const { return m_tray; }
    QMenu* TrayMenu() const { return m_trayMenu; }
    // The menu resource the menu bar shows.
    int MenuId() const { return m_menuId; }
    // The icon of the window and the notification area (res::kIconStarted or kIconStopped).
    int IconId() const { return m_iconId; }
    bool IsPickTimerRunning() const { return m_picking->IsRunning(); }
    // How often memory was given back to the system.
    int WorkingSetTrims() const { return m_picking->Trims(); }
    // The balloon text prepared at start-up, empty when no balloon is shown.
    const QString& StartupBalloonText() const { return m_balloonText; }

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    // Watches every event of the application for those that may change what the idle update
    // shows.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Puts the icon `pixels` (of m_iconId) in the tray, by its theme name where it has one.
    void ShowTrayIcon(const QIcon& pixels);
    // A window opened for a tool, with the point the magnifier may follow.
    struct OwnedWindow {
        QPointer<QWidget> widget;
        std::function<Point()> origin;
    };

    void AddHandlers();
    void AddToolHandlers();
    void AddToggle(int id, OptionWord word, std::uint32_t bit);
    void AddCheckOnly(int id, OptionWord word, std::uint32_t bit);
    std::vector<CCmdTarget*> Route();
    bool RouteHasHandler(int id);
    void SwitchTool(std::int32_t tool);
    void ShowHide();
    void ShowAndActivate();
    void StayOnTop();
    void ApplyTopmost(bool topmost);
    void Arrange();
    void ToggleBar(QWidget* bar, std::uint32_t bit);
    // Asks to save the document, writes the settings and stops saving; false when the user
    // cancelled.
    bool PrepareExit();
    void Exit();
    void Quit();
    void SetPickingStarted(bool started);
    // Shows or takes away the frozen screen as the picking state says; false when it should
    // be shown and cannot.
    bool ApplyFrozenScreen(bool started);
    // Keeps the main window and its tool windows above the frozen screen's `picture` window,
    // or lets them go (null).
    void StackOverFrozenScreen(QWidget* picture);
    // Carries out pick command `id` (Pick color or the delayed pick); false for any other.
    bool RunPick(int id, PickOrigin origin);
    void OnTrayActivated(int reason);
    void ScheduleIdleUpdate();
    // The periodic idle update: runs only when something it reads may have changed.
    void OnIdleTimer();
    std::uint64_t Now() const;
    QSize FormBasedSize(int heightDlu) const;

    AppContext& m_context;
    const CToolRegistry& m_tools;
    CCommandBinder* m_binder = nullptr;
    CToolBarEx* m_toolBar = nullptr;
    CStatusBarEx* m_statusBar = nullptr;
    CAppSplitterWnd* m_splitter = nullptr;
    CTrayItem* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    QPointer<CViewAppTB> m_toolbarView;
    MainViewParts m_mainView;
    QPointer<QWidget> m_activeView;
    // The tool whose views are shown (0: none), -1 before the first views exist.
    std::int32_t m_viewsTool = -1;
    int m_menuId = 0;
    int m_iconId = 0;
    std::vector<OwnedWindow> m_windows;
    // What a capture took off the screen, to show again when it ends.
    std::vector<QPointer<QWidget>> m_hiddenForCapture;
    std::unique_ptr<IPickCountdown> m_countdown;
    // What the tools' registrations hand their views (made with the picking timer).
    std::unique_ptr<ToolServices> m_toolServices;
    CQtTickTimer m_pickTimer;
    std::unique_ptr<CPickingTimer> m_picking;
    std::unique_ptr<CFrozenScreen> m_frozen;
    QTimer m_idleTimer;
    CIdleGate m_idleGate;
    std::uint64_t m_lastDeactivationFlush = 0;
    bool m_showAllowed = false;
    bool m_inHotKey = false;
    bool m_exiting = false;
    bool m_idleScheduled = false;
    bool m_flushScheduled = false;
    CSubscription m_flushSubscription;
    CSubscription m_notifySubscription;
    CSubscription m_wakeSubscription;
    QString m_balloonText;
    QString m_sessionNote;
    // Counts the notes shown, so that a note's time running out clears no later one.
    unsigned m_sessionNoteCount = 0;
    // Whether the note shown is the wait for a screenshot request, cleared when it ends.
    bool m_waitNoteShown = false;
    std::function<void()> m_quit;
};

}  // namespace nl
