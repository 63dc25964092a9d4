// The updater's commands and its silent check on a timer, where an updater is installed.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/qt/CApp.h"
#include "app/qt/CMainFrame.h"
#include "base/CSystemError.h"
#include "framework/app_rules.h"
#include "platform/IDesktop.h"
#include "platform/IFileSystem.h"
#include "platform/IFolders.h"
#include "platform/IShell.h"

namespace nl {

UpdaterPresence CApp::Updater() const {
    return m_files->FileExists(UpdaterPath(m_folders->ExecutablePath()))
               ? UpdaterPresence::kInstalled
               : UpdaterPresence::kMissing;
}

void CApp::StartUpdater(int request) {
    const auto which = static_cast<UpdaterRequest>(request);
    if (Updater() == UpdaterPresence::kMissing) return;
    WindowId owner = kNoWindow;
    if (which == UpdaterRequest::kConfigure) {
        if (QWidget* active = QApplication::activeWindow())
            owner = static_cast<WindowId>(active->winId());
        else if (m_frame)
            owner = m_frame->NativeWindow();
        else
            owner = m_desktop->ForegroundWindow();
    }
    const std::string path = UpdaterPath(m_folders->ExecutablePath());
    const std::uint32_t code = m_shell->StartDetached(path, UpdaterArguments(which, owner));
    // The silent check runs on a timer and reports no error.
    if (code != 0 && which != UpdaterRequest::kSilent) ShowError(FormatSystemError(code, path));
}

void CApp::OnUpdaterTimer() {
    ++m_updaterTicks;
    m_updaterTimer->start(UpdaterTimerInterval(m_updaterTicks));
    StartUpdater(static_cast<int>(UpdaterRequest::kSilent));
}

}  // namespace nl
