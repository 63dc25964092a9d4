#include "app/qt/CApp.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/qt/CMainFrame.h"
#include "app/qt/tools.h"
#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "capture/qt/export_image.h"
#include "contrast/contrast_setting.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/CDocCommands.h"
#include "framework/CRecentFileList.h"
#include "framework/app_rules.h"
#include "framework/event_sounds.h"
#include "framework/latency_trace.h"
#include "framework/program_options.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/first_paint_trace.h"
#include "overlay/qt/COverlayWnd.h"
#include "platform/IDialogs.h"
#include "platform/IFolders.h"
#include "platform/ILocale.h"
#include "platform/IShell.h"
#include "platform/ISingleInstance.h"
#include "platform/factory/PlatformServices.h"
#include "res/accelerators.h"
#include "res/help_page.h"
#include "res/version.h"
#include "ui/qt/qt_keys.h"

namespace nl {

namespace {

// The write end of the pipe the signal handler wakes the event loop through.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}

std::vector<std::string> ArgumentsAfterProgram(int argc, char** argv) {
    std::vector<std::string> out;
    for (int i = 1; i < argc; ++i) out.emplace_back(argv[i]);
    return out;
}

// Whether the modal dialog now up, if any, belongs to `window`.
bool HasModalDialog(const QWidget* window) {
    for (const QWidget* w = QApplication::activeModalWidget(); w != nullptr; w = w->parentWidget())
        if (w == window) return true;
    return false;
}

bool IsDataOverride(const std::string& argument) {
    return StartsWithNoCase(argument, CPrefs::kFolderArgument) ||
           StartsWithNoCase(argument, CPrefs::kFileArgument);
}

std::optional<std::string> LauncherStartupId() {
    const char* id = std::getenv(CApp::kStartupIdVariable);
    return id != nullptr ? std::optional<std::string>(id) : std::nullopt;
}

// Qt scales the user interface with the desktop's setting (Xft.dpi, QT_SCALE_FACTOR); the
// desktop services keep screen positions in the X server's device pixels.
QApplication* MakeApplication(int& argc, char** argv) {
    auto* app = new QApplication(argc, argv);
    TraceLatency("qapp");
    QApplication::setApplicationName(kProductName);
    QApplication::setOrganizationName(kCompanyName);
    QApplication::setApplicationVersion(kProductVersionText);
    // The windows belong to the installed launcher, whose icon and name docks show for them:
    // on Wayland the app_id is the launcher's id (on X11 the launcher's StartupWMClass names
    // the windows' class).
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopAppId));
    // The main window hides to the notification area; the program ends with the window's
    // real close, not with the last window that happens to close.
    QApplication::setQuitOnLastWindowClosed(false);
    return app;
}

}  // namespace

CApp::CApp(int& argc, char** argv, PlatformKind platform)
    : m_launcherStartupId(LauncherStartupId()),
      m_qapp(MakeApplication(argc, argv)),
      // Qt has taken its own options out of argv by now.
      m_arguments(ArgumentsAfterProgram(argc, argv)),
      m_platform(PlatformServices::Create(platform)),
      m_desktop(&m_platform->Desktop()),
      m_hotKeys(&m_platform->HotKeys()),
      m_sound(&m_platform->Sound()),
      m_clipboard(&m_platform->Clipboard()),
      m_locale(&m_platform->Locale()),
      m_shell(&m_platform->Shell()),
      m_systemInfo(&m_platform->SystemInfo()),
      m_files(&m_platform->Files()),
      m_folders(&m_platform->Folders()),
      m_store(&m_platform->SettingsStore()),
      m_dialogs(&m_platform->Dialogs()),
      m_instance(&m_platform->SingleInstance()),
      m_prefs(std::make_unique<CAppPrefs>(
          PrefsServices{m_store, m_folders, m_files, m_dialogs, &m_clock}, &m_notify)),
      m_doc(std::make_unique<CDocApp>(m_clock, *m_files, &m_notify)) {
    TraceLatency("services");
    // main() has refused a wrong --command already; what is left after the toolkit took its
    // own options out must be a document or an override.
    ProgramOptions options = ParseProgramOptions(m_arguments, UnknownOptions::kRefuse);
    m_usageError = std::move(options.error);
    m_arguments = std::move(options.rest);
    m_startCommand = std::move(options.command);
    RegisterCommands();
    // Posted notifications are sent from the event loop.
    m_wakeSubscription = m_notify.SubscribeWake([this] {
        QMetaObject::invokeMethod(
            this, [this] { m_notify.Flush(); }, Qt::QueuedConnection);
    });
}

