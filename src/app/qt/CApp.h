#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/COleDateTime.h"
#include "capture/CCapturedImageStore.h"
#include "export/CPreviewFile.h"
#include "framework/CCmdTarget.h"
#include "framework/ViewNotifyHub.h"
#include "framework/app_rules.h"
#include "framework/command_hand_over.h"
#include "picking/CForegroundWindow.h"
#include "picking/keyboard_helpers.h"
#include "platform/factory/PlatformServices.h"
#include "platform/instance_request.h"

class QApplication;
class QKeyEvent;
class QSocketNotifier;
class QTimer;

namespace nl {

class CAppPrefs;
class CDocApp;
class CDocCommands;
class CMainFrame;
class CRecentFileList;
struct AppContext;

// The application object: owns the platform services, the settings, the document with its
// commands and the main window; starts up in a fixed order, runs the application's commands,
// gives the keyboard helpers the keys pressed in the main window and writes the settings
// when the program or the session ends.
class CApp : public QObject, public CCmdTarget {
public:
    // The name under which one instance runs per user.
    static constexpr const char* kInstanceName = kProgramInstanceName;
    // The exit code of a start that ends early (a second instance, a failed start).
    static constexpr int kExitFailure = 1;
    // The variable in which an X11 launcher hands a started program its startup id.
    static constexpr const char* kStartupIdVariable = nl::kStartupIdVariable;
    // The exit code of a command line the program does not understand.
    static constexpr int kExitBadUsage = 2;
    static constexpr const char* kWebSiteUrl = "https://www.nerimrirideviz.example/nerimlens";

    // Creates the Qt application (with device pixels as Qt's coordinates) and the services
    // of the `platform` kind.
    CApp(int& argc, char** argv, PlatformKind platform);
    ~CApp() override;
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // Starts up and runs the event loop; returns the process's exit code.
    int Run();

    // The windows that later parts of the program provide. Until a factory is set the
    // command that opens the window is disabled.
    using WindowFactory = std::function<QWidget*()>;
    void SetRulerFactory(WindowFactory factory) { m_rulerFactory = std::move(factory); }
    void SetClipboardViewerFactory(WindowFactory factory) {
        m_clipboardViewerFactory = std::move(factory);
    }
    QWidget* Ruler() const { return m_ruler; }
    QWidget* ClipboardViewer() const { return m_clipboardViewer; }
    QWidget* Contrast() const { return m_contrast; }

    CMainFrame* MainFrame() const { return m_frame.get(); }
    bool IsStarted() const { return m_started; }
    // Whether the arrow keys and Enter now move the cursor and pick. The answer holds for
    // one pass of the event loop: the updates of one idle pass ask more than once.
    bool KeyboardHelpersAvailable(
        CRootUnderCursor::Lookup lookup = CRootUnderCursor::Lookup::kReuse) const;

