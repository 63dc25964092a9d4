#include "platform/factory/PlatformServices.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/CSplitDesktop.h"
#include "platform/factory/demo_desktop.h"
#include "platform/factory/session_services.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSound.h"
#include "platform/local/CNoWindowSystem.h"
#include "platform/local/LocalFileSystem.h"
#include "platform/local/PosixSystemInfo.h"
#include "platform/local/XdgFolders.h"
#include "platform/own_window_rules.h"
#include "platform/qt/CQtClipboard.h"
#include "platform/qt/CQtDialogs.h"
#include "platform/qt/CQtLocale.h"
#include "platform/qt/CQtSettingsStore.h"
#include "platform/qt/CQtShell.h"
#include "platform/qt/CQtSingleInstance.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "platform/qt/x11_window.h"
#if NL_WITH_WAYLAND
#include "platform/wayland/CWaylandDesktop.h"
#endif
#include "platform/x11/CAlsaSound.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/x11/xcb_support.h"
#include "platform/xcb/CXcbClipboardReader.h"
#include "platform/xcb/xwayland_server.h"

namespace nl {

namespace {

// The fake desktop's screen when there is no screen to copy the size of.
constexpr Rect kDefaultFakeScreen{0, 0, 1280, 1024};

// The fake desktop as large as the primary screen in its device pixels (the desktop's own
// unit, whatever scale Qt draws at), so that the program's windows fit on both alike.
Rect FakeScreen() {
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return kDefaultFakeScreen;
    const Rect geometry = DeviceGeometry(*screen);
    return geometry.IsEmpty() ? kDefaultFakeScreen : geometry;
}

// The program's own folders below `root`; the program's path and the environment are the
// real ones.
class FoldersUnder final : public IFolders {
public:
    explicit FoldersUnder(std::string root) : m_root(std::move(root)) {}
    std::string UserAppData() const override { return m_root + "/data"; }
    std::string CommonAppData() const override { return m_root + "/common"; }
    std::string Documents() const override { return m_root + "/Documents"; }
    std::string Autostart() const override { return m_root + "/autostart"; }
    std::string ExecutablePath() const override { return m_real.ExecutablePath(); }
    std::optional<std::string> Environment(std::string_view name) const override {
        return m_real.Environment(name);
    }

private:
    std::string m_root;
    XdgFolders m_real;
};

#if NL_WITH_WAYLAND
constexpr char kXWaylandNote[] =
    "NerimLens runs best as a native Wayland program: start it with QT_QPA_PLATFORM=wayland";

bool InWaylandSession() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return display != nullptr && *display != '\0';
}
#endif

}  // namespace

struct PlatformServices::FakeState {
    QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/nerimlens-fake-XXXXXX")};
    FakeSingleInstance::Session instances;
};

std::optional<PlatformKind> PlatformKindFromName(const char* name) {
    if (name == nullptr || *name == '\0' || std::strcmp(name, "real") == 0)
        return PlatformKind::kReal;
    if (std::strcmp(name, "fake") == 0) return PlatformKind::kFake;
    return std::nullopt;
}

std::unique_ptr<PlatformServices> PlatformServices::Create(PlatformKind kind) {
    std::unique_ptr<PlatformServices> services(new PlatformServices(kind));
    // The program's own windows and the files are real in both kinds.
    services->m_dialogs = std::make_unique<CQtDialogs>();
    services->m_files = std::make_unique<LocalFileSystem>();
    services->m_locale = std::make_unique<CQtLocale>();
    services->m_systemInfo = std::make_unique<PosixSystemInfo>();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        services->m_windowSystem = std::make_unique<CX11WindowSystem>();
    else
        services->m_windowSystem = std::make_unique<CNoWindowSystem>();
    if (kind == PlatformKind::kFake)
        services->BuildFake();
    else
        services->BuildReal();
    return services;
}

PlatformServices::PlatformServices(PlatformKind kind) : m_kind(kind) {}

PlatformServices::~PlatformServices() = default;

