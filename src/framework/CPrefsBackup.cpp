#include "base/CException.h"
#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "framework/CPrefs.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"
#include "platform/IFolders.h"

// The preferences' back-up to and restore from a file the user chooses.
namespace nl {
namespace {

// The side file of the data file `from` copied to that of `to`, where `from` has one.
void CopySideFile(IFileSystem& files, const std::string& from, const std::string& to) {
    const std::string source = CSideSettings::PathFor(from);
    const std::string target = CSideSettings::PathFor(to);
    if (source == target || !files.FileExists(source)) return;
    if (const auto code = files.CopyFile(source, target)) throw CSystemError(code, target);
}

}  // namespace

std::string CPrefs::DocumentsFolder() {
    const std::string folder = m_folders.Documents();
    // A failure leaves the choice of folder to the dialog.
    if (!folder.empty() && !m_files.FolderExists(folder)) m_files.CreateFolders(folder);
    return folder;
}

bool CPrefs::BackUp() {
    FileDialogRequest request;
    request.filter = LoadString(kIdsDataFileFilter);
    request.initialFolder = DocumentsFolder();
    request.fileName = m_applicationName + std::string(kDataFileExtension);
    request.defaultExtension = kDataFileExtension.substr(1);
    const auto target = m_dialogs.SaveFileDialog(request);
    if (!target) return false;
    Flush();
    try {
        const std::string source = DataFilePath();
        if (const auto code = m_files.CopyFile(source, *target)) throw CSystemError(code, *target);
        CopySideFile(m_files, source, *target);
    } catch (const CSystemError& e) {
        ShowError(e.Message());
        return false;
    }
    return true;
}

DataRestoreResult CPrefs::Restore() {
    FileDialogRequest request;
    request.filter = LoadString(kIdsDataFileFilter);
    request.initialFolder = DocumentsFolder();
    request.defaultExtension = kDataFileExtension.substr(1);
    const auto source = m_dialogs.OpenFileDialog(request);
    if (!source) return DataRestoreResult::kCancelled;
    // A file that does not read as a data file would only be thrown away at the next start,
    // and the user's settings with it: it is refused before anything changes.
    std::vector<std::uint8_t> bytes;
    if (const auto code = m_files.ReadFile(*source, bytes)) {
        ShowError(CSystemError(code, *source).Message());
        return DataRestoreResult::kFailed;
    }
    if (const std::string error = DataFileError(bytes, *source); !error.empty()) {
        ShowError(error);
        return DataRestoreResult::kFailed;
    }
    if (m_dialogs.MessageBox(LoadString(kIdsRestoreConfirm), m_applicationName,
                             MsgButtons::kOkCancel, MsgIcon::kInformation) != MsgAnswer::kOk)
        return DataRestoreResult::kCancelled;
    try {
        const std::string target = *LocateDataFile(Purpose::kSave);
        if (const auto code = m_files.WriteFile(target, bytes)) throw CSystemError(code, target);
        // The back-up's side file comes along; without one the side settings stay.
        CopySideFile(m_files, *source, target);
    } catch (const CSystemError& e) {
        ShowError(e.Message());
        return DataRestoreResult::kFailed;
    }
    m_saveSuppressed = true;
    m_changed = false;
    return DataRestoreResult::kExitRequested;
}

std::string CPrefs::DataFileError(std::span<const std::uint8_t> bytes, const std::string& path) {
    const std::vector<std::uint8_t> current = StoreToBytes();
    const bool changed = m_changed;
    std::string error;
    try {
        LoadFromBytes(bytes, path);
    } catch (const CException& e) {
        error = e.Message();
    }
    LoadFromBytes(current);
    m_changed = changed;
    return error;
}

}  // namespace nl