    // Runs the command, showing a system error it raises as a numbered error.
    bool OnCommand(int id) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Start(int& exitCode);
    // KeyboardHelpersAvailable asked of the desktop now (needs the main window); the window
    // under the cursor is reused or looked up afresh as `lookup` says.
    bool KeyboardHelpersNow(CRootUnderCursor::Lookup lookup) const;
    // The desktop's foreground window, reused or asked afresh as `lookup` says.
    WindowId Foreground(CRootUnderCursor::Lookup lookup) const;
    void RegisterCommands();
    // The absolute path of the document named on the command line; empty: none.
    std::string StartDocumentPath() const;
    void OpenStartDocument();
    // Single instance: hands a later start's request to the first instance, or becomes it.
    bool StartInstance(int& exitCode);
    void OnInstanceRequest(const InstanceRequest& request);
    // Shows the window or runs the command of a request that names no document.
    void RunInstanceRequest(const InstanceRequest& request);
    // Opens the documents later starts handed over, in turn, once no modal dialog is up.
    void OpenHandedDocuments();
    // Runs the command given with --command at this start, once the window is up.
    void RunStartCommand();
    void ShowFromAnotherStart(const std::string& activationToken);
    // Brings the main window to the front and gives it the focus, with the desktop's
    // permission `activationToken` where a later start brought one.
    void ActivateMainWindow(const std::string& activationToken);
    // Whether the updater program stands beside the executable.
    UpdaterPresence Updater() const;
    void StartUpdater(int request);
    void OnUpdaterTimer();
    void ToggleWindow(QPointer<QWidget>& window, const WindowFactory& factory);
    void ToggleColorPickerOption(std::uint32_t bit);
    void MoveCursor(int command);
    void About();
    // Shows the help window (made on first use, then brought to the front).
    void ShowHelp();
    void Exit();
    void EndSession();
    // Keeps a modified document in the recovery files beside the data file, without asking.
    void KeepDocumentForRecovery();
    // At start: offers the document a run that ended without asking kept.
    void OfferRecovery();
    // Installs the exit path for an end the event loop never sees (the display connection
    // broke and the toolkit ends the process): the document is kept, the settings written.
    void InstallAbruptExitHandler();
    void OnAbruptExit();
    static void OnProcessExit();
    // The program the exit handler acts for; none once it ended in order.
    static inline CApp* s_abruptExitApp = nullptr;
    void InstallSignalHandlers();
    // Hands the monitors to the unit tables again whenever Qt's screens change.
    void WatchMonitors();
    bool FilterKey(QKeyEvent* event);
    void ShowError(const std::string& text) const;
    void DestroyWindows();
    QWidget* DialogParent() const;

    // The X11 startup id the launcher gave this start: read before the toolkit connects to
    // the X server, which takes it out of the environment.
    std::optional<std::string> m_launcherStartupId;
    std::unique_ptr<QApplication> m_qapp;
    std::vector<std::string> m_arguments;  // without the program's name and --command
    std::string m_startCommand;            // the name given with --command, empty: none
    std::string m_usageError;              // not empty: the command line is wrong
    // Requests with a document that wait to be opened (a modal dialog may be up).
    std::vector<InstanceRequest> m_handedRequests;
    QTimer* m_handedRequestsTimer = nullptr;

    // Platform services: owned by m_platform, with a pointer to each for short use.
    SystemClock m_clock;
    std::unique_ptr<PlatformServices> m_platform;
    IDesktop* m_desktop;
    IHotKeys* m_hotKeys;
    ISound* m_sound;
    IClipboard* m_clipboard;
    ILocale* m_locale;
    IShell* m_shell;
    ISystemInfo* m_systemInfo;
    IFileSystem* m_files;
    IFolders* m_folders;
    ISettingsStore* m_store;
    IDialogs* m_dialogs;
    ISingleInstance* m_instance;

    // Settings, document and their commands.
    std::unique_ptr<CAppPrefs> m_prefs;
    ViewNotifyHub m_notify;
    CSubscription m_wakeSubscription;
    CSubscription m_flushSubscription;
    std::unique_ptr<CDocApp> m_doc;
    CPreviewFile m_preview;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CDocCommands> m_docCommands;
    // A new or deleted image tells every view at once.
    CCapturedImageStore m_capturedImage{&m_notify};
    std::unique_ptr<AppContext> m_context;

    // Windows.
    std::unique_ptr<CMainFrame> m_frame;
    QPointer<QWidget> m_ruler;
    QPointer<QWidget> m_clipboardViewer;
    QPointer<QWidget> m_contrast;
    QPointer<QWidget> m_options;
    QPointer<QWidget> m_help;
    WindowFactory m_rulerFactory;
    WindowFactory m_optionsFactory;
    WindowFactory m_clipboardViewerFactory;
    WindowFactory m_contrastFactory;

    QTimer* m_updaterTimer = nullptr;
    int m_updaterTicks = 0;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_started = false;
    // KeyboardHelpersAvailable's answer in this pass of the event loop.
    mutable std::optional<bool> m_helpersThisPass;
    // The window under the cursor as the idle updates last found it.
    mutable std::unique_ptr<CRootUnderCursor> m_rootUnderCursor;
    mutable std::unique_ptr<CForegroundWindow> m_foreground;
    bool m_inFrameClose = false;
    bool m_sessionEnded = false;
};

}  // namespace nl
