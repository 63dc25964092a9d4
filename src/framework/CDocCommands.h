#pragma once
#include <functional>
#include <optional>
#include <string>

#include "export/ExportContext.h"
#include "framework/CCmdTarget.h"

namespace nl {

class CAppPrefs;
class CDocApp;
class CPreviewFile;
class CRecentFileList;
class IClipboard;
class IClock;
class IDialogs;
class IFileSystem;
class ILocale;
class IShell;
class ISystemInfo;

// What the document's commands work with. Everything must outlive the command target.
struct DocCommandServices {
    CDocApp& doc;
    CAppPrefs& prefs;
    IDialogs& dialogs;
    IFileSystem& files;
    IClipboard& clipboard;
    IShell& shell;
    CPreviewFile& preview;
    CRecentFileList& recentFiles;
    const IClock& clock;
    const ILocale& locale;
    const ISystemInfo& systemInfo;
};

// The document's commands: New, Open, Save, Save As, the recent files, Delete all colors and
// the three color exports, with the save-modified question before the document is replaced
// or the program ends. Errors are shown to the user; a document that could not be opened or
// saved stays as it was.
class CDocCommands : public CCmdTarget {
public:
    // The document template's filter ("NerimLens Files (*.nlz)|*.nlz||") and extension.
    static std::string DocumentFilter();
    static std::string DocumentExtension();

    explicit CDocCommands(const DocCommandServices& services);

    // Before the document is closed (New, Open, a recent file, exit): asks, saves silently or
    // drops the changes as the general options say. False when the user cancelled or the
    // save failed, so the caller must not go on.
    bool SaveModified();

    // New: after SaveModified, an empty untitled document.
    bool NewDocument();
    // Opens `path` after SaveModified; on success the path goes first in the recent files.
    // An error is shown and leaves the document as it was.
    bool OpenDocument(const std::string& path);
    // Save to the document's path (Save As when it has none) / Save As with the dialog. When
    // another program changed the file since it was read, the user chooses: reload it,
    // overwrite it, or save under another name.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Opens recent file `index`; a file that is gone is reported and taken off the list.
    bool OpenRecentFile(int index);

    // The colors view tells whether a color is selected (for the commands on the current
    // color); without it no color counts as selected.
    void SetSelectionQuery(std::function<bool()> hasSelection) {
        m_hasSelection = std::move(hasSelection);
    }

    // The settings an export of the document's colors reads now.
    ExportContext MakeExportContext() const;

private:
    void ExportToFileCommand();
    void ImportColorsCommand();
    void PreviewCommand();
    void CopyToClipboardCommand();
    bool SaveTo(const std::string& path);
    // Runs a document file operation; a file or format error is shown and gives false.
    bool RunFileOperation(const std::function<void()>& operation) const;
    void RememberRecent(const std::string& path);
    void ShowError(const std::string& text) const;

    DocCommandServices m_s;
    std::function<bool()> m_hasSelection;
};

}  // namespace nl