CApp::~CApp() {
    if (s_abruptExitApp == this) s_abruptExitApp = nullptr;
    DestroyWindows();
    qApp->removeEventFilter(this);
    if (g_signalPipe[0] >= 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        ::close(g_signalPipe[0]);
        ::close(g_signalPipe[1]);
        g_signalPipe[0] = g_signalPipe[1] = -1;
    }
}

int CApp::Run() {
    if (!m_usageError.empty()) {
        std::fprintf(stderr, "nerimlens: %s\n%s\n", m_usageError.c_str(),
                     ProgramUsageLine("nerimlens").c_str());
        return kExitBadUsage;
    }
    int exitCode = 0;
    if (!Start(exitCode)) {
        DestroyWindows();
        return exitCode;
    }
    const int code = QApplication::exec();
    // Whatever ended the loop, the settings reach the disk (the frame's close has written
    // them already and suppressed saving; then this does nothing).
    if (!m_prefs->IsSaveSuppressed()) m_prefs->Flush();
    m_preview.Delete();
    DestroyWindows();
    return code;
}

bool CApp::Start(int& exitCode) {
    exitCode = kExitFailure;
    m_prefs->SetCurrentVersion(kProductVersion);

    // An installer's maintenance run does its work and ends.
    if (const MaintenanceSwitch which = ParseMaintenanceSwitch(m_arguments);
        which != MaintenanceSwitch::kNone) {
        m_prefs->SetRegistryKey();
        exitCode = RunMaintenanceSwitch(which, *m_prefs) == 0 ? 0 : kExitFailure;
        return false;
    }

    // One instance per user: a later start shows the first one (or runs its command there)
    // and ends.
    if (!StartInstance(exitCode)) return false;
    TraceLatency("first");

    try {
        m_prefs->SetRegistryKey();
        m_prefs->SetDisplay(m_desktop->Metrics(), m_locale->UserNumberFormat());
        m_prefs->SetMonitors(m_desktop->Monitors());
        m_prefs->Initialize(m_arguments);
        m_prefs->SetDefaults();
        TraceLatency("defaults");
        if (const LoadResult loaded = m_prefs->Load(); loaded.exitRequested) {
            exitCode = loaded.exitCode;
            return false;
        }
        TraceLatency("prefs");

        m_recentFiles = std::make_unique<CRecentFileList>(*m_store, m_prefs->Key(),
                                                          m_prefs->Settings().recentFileCount);
        m_recentFiles->Load();
        m_docCommands = std::make_unique<CDocCommands>(
            DocCommandServices{*m_doc, *m_prefs, *m_dialogs, *m_files, *m_clipboard, *m_shell,
                               m_preview, *m_recentFiles, m_clock, *m_locale, *m_systemInfo});
        m_context = std::make_unique<AppContext>(AppContext{
            .prefs = *m_prefs,
            .doc = *m_doc,
            .recentFiles = *m_recentFiles,
            .preview = m_preview,
            .notify = m_notify,
            .desktop = *m_desktop,
            .windowSystem = m_platform->WindowSystem(),
            .clipboard = *m_clipboard,
            .hotKeys = *m_hotKeys,
            .sound = *m_sound,
            .shell = *m_shell,
            .dialogs = *m_dialogs,
            .files = *m_files,
            .folders = *m_folders,
            .locale = *m_locale,
            .systemInfo = *m_systemInfo,
            .clock = m_clock,
            .capturedImage = m_capturedImage,
            .documentTarget = *m_docCommands,
            .applicationTarget = *this,
            .keyboardHelpersAvailable = [this] { return KeyboardHelpersAvailable(); },
            .saveModified = [this] { return m_docCommands->SaveModified(); },
            .tickCount = [this] { return static_cast<std::uint64_t>(m_clock.TickCountMs()); },
            .foregroundWindow = [this] { return Foreground(CRootUnderCursor::Lookup::kReuse); }});
        m_frame = std::make_unique<CMainFrame>(*m_context, ProgramTools());
        TraceLatency("frame");
        if (!m_rulerFactory) m_rulerFactory = m_frame->ToolWindowFactory(cmd::kRuler);
        m_optionsFactory = m_frame->ToolWindowFactory(cmd::kOptions);
        if (!m_clipboardViewerFactory)
            m_clipboardViewerFactory = m_frame->ToolWindowFactory(cmd::kClipboardViewer);
        m_contrastFactory = m_frame->ToolWindowFactory(cmd::kContrast);
        // Subscribed after the main window's own: the open states of the ruler, the
        // clipboard viewer and the contrast window are recorded after their placements.
        m_flushSubscription = m_prefs->SubscribeFlush([this] {
            m_prefs->WinState(kWinStateRuler).SetOpen(m_ruler != nullptr);
            m_prefs->WinState(kWinStateClipboardViewer).SetOpen(m_clipboardViewer != nullptr);
            StoreContrastOpen(*m_prefs, m_contrast != nullptr);
        });
        m_frame->installEventFilter(this);

        OpenStartDocument();
        OfferRecovery();
        m_frame->RegisterHotKeysAndTray();
        TraceLatency("tray");
        TraceFirstPaint(*m_frame, "painted");
        m_frame->ShowAtStartup();
        TraceLatency("shown");
        if (!m_platform->SessionNote().empty())
            m_frame->ShowSessionNote(QString::fromStdString(m_platform->SessionNote()));
        m_platform->SetScreenRequestListener(
            [frame = m_frame.get()](ScreenRequestEvent event) { frame->OnScreenRequest(event); });
        // The ruler comes back when it was open at the last exit.
        if (m_rulerFactory && m_prefs->WinState(kWinStateRuler).IsOpen()) OnCommand(cmd::kRuler);
        if (m_clipboardViewerFactory && m_prefs->WinState(kWinStateClipboardViewer).IsOpen())
            OnCommand(cmd::kClipboardViewer);
        if (m_contrastFactory && ContrastWasOpen(*m_prefs)) OnCommand(cmd::kContrast);
    } catch (const CSystemError& e) {
        DestroyWindows();
        ShowError(e.Message());
        return false;
    }

    // The updater's silent check: first after a few seconds, then every few hours; none
    // where no updater is installed (the package manager brings the updates).
    m_updaterTimer = new QTimer(this);
    m_updaterTimer->setSingleShot(true);
    connect(m_updaterTimer, &QTimer::timeout, this, [this] { OnUpdaterTimer(); });
    if (Updater() == UpdaterPresence::kInstalled) m_updaterTimer->start(UpdaterTimerInterval(0));

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        // The session may still be cancelled: write the settings, keep running.
        m_prefs->Flush();
        m_preview.Delete();
    });
    InstallSignalHandlers();
    InstallAbruptExitHandler();
    WatchMonitors();
    qApp->installEventFilter(this);
    m_started = true;
    if (!m_startCommand.empty())
        QMetaObject::invokeMethod(
            this, [this] { RunStartCommand(); }, Qt::QueuedConnection);
    exitCode = 0;
    return true;
}

