#pragma once
#include <cstdint>
#include <functional>

#include "platform/IDesktop.h"

namespace nl {

class CAppPrefs;
class CCapturedImageStore;
class CCmdTarget;
class CDocApp;
class CPreviewFile;
class CRecentFileList;
class IClipboard;
class IClock;
class IDialogs;
class IFileSystem;
class IFolders;
class IHotKeys;
class ILocale;
class IShell;
class ISound;
class ISystemInfo;
class IWindowSystem;
class ViewNotifyHub;

// What the windows of the program share: the settings, the document, the platform services
// and the two command targets at the end of every command route. Made by the application
// object, which outlives every window.
struct AppContext {
    CAppPrefs& prefs;
    CDocApp& doc;
    CRecentFileList& recentFiles;
    CPreviewFile& preview;
    ViewNotifyHub& notify;
    IDesktop& desktop;
    // What the program asks of the window system about its own windows.
    IWindowSystem& windowSystem;
    IClipboard& clipboard;
    IHotKeys& hotKeys;
    ISound& sound;
    IShell& shell;
    IDialogs& dialogs;
    IFileSystem& files;
    IFolders& folders;
    ILocale& locale;
    ISystemInfo& systemInfo;
    const IClock& clock;
    // The picture of the last screen capture, shared by every tool.
    CCapturedImageStore& capturedImage;
    // The document's commands (New, Open, Save, Save As, recent files, color export,
    // Delete all colors) and the application's commands, in that order at the end of a route.
    CCmdTarget& documentTarget;
    CCmdTarget& applicationTarget;
    // Whether the keyboard helpers (arrow keys move the cursor, Enter picks) are available
    // now; the keyboard indicator shows it.
    std::function<bool()> keyboardHelpersAvailable;
    // The save-modified question before the document is closed (exit, end of session): false
    // when the user cancelled or a save failed, so the program must go on running.
    std::function<bool()> saveModified;
    // Milliseconds since some fixed moment (a monotonic tick count).
    std::function<std::uint64_t()> tickCount;
    // The desktop's foreground window as the idle updates may take it: reused while the
    // desktop reports no window change. Unset: the desktop is asked every time.
    std::function<WindowId()> foregroundWindow = {};

    WindowId ForegroundWindow() const {
        return foregroundWindow ? foregroundWindow() : desktop.ForegroundWindow();
    }
};

}  // namespace nl
