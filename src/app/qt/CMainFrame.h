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
#include "framework/CCmdTarget.h"
#include "document/ViewNotification.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CViewAppTB.h"
#include "platform/IDesktop.h"

class QMenu;

namespace nl {

enum class OptionWord;
class CAppSplitterWnd;
class CDesktopSampler;
class CCommandBinder;
class CStatusBarEx;
class CToolBarEx;
class CTrayItem;

// The program's one top-level window: the toolbar, the two-row splitter with the active
// tool's toolbar view above its main view, the status bar and the notification icon. It runs
// the 50 ms picking timer, passes view notifications on to its views and turns close,
// deactivation and end of session into flushes of the settings.
class CMainFrame : public QMainWindow, public CCmdTarget, public IViewNotifySink {
public:
    // The picking timer's period and how long the window stays hidden before memory is
    // given back to the system.
    static constexpr int kPickTimerMs = 50;
    static constexpr std::uint64_t kTrimAfterHiddenMs = 3000;
    // Deactivating the application writes the settings at most this often.
    static constexpr std::uint64_t kDeactivationFlushMs = 300000;
    // How often the idle update of menus, buttons and panes runs while the window is shown.
    static constexpr int kIdleUpdateMs = 100;

    explicit CMainFrame(AppContext& context);
    ~CMainFrame() override;

    // Start-up: registers the global hot keys (building the start-up list) and adds the
    // notification icon, then restores the saved placement and shows or hides the window.
    void RegisterHotKeysAndTray();
    void ShowAtStartup();

    // Runs command `id` along the route toolbar view, main view, frame, document,
    // application; false when nobody handled it.
    bool ExecuteCommand(int id);
    // Runs command `id` as a key or the pick hot key sends it (a pick that arrives this way
    // stops picking when auto-stop is on).
    bool ExecuteKeyCommand(int id);
    // The state of command `id` along the same route.
    CCmdUI UpdateCommand(int id);
    // The answer of the first update handler along the route, or nothing when no target has
    // an update handler for `id` (the control then keeps its state).
    std::optional<CCmdUI> UpdateCommandIfHandled(int id);

    // The native window id (an X11 window here), 0 before the window exists.
    WindowId NativeWindow() const;
    // Whether a capture or measuring overlay of this window is open and visible.
    bool IsOverlayVisible() const;

    // IViewNotifySink: passes the notification to the views of the frame.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // Starts or stops the picking timer by general option bit 0x1, sets the window and
    // notification icons to match and sends view notification 3.
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

    // The views and bars of the window.
    CViewAppTB* ToolbarView() const { return m_toolbarView; }
    QWidget* MainView() const { return m_mainView.widget; }
    // The view that last had the focus or a click (the toolbar view at first).
    QWidget* ActiveView() const { return m_activeView; }
    void SetActiveView(QWidget* view);
    CAppSplitterWnd* Splitter() const { return m_splitter; }
    CToolBarEx* ToolBar() const { return m_toolBar; }
    CStatusBarEx* StatusBarEx() const { return m_statusBar; }
    CCommandBinder* Binder() const { return m_binder; }
    // Samples the desktop under the cursor on each picking tick and carries out the picks.
    CDesktopSampler& Sampler() const { return *m_sampler; }
    CTrayItem* Tray() const { return m_tray; }
    QMenu* TrayMenu() const { return m_trayMenu; }
    // The menu resource the menu bar shows.
    int MenuId() const { return m_menuId; }
    // The icon of the window and the notification area (res::kIconStarted or kIconStopped).
    int IconId() const { return m_iconId; }
    bool IsPickTimerRunning() const { return m_pickTimer.isActive(); }
    // How often memory was given back to the system.
    int WorkingSetTrims() const { return m_trims; }
    // The balloon text prepared at start-up, empty when no balloon is shown.
    const QString& StartupBalloonText() const { return m_balloonText; }

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A main view: the widget and its command and notification sides.
    struct MainViewParts {
        QWidget* widget = nullptr;
        CCmdTarget* target = nullptr;
        IViewNotifySink* sink = nullptr;
    };

    void AddHandlers();
    void AddToggle(int id, OptionWord word, std::uint32_t bit);
    void AddCheckOnly(int id, OptionWord word, std::uint32_t bit);
    std::vector<CCmdTarget*> Route();
    bool RouteHasHandler(int id);
    void SwitchTool(std::int32_t tool);
    CViewAppTB* CreateToolbarView(std::int32_t tool);
    MainViewParts CreateMainView(std::int32_t tool);
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
    void OnPickTimer();
    void SetPickingStarted(bool started);
    void DelayedPick();
    void OnHotKey(int id);
    void OnTrayActivated(int reason);
    void TrimWorkingSet();
    void ScheduleIdleUpdate();
    std::uint64_t Now() const;
    QSize FormBasedSize(int heightDlu) const;

    AppContext& m_context;
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
    std::unique_ptr<CDesktopSampler> m_sampler;
    // Set while a command sent by a key or hot key runs.
    bool m_keyCommand = false;
    QTimer m_pickTimer;
    QTimer m_idleTimer;
    std::uint64_t m_hiddenSince = 0;
    std::uint64_t m_lastDeactivationFlush = 0;
    int m_trims = 0;
    bool m_showAllowed = false;
    bool m_inHotKey = false;
    bool m_exiting = false;
    bool m_idleScheduled = false;
    bool m_flushScheduled = false;
    CSubscription m_flushSubscription;
    CSubscription m_wakeSubscription;
    QString m_balloonText;
    std::function<void()> m_quit;
};

}  // namespace nl
