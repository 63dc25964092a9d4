#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/CArchiveException.h"
#include "base/COleDateTime.h"
#include "base/CSystemError.h"
#include "framework/CAppPrefs.h"
#include "platform/IDialogs.h"
#include "platform/local/LocalFileSystem.h"
#include "platform/local/XdgFolders.h"

namespace nl::cli {

// The command line asks nobody: every question is declined and every file dialog cancelled.
class NoDialogs final : public IDialogs {
public:
    MsgAnswer MessageBox(const std::string&, const std::string&, MsgButtons buttons,
                         MsgIcon) override {
        return buttons == MsgButtons::kOk ? MsgAnswer::kOk : MsgAnswer::kCancel;
    }
    std::optional<std::size_t> Choose(const std::string&, const std::string&,
                                      const std::vector<std::string>&, MsgIcon) override {
        return {};
    }
    std::optional<std::string> SaveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> OpenFileDialog(const FileDialogRequest&) override { return {}; }
};

// The preferences on the real disk and folders, without a settings store.
class CCliSession {
public:
    LocalFileSystem files;
    XdgFolders folders;
    NoDialogs dialogs;
    SystemClock clock;
    std::unique_ptr<CAppPrefs> prefs;

    CCliSession() {
        prefs =
            std::make_unique<CAppPrefs>(PrefsServices{nullptr, &folders, &files, &dialogs, &clock});
    }

    // Reads `path` and the side file beside it into the preferences as the program's reader
    // does, without any recovery. Raises CSystemError or CArchiveException.
    void Read(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        if (const auto code = files.ReadFile(path, bytes)) throw CSystemError(code, path);
        prefs->LoadFromBytes(bytes, path);
        prefs->ReadSideFile(path);
    }

    // The settings of the program's own data file, or the defaults when it is missing or
    // does not read.
    AppSettings DataFileSettings() {
        try {
            Read(prefs->DataFilePath());
        } catch (const std::exception&) {
            CCliSession fresh;
            return fresh.prefs->Settings();
        }
        return prefs->Settings();
    }

    // Whether writing `path` would replace something other than a data file: a file that has
    // bytes and does not read as one. What cannot be read is left for the write to report.
    bool HoldsOtherData(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        if (files.ReadFile(path, bytes) != 0 || bytes.empty()) return false;
        CCliSession reader;
        try {
            reader.prefs->LoadFromBytes(bytes, path);
        } catch (const CArchiveException&) {
            return true;
        }
        return false;
    }
};

}  // namespace nl::cli