std::string CApp::StartDocumentPath() const {
    for (const std::string& argument : m_arguments) {
        if (IsDataOverride(argument) || argument.empty()) continue;
        return QFileInfo(QString::fromStdString(argument)).absoluteFilePath().toStdString();
    }
    return {};
}

void CApp::OpenStartDocument() {
    const std::string path = StartDocumentPath();
    if (!path.empty() && m_docCommands->OpenDocument(path)) return;
    m_doc->OnNewDocument();

    const StartDocument named = path.empty() ? StartDocument::kNoneNamed : StartDocument::kNamed;
    const std::string recent = m_recentFiles->Size() > 0 ? m_recentFiles->Path(0) : std::string();
    if (ReopensLastDocument(named, m_prefs->Settings().generalOptions, recent))
        m_docCommands->OnCommand(cmd::kFileMruFirst);
}

void CApp::RegisterCommands() {
    AddCommand(cmd::kAppAbout, [this] { About(); });
    AddCommand(cmd::kHelp, [this] { ShowHelp(); });
    AddCommand(cmd::kWebSite, [this] {
        if (const std::uint32_t code = m_shell->OpenUrl(kWebSiteUrl))
            ShowError(FormatSystemError(code, kWebSiteUrl));
    });
    AddCommand(cmd::kOptions, [this] { ToggleWindow(m_options, m_optionsFactory); });
    AddUpdate(cmd::kOptions, [this](CCmdUI& ui) {
        ui.Enable(static_cast<bool>(m_optionsFactory) || m_options);
        ui.SetCheck(m_options != nullptr);
    });
    AddCommandRange(cmd::kCursorLeft, cmd::kCursorDown, [this](int id) {
        MoveCursor(id);
        return true;
    });
    // The keyboard helpers' keys: the picks they make are key picks.
    AddCommand(cmd::kPick, [this] { m_frame->ExecuteCommand(cmd::kPickColor, PickOrigin::kKey); });
    AddCommand(cmd::kCopy, [this] { m_frame->ExecuteCommand(cmd::kCopyColor, PickOrigin::kKey); });
    AddCommand(cmd::kShiftEnter,
               [this] { m_frame->ExecuteCommand(cmd::kShiftEnterAction, PickOrigin::kKey); });
    AddCommand(cmd::kAutoStop, [this] { ToggleColorPickerOption(AppSettings::kPickerAutoStop); });
    AddCommand(cmd::kAutoCopy, [this] { ToggleColorPickerOption(AppSettings::kPickerAutoCopy); });
    AddUpdate(cmd::kAutoStop, [this](CCmdUI& ui) {
        ui.SetCheck((m_prefs->Settings().colorPickerOptions & AppSettings::kPickerAutoStop) != 0);
    });
    AddUpdate(cmd::kAutoCopy, [this](CCmdUI& ui) {
        ui.SetCheck((m_prefs->Settings().colorPickerOptions & AppSettings::kPickerAutoCopy) != 0);
    });
    // Export Image works on the application's captured image from every tool's menu.
    AddCommand(cmd::kSaveImage,
               [this] { ExportImageDialog(m_capturedImage.Image(), *m_dialogs, *m_files); });
    AddUpdate(cmd::kSaveImage, [this](CCmdUI& ui) { ui.Enable(m_capturedImage.HasImage()); });
    AddCommand(cmd::kRuler, [this] { ToggleWindow(m_ruler, m_rulerFactory); });
    AddUpdate(cmd::kRuler, [this](CCmdUI& ui) {
        ui.Enable(static_cast<bool>(m_rulerFactory) || m_ruler);
        ui.SetCheck(m_ruler != nullptr);
    });
    AddCommand(cmd::kClipboardViewer,
               [this] { ToggleWindow(m_clipboardViewer, m_clipboardViewerFactory); });
    AddUpdate(cmd::kClipboardViewer, [this](CCmdUI& ui) {
        ui.Enable(static_cast<bool>(m_clipboardViewerFactory) || m_clipboardViewer);
        ui.SetCheck(m_clipboardViewer != nullptr);
    });
    AddCommand(cmd::kContrast, [this] { ToggleWindow(m_contrast, m_contrastFactory); });
    AddUpdate(cmd::kContrast, [this](CCmdUI& ui) {
        ui.Enable(static_cast<bool>(m_contrastFactory) || m_contrast);
        ui.SetCheck(m_contrast != nullptr);
    });
    AddCommand(cmd::kCheckForUpdates,
               [this] { StartUpdater(static_cast<int>(UpdaterRequest::kCheckNow)); });
    AddCommand(cmd::kUpdaterSettings,
               [this] { StartUpdater(static_cast<int>(UpdaterRequest::kConfigure)); });
    for (int id : {cmd::kCheckForUpdates, cmd::kUpdaterSettings})
        AddUpdate(id, [this](CCmdUI& ui) { UpdateUpdaterCommand(ui, Updater()); });
    AddCommand(cmd::kFileNew, [this] { m_docCommands->OnCommand(cmd::kFileNew); });
    AddCommand(cmd::kFileOpen, [this] { m_docCommands->OnCommand(cmd::kFileOpen); });
    AddCommand(cmd::kAppExit, [this] { Exit(); });
}