void PlatformServices::BuildReal() {
    BuildRealDesktop();
    // On X11 another program's clipboard is read on a connection of its own, off the
    // user-interface thread.
    std::unique_ptr<ISelectionReader> reader;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        reader = x11::CXcbClipboardReader::Open();
    m_clipboard = std::make_unique<CQtClipboard>(std::move(reader));
    m_hotKeys = MakeSessionHotKeys();
    m_sound = std::make_unique<CAlsaSound>();
    m_shell = std::make_unique<CQtShell>();
    m_folders = std::make_unique<XdgFolders>();
    m_store = std::make_unique<CQtSettingsStore>();
    m_instance = std::make_unique<CQtSingleInstance>();
}

void PlatformServices::BuildRealDesktop() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("wayland")) {
        // The desktop's Screenshot portal gives the frames where the compositor offers no
        // screen copy.
        std::string error = "this build has no Wayland support";
#if NL_WITH_WAYLAND
        std::unique_ptr<IScreenSource> source = MakePortalScreenSource();
        IScreenSource* portal = source.get();
        if (auto desktop = CWaylandDesktop::Open(std::move(source), &error)) {
            // The user-interface font's dialog units, as Qt measures them on any platform.
            desktop->SetMetrics(CX11Desktop().Metrics());
            m_desktop = std::move(desktop);
            m_screenSource = portal;
            return;
        }
#endif
        // The program still runs, blind to other windows, and says why.
        m_sessionNote = "The screen cannot be read: " + error;
    }
    auto x11 = std::make_unique<CX11Desktop>();
    // The rules of the windows Qt shows, Wayland's where this desktop stands in for the
    // compositor's that could not be opened.
    x11->SetWindowRules(OwnWindowRulesOf(platform.toStdString()));
#if NL_WITH_WAYLAND
    if (platform == QLatin1String("xcb") && InWaylandSession() &&
        x11::IsXWaylandServer(x11::QtXConnection())) {
        // XWayland: the X server knows its own windows but shows black over Wayland ones, and
        // tells the pointer only over X11 windows. The compositor places the program's
        // windows, so the frozen screen and the overlays ask to be full screen.
        x11->SetWindowRules(kXWaylandWindows);
        std::string error;
        std::unique_ptr<IScreenSource> source = MakePortalScreenSource();
        IScreenSource* portal = source.get();
        if (auto pixels = CWaylandDesktop::Open(std::move(source), &error);
            pixels && pixels->CanReadScreen()) {
            // On the frozen picture, the windows are the compositor's list of that moment
            // where it tells one: the X server places the picture over every window.
            m_desktop = std::make_unique<CSplitDesktop>(std::move(x11), std::move(pixels),
                                                        PointerSource::kReported,
                                                        FrozenWindows::kPixelsWhereKnown);
            m_screenSource = portal;
            m_sessionNote = kXWaylandNote;
            return;
        }
    }
#endif
    m_desktop = std::move(x11);
}

void PlatformServices::SetScreenRequestListener(ScreenRequestListener listener) {
    if (m_screenSource) m_screenSource->SetListener(std::move(listener));
}

void PlatformServices::BuildFake() {
    m_fake = std::make_unique<FakeState>();
    auto desktop = std::make_unique<FakeDesktop>();
    BuildDemoDesktop(*desktop, FakeScreen());
    if (qgetenv(kFakeNoPointerVariable) == "1")
        desktop->SetPointerTracking(PointerTracking::kFrozenOnly);
    // The program's windows are real: the window system that shows them sets their rules.
    desktop->SetWindowRules(OwnWindowRulesOf(QGuiApplication::platformName().toStdString()));
    m_desktop = std::move(desktop);
    m_clipboard = std::make_unique<FakeClipboard>();
    m_hotKeys = std::make_unique<FakeHotKeys>();
    m_sound = std::make_unique<FakeSound>();
    m_shell = std::make_unique<FakeShell>();

    if (!m_fake->folder.isValid())
        throw std::runtime_error("cannot make a temporary folder for the fake platform: " +
                                 m_fake->folder.errorString().toStdString());
    auto folders = std::make_unique<FoldersUnder>(m_fake->folder.path().toStdString());
    m_files->CreateFolders(folders->UserAppData());
    m_files->CreateFolders(folders->Documents());
    m_folders = std::move(folders);
    m_store = std::make_unique<FakeSettingsStore>();
    m_instance = std::make_unique<FakeSingleInstance>(m_fake->instances);
}

}  // namespace nl
