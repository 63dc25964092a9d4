#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IScreenSource.h"

namespace nl {

class IClipboard;
class IDesktop;
class IDialogs;
class IFileSystem;
class IFolders;
class IHotKeys;
class ILocale;
class ISettingsStore;
class IShell;
class ISingleInstance;
class ISound;
class ISystemInfo;
class IWindowSystem;

// Which backends the services come from.
enum class PlatformKind {
    // The real desktop: Qt for the clipboard, dialogs, locale, shell, settings and the single
    // instance; X11 for the desktop and hot keys (the compositor's desktop when Qt runs on
    // Wayland, and the compositor's pixels under XWayland); ALSA for sounds; the local file
    // system, XDG folders and the C library's names of user and computer.
    kReal,
    // The program's windows over an in-memory desktop: a fake desktop with a few coloured
    // windows, and a fake clipboard, hot keys, sound, shell, settings store and single
    // instance. Files are real, but the program's folders (its data, documents and autostart
    // folders) lie in a temporary folder made for the run and removed with these services,
    // so a run starts from the default settings and never touches the user's own. Dialogs,
    // the locale and the names of user and computer stay real.
    kFake,
};

// The name of the environment variable that chooses the kind for the program.
inline constexpr const char* kPlatformVariable = "NL_PLATFORM";
// Set to 1, it makes the fake kind's desktop one that does not follow the pointer (as in a
// Wayland session): following the pointer then takes a frozen screen.
inline constexpr const char* kFakeNoPointerVariable = "NL_FAKE_NO_POINTER";

// The kind named by `name`: "real" or "fake"; no name (null or empty) is the real kind.
// Nothing for any other name.
std::optional<PlatformKind> PlatformKindFromName(const char* name);

// Every platform service the program uses, built together for one kind and owned here.
// Build the real kind only after the QApplication exists.
class PlatformServices {
public:
    static std::unique_ptr<PlatformServices> Create(PlatformKind kind);
    ~PlatformServices();
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    PlatformKind Kind() const { return m_kind; }
    IDesktop& Desktop() const { return *m_desktop; }
    // The window system of the program's windows, which are real in both kinds.
    IWindowSystem& WindowSystem() const { return *m_windowSystem; }
    IClipboard& Clipboard() const { return *m_clipboard; }
    IHotKeys& HotKeys() const { return *m_hotKeys; }
    ISound& Sound() const { return *m_sound; }
    IShell& Shell() const { return *m_shell; }
    IDialogs& Dialogs() const { return *m_dialogs; }
    IFileSystem& Files() const { return *m_files; }
    IFolders& Folders() const { return *m_folders; }
    ILocale& Locale() const { return *m_locale; }
    ISystemInfo& SystemInfo() const { return *m_systemInfo; }
    ISettingsStore& SettingsStore() const { return *m_store; }
    ISingleInstance& SingleInstance() const { return *m_instance; }
    // A word for the user about how the program runs in this session, shown once on the
    // status bar (an X11 program inside a Wayland session); empty when there is none.
    const std::string& SessionNote() const { return m_sessionNote; }
    // Sets who hears of the screenshots asked of the desktop (empty: nobody), where the
    // desktop's pixels come from such a service.
    void SetScreenRequestListener(ScreenRequestListener listener);

private:
    explicit PlatformServices(PlatformKind kind);
    void BuildReal();
    void BuildRealDesktop();
    void BuildFake();

    // What the fake kind's services share: its temporary folder and the session of its
    // single instance. Declared first, so it goes last, after every service using it.
    struct FakeState;

    PlatformKind m_kind;
    std::string m_sessionNote;
    std::unique_ptr<FakeState> m_fake;
    std::unique_ptr<IDesktop> m_desktop;
    std::unique_ptr<IWindowSystem> m_windowSystem;
    std::unique_ptr<IClipboard> m_clipboard;
    std::unique_ptr<IHotKeys> m_hotKeys;
    std::unique_ptr<ISound> m_sound;
    std::unique_ptr<IShell> m_shell;
    std::unique_ptr<IDialogs> m_dialogs;
    std::unique_ptr<IFileSystem> m_files;
    std::unique_ptr<IFolders> m_folders;
    std::unique_ptr<ILocale> m_locale;
    std::unique_ptr<ISystemInfo> m_systemInfo;
    std::unique_ptr<ISettingsStore> m_store;
    std::unique_ptr<ISingleInstance> m_instance;
    // The desktop's screenshot service, owned by the desktop; null where there is none.
    IScreenSource* m_screenSource = nullptr;
};

}  // namespace nl