bool CApp::OnCommand(int id) {
    try {
        return CCmdTarget::OnCommand(id);
    } catch (const CSystemError& e) {
        ShowError(e.Message());
        return true;
    }
}

void CApp::ToggleWindow(QPointer<QWidget>& window, const WindowFactory& factory) {
    if (window) {
        // A window busy with a modal dialog of its own stays until the dialog is done.
        if (window->isEnabled() && !HasModalDialog(window)) window->close();
        return;
    }
    if (!factory) return;
    QWidget* created = factory();
    if (created == nullptr) throw CSystemError(kErrorInvalidWindowHandle);
    created->setAttribute(Qt::WA_DeleteOnClose);
    window = created;
    created->show();
}

void CApp::ToggleColorPickerOption(std::uint32_t bit) {
    m_prefs->ToggleOption(OptionWord::kColorPicker, bit);
}

void CApp::MoveCursor(int command) {
    const auto delta = CursorMoveDelta(command);
    if (!delta) return;
    const Point at = m_desktop->CursorPos();
    m_desktop->SetCursorPos({at.x + delta->x, at.y + delta->y});
    PlayEventSound(*m_sound, SoundEvent::kMoveCursor, m_prefs->Settings().soundOptions,
                   m_prefs->EventSounds());
}

void CApp::About() {
    const QString text = QString::fromStdString(LoadString(kIdsAboutText))
                             .arg(QString::fromUtf8(kProductName).toHtmlEscaped(),
                                  QString::fromUtf8(kProductVersionText).toHtmlEscaped(),
                                  QString::fromUtf8(kFileDescription).toHtmlEscaped(),
                                  QString::fromUtf8(kCompanyName).toHtmlEscaped());
    QMessageBox::about(DialogParent(),
                       QString::fromStdString(LoadString(kIdsAboutCaption)).arg(kProductName),
                       text);
}

