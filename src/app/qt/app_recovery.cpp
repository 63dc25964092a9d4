// The program's ends that wait for no question: the session's end and a lost display keep
// a modified document for the next start, which offers it again.
#include <cstdlib>

#include "app/qt/CApp.h"
#include "base/CException.h"
#include "base/StringTable.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/doc_recovery.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"

namespace nl {

void CApp::KeepDocumentForRecovery() {
    try {
        (void)KeepForRecovery(*m_doc, *m_files, RecoveryFilesFor(m_prefs->DataFilePath()));
    } catch (const CException&) {
        // No data folder: nowhere to keep it.
    }
}

void CApp::OfferRecovery() {
    RecoveryFiles where;
    try {
        where = RecoveryFilesFor(m_prefs->DataFilePath());
    } catch (const CException&) {
        return;
    }
    const std::optional<std::string> path = PendingRecovery(*m_files, where);
    if (!path) return;
    const std::string name = path->empty() ? LoadString(kIdsUntitled) : *path;
    if (m_dialogs->MessageBox(FormatString(kIdsRecoverDocument, {name}), LoadString(kIdsAppTitle),
                              MsgButtons::kYesNo, MsgIcon::kQuestion) != MsgAnswer::kYes) {
        DiscardRecovery(*m_files, where);
        return;
    }
    try {
        Recover(*m_doc, *m_files, where);
    } catch (const CException& e) {
        ShowError(e.Message());
    }
}

void CApp::InstallAbruptExitHandler() {
    // Registered once per process; it acts for the program running then, if any.
    static const bool registered = std::atexit(&CApp::OnProcessExit) == 0;
    if (registered) s_abruptExitApp = this;
}

void CApp::OnProcessExit() {
    if (s_abruptExitApp != nullptr) s_abruptExitApp->OnAbruptExit();
}

void CApp::OnAbruptExit() {
    // The toolkit ends the process from inside the event loop when the display connection
    // breaks: no window can ask anything now, so only files are written, and an error is
    // not shown.
    if (!m_started || m_sessionEnded) return;
    m_sessionEnded = true;
    KeepDocumentForRecovery();
    if (m_prefs->IsSaveSuppressed()) return;
    try {
        const std::string path = m_prefs->DataFilePath();
        (void)m_files->WriteFile(path, m_prefs->StoreToBytes(path));
    } catch (const CException&) {
    }
}

}  // namespace nl