void CApp::ShowHelp() {
    if (!m_help) {
        constexpr int kHelpWidth = 560;
        constexpr int kHelpHeight = 520;
        auto* window = new QDialog(m_frame.get(), Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QString::fromStdString(LoadString(kIdsHelpTitle)).arg(kProductName));
        auto* layout = new QVBoxLayout(window);
        auto* page = new QTextBrowser(window);
        page->setHtml(QString::fromStdString(BuildHelpPage()));
        layout->addWidget(page);
        window->resize(kHelpWidth, kHelpHeight);
        m_help = window;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void CApp::Exit() {
    if (m_docCommands && !m_docCommands->SaveModified()) return;
    QApplication::quit();
}

void CApp::EndSession() {
    if (m_sessionEnded) return;
    m_sessionEnded = true;
    // The end of the session waits for no question: a modified document is kept for the
    // next start instead.
    KeepDocumentForRecovery();
    m_prefs->Flush();
    m_prefs->SetSaveSuppressed(true);
    m_preview.Delete();
    QApplication::quit();
}

void CApp::WatchMonitors() {
    // The logical pixel converts with each monitor's place and scale: a monitor plugged in,
    // moved or rescaled shows the figures anew. Queued, so that Qt has finished changing its
    // list of screens when they are read.
    const auto update = [this] { m_prefs->SetMonitors(m_desktop->Monitors()); };
    const auto watch = [this, update](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, update, Qt::QueuedConnection);
        connect(screen, &QScreen::logicalDotsPerInchChanged, this, update, Qt::QueuedConnection);
    };
    for (QScreen* screen : QGuiApplication::screens()) watch(screen);
    connect(
        qApp, &QGuiApplication::screenAdded, this,
        [watch, update](QScreen* screen) {
            watch(screen);
            update();
        },
        Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::screenRemoved, this, update, Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, update, Qt::QueuedConnection);
}

void CApp::InstallSignalHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(g_signalPipe[1], &byte, 1);
        EndSession();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool CApp::KeyboardHelpersAvailable(CRootUnderCursor::Lookup lookup) const {
    if (!m_frame) return false;
    if (m_helpersThisPass) return *m_helpersThisPass;
    // Forgotten when the event loop comes round again.
    QMetaObject::invokeMethod(
        const_cast<CApp*>(this), [this] { m_helpersThisPass.reset(); }, Qt::QueuedConnection);
    m_helpersThisPass = KeyboardHelpersNow(lookup);
    return *m_helpersThisPass;
}

WindowId CApp::Foreground(CRootUnderCursor::Lookup lookup) const {
    if (!m_foreground) m_foreground = std::make_unique<CForegroundWindow>(*m_desktop);
    return m_foreground->Get(lookup);
}

bool CApp::KeyboardHelpersNow(CRootUnderCursor::Lookup lookup) const {
    const WindowId main = m_frame->NativeWindow();
    const bool picking = m_prefs->Settings().PickingStarted();
    const bool foreground =
        m_frame->isActiveWindow() || (main != kNoWindow && Foreground(lookup) == main);
    if (!m_rootUnderCursor) m_rootUnderCursor = std::make_unique<CRootUnderCursor>(*m_desktop);
    const bool overlay = m_frame->IsOverlayVisible() || m_frame->IsFrozenScreenActive();
    // At idle time the picking tick's sample tells where the cursor is (it runs while the
    // helpers can be available: picking started, the window shown).
    return nl::KeyboardHelpersAvailable(*m_rootUnderCursor, lookup, overlay, picking, foreground,
                                        main, m_doc->Colors().Sample().Position());
}

bool CApp::FilterKey(QKeyEvent* event) {
    // The keyboard helpers also serve an open overlay, which holds the keyboard.
    // So does the frozen screen, which follows the cursor they move.
    const bool overlay =
        COverlayWnd::Current() != nullptr || (m_frame && m_frame->IsFrozenScreenActive());
    if (!m_started || !m_frame || (QApplication::activeWindow() != m_frame.get() && !overlay))
        return false;
    // An open menu or drop-down list of the program has the keyboard, wherever the cursor is.
    if (QApplication::activePopupWidget() != nullptr) return false;
    // So have the keys the open overlay takes itself (ending a run of kept measurements).
    if (const COverlayWnd* open = COverlayWnd::Current(); open && open->WantsKey(*event))
        return false;
    const Qt::KeyboardModifiers qtModifiers = event->modifiers();
    const std::uint32_t modifiers = SystemModifiersFromQt(qtModifiers);
    const std::uint32_t virtualKey = VirtualKeyFromQtKey(event->key(), qtModifiers);
    if (virtualKey == 0) return false;
    const int command = FindAcceleratorCommand(res::kAcceleratorsMain, modifiers, virtualKey);
    if (command < cmd::kCursorLeft || command > cmd::kCopy) return false;
    // Without the helpers the key belongs to the focused control.
    // Asked afresh: the window may have been activated earlier in this pass of the loop, and
    // windows may have changed under a still cursor before the desktop reported it.
    m_helpersThisPass.reset();
    if (!KeyboardHelpersAvailable(CRootUnderCursor::Lookup::kFresh)) return false;
    m_frame->ExecuteCommand(command);
    return true;
}

bool CApp::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return FilterKey(static_cast<QKeyEvent*>(event));
        case QEvent::LocaleChange:
            if (watched == qApp && m_started) {
                m_prefs->SetDisplay(m_desktop->Metrics(), m_locale->UserNumberFormat());
            }
            return false;
        case QEvent::Close:
            // The main window's close either hides it (then the event is refused) or ends the
            // program. Deliver it here to learn which.
            if (watched == m_frame.get() && !m_inFrameClose) {
                m_inFrameClose = true;
                QCoreApplication::sendEvent(watched, event);
                m_inFrameClose = false;
                if (event->isAccepted())
                    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void CApp::ShowError(const std::string& text) const {
    m_dialogs->MessageBox(text, LoadString(kIdsAppTitle), MsgButtons::kOk, MsgIcon::kWarning);
}

QWidget* CApp::DialogParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_frame && m_frame->isVisible() ? m_frame.get() : nullptr;
}

void CApp::DestroyWindows() {
    // The ruler is the main window's: it goes with it.
    delete m_clipboardViewer.data();
    delete m_contrast.data();
    if (m_frame) {
        m_platform->SetScreenRequestListener({});
        m_frame->removeEventFilter(this);
        m_frame.reset();
    }
}

}  // namespace nl
