#include "framework/CDocCommands.h"

#include <algorithm>
#include <filesystem>

#include "base/CException.h"
#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "document/CDocApp.h"
#include "export/CPreviewFile.h"
#include "export/export_colors.h"
#include "export/palette_import.h"
#include "framework/CAppPrefs.h"
#include "framework/CRecentFileList.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"

namespace nl {

namespace {

// The lines of the document template string.
constexpr std::size_t kDocFilterName = 3;
constexpr std::size_t kDocExtension = 4;
// Commands on the current color and on the list, enabled by the document.
constexpr int kCmdCurrentColor = 3423;
constexpr int kCmdColorList = 3424;
constexpr int kCmdDocumentRangeFirst = 3000;
constexpr int kCmdDocumentRangeLast = 3999;

std::string DocStringLine(std::size_t line) {
    const std::vector<std::string> lines = SplitLines(LoadString(kIdsDocumentStrings));
    return line < lines.size() ? lines[line] : std::string();
}

// The extension of the first pattern of a "Name|*.ext|..." filter, without the dot.
std::string FirstFilterExtension(const std::string& filter) {
    const auto bar = filter.find('|');
    if (bar == std::string::npos) return {};
    const auto end = filter.find_first_of("|;", bar + 1);
    const std::string pattern = filter.substr(bar + 1, end - bar - 1);
    const auto dot = pattern.rfind('.');
    if (dot == std::string::npos || pattern.find('*', dot) != std::string::npos) return {};
    return pattern.substr(dot + 1);
}

// The answers when a save finds the file changed by another program, in the order of
// kIdsDocChangedChoices.
constexpr std::size_t kChangedReload = 0;
constexpr std::size_t kChangedOverwrite = 1;
constexpr std::size_t kChangedSaveAs = 2;
constexpr std::size_t kChangedCancel = 3;

// The user's text for an error of opening or saving a document or an export file.
std::string FileErrorText(const CSystemError& error) {
    if (error.Data().empty()) return error.Message();
    return FileWriteErrorText(error.Code(), error.Data());
}

}  // namespace

std::string CDocCommands::DocumentFilter() {
    const std::string name = DocStringLine(kDocFilterName);
    return name + "|*" + DocumentExtension() + "||";
}

std::string CDocCommands::DocumentExtension() {
    return DocStringLine(kDocExtension);
}

CDocCommands::CDocCommands(const DocCommandServices& services) : m_s(services) {
    AddCommand(cmd::kFileNew, [this] { NewDocument(); });
    AddCommand(cmd::kFileOpen, [this] {
        FileDialogRequest request;
        request.filter = DocumentFilter();
        request.defaultExtension = FirstFilterExtension(request.filter);
        if (const auto path = m_s.dialogs.OpenFileDialog(request)) OpenDocument(*path);
    });
    AddCommand(cmd::kFileSave, [this] { SaveDocument(); });
    AddCommand(cmd::kFileSaveAs, [this] { SaveDocumentAs(); });
    AddCommandRange(cmd::kFileMruFirst, cmd::kFileMruLast, [this](int id) {
        const int index = id - cmd::kFileMruFirst;
        if (index >= m_s.recentFiles.Size()) return false;
        OpenRecentFile(index);
        return true;
    });
    AddUpdateRange(cmd::kFileMruFirst, cmd::kFileMruLast, [this](CCmdUI& ui) {
        const int index = ui.Id() - cmd::kFileMruFirst;
        const bool listed = index < m_s.recentFiles.Size();
        ui.Enable(listed);
        if (listed) ui.SetText(m_s.recentFiles.MenuText(index));
    });

    AddCommand(cmd::kDeleteAllColors, [this] { m_s.doc.Colors().RemoveAllColors(); });
    AddCommand(cmd::kExportColorsToFile, [this] { ExportToFileCommand(); });
    AddCommand(cmd::kExportColorsToBrowser, [this] { PreviewCommand(); });
    AddCommand(cmd::kImportColors, [this] { ImportColorsCommand(); });
    AddCommand(cmd::kExportColorsToClipboard, [this] { CopyToClipboardCommand(); });
    // The document decides three commands of the tools' range and leaves the rest alone.
    AddUpdateRange(kCmdDocumentRangeFirst, kCmdDocumentRangeLast, [this](CCmdUI& ui) {
        const bool hasColors = !m_s.doc.Colors().IsEmpty();
        switch (ui.Id()) {
            case kCmdCurrentColor:
                ui.Enable(hasColors && m_hasSelection && m_hasSelection());
                break;
            case kCmdColorList:
            case cmd::kDeleteAllColors:
                ui.Enable(hasColors);
                break;
            default:
                ui.ContinueRouting();
                break;
        }
    });
}

bool CDocCommands::SaveModified() {
    const std::uint32_t general = m_s.prefs.Settings().generalOptions;
    switch (m_s.doc.DecideSaveModified(general)) {
        case SaveModifiedAction::kDrop:
            return true;
        case SaveModifiedAction::kSave:
        case SaveModifiedAction::kSaveAs:
            return SaveDocument();
        case SaveModifiedAction::kAsk:
            break;
    }
    switch (m_s.dialogs.MessageBox(m_s.doc.SaveModifiedPrompt(), LoadString(kIdsAppTitle),
                                   MsgButtons::kYesNoCancel, MsgIcon::kQuestion)) {
        case MsgAnswer::kYes:
            return SaveDocument();
        case MsgAnswer::kNo:
            return true;
        default:
            return false;
    }
}

bool CDocCommands::NewDocument() {
    if (!SaveModified()) return false;
    m_s.doc.OnNewDocument();
    return true;
}

bool CDocCommands::OpenDocument(const std::string& path) {
    if (!SaveModified()) return false;
    if (!RunFileOperation([&] { m_s.doc.OnOpenDocument(path); })) return false;
    RememberRecent(path);
    return true;
}

bool CDocCommands::SaveDocument() {
    if (m_s.doc.PathName().empty()) return SaveDocumentAs();
    return SaveTo(m_s.doc.PathName());
}

bool CDocCommands::SaveDocumentAs() {
    FileDialogRequest request;
    request.filter = DocumentFilter();
    request.defaultExtension = FirstFilterExtension(request.filter);
    request.fileName = m_s.doc.Title();
    const auto path = m_s.dialogs.SaveFileDialog(request);
    if (!path) return false;
    return SaveTo(*path);
}

bool CDocCommands::OpenRecentFile(int index) {
    if (index < 0 || index >= m_s.recentFiles.Size()) return false;
    const std::string path = m_s.recentFiles.Path(index);
    if (!m_s.files.FileExists(path)) {
        ShowError(FormatSystemError(kErrorFileNotFound, path));
        m_s.recentFiles.Remove(index);
        m_s.recentFiles.Save();
        return false;
    }
    if (!SaveModified()) return false;
    if (!RunFileOperation([&] { m_s.doc.OnOpenDocument(path); })) {
        // A file that cannot be opened is no use in the list.
        m_s.recentFiles.Remove(index);
        m_s.recentFiles.Save();
        return false;
    }
    RememberRecent(path);
    return true;
}

bool CDocCommands::SaveTo(const std::string& path) {
    // What the user agreed to overwrite: a newer change by another program is asked again.
    std::optional<DocFileStamp> overwriting;
    for (;;) {
        std::optional<DocFileStamp> changed;
        if (!RunFileOperation([&] { changed = m_s.doc.SaveUnlessChanged(path, overwriting); }))
            return false;
        if (!changed) break;
        const std::vector<std::string> choices = SplitLines(LoadString(kIdsDocChangedChoices));
        const auto choice =
            m_s.dialogs.Choose(FormatString(kIdsDocChangedOnDisk, {path}), LoadString(kIdsAppTitle),
                               choices, MsgIcon::kWarning);
        switch (choice.value_or(kChangedCancel)) {
            case kChangedReload:
                // The document is the file's again, so nothing is lost by closing it.
                return RunFileOperation([&] { m_s.doc.OnOpenDocument(path); });
            case kChangedOverwrite:
                overwriting = changed;
                break;
            case kChangedSaveAs:
                return SaveDocumentAs();
            default:
                return false;
        }
    }
    RememberRecent(path);
    return true;
}

bool CDocCommands::RunFileOperation(const std::function<void()>& operation) const {
    try {
        operation();
        return true;
    } catch (const CSystemError& e) {
        ShowError(FileErrorText(e));
    } catch (const CException& e) {
        ShowError(e.Message());
    }
    return false;
}

void CDocCommands::RememberRecent(const std::string& path) {
    m_s.recentFiles.Add(path);
    m_s.recentFiles.Save();
}

ExportContext CDocCommands::MakeExportContext() const {
    const AppSettings& settings = m_s.prefs.Settings();
    ExportContext context;
    context.colorFormats = &m_s.prefs.ColorFormats();
    context.colorFormat = settings.colorFormatIndex;
    const CUnitsXY& units = m_s.prefs.Units();
    if (!units.IsEmpty()) {
        const int index = settings.lengthUnitIndex;
        context.unit = &units.GetAt(index >= 0 && index < units.GetSize() ? index : 0);
    }
    context.gridlines = (settings.displayOptions & AppSettings::kDisplayGridLines) != 0;
    context.details = (settings.colorPickerOptions & AppSettings::kPickerViewDetails) != 0;
    context.documentTitle = m_s.doc.Title();
    context.clock = &m_s.clock;
    context.locale = &m_s.locale;
    context.systemInfo = &m_s.systemInfo;
    return context;
}

void CDocCommands::ExportToFileCommand() {
    FileDialogRequest request;
    request.filter = LoadString(kIdsExportFilter);
    request.defaultExtension = FirstFilterExtension(request.filter);
    const auto path = m_s.dialogs.SaveFileDialog(request);
    if (!path) return;
    try {
        ExportToFile(m_s.files, *path, m_s.doc.Colors(), MakeExportContext());
    } catch (const CSystemError& e) {
        ShowError(FileErrorText(e));
    } catch (const CException& e) {
        ShowError(e.Message());
    }
}

void CDocCommands::ImportColorsCommand() {
    // More colors than this are added only once the user agrees.
    constexpr std::size_t kAskAbove = 100;
    FileDialogRequest request;
    request.filter = LoadString(kIdsImportFilter);
    const auto path = m_s.dialogs.OpenFileDialog(request);
    if (!path) return;
    const CUnitsCol& formats = m_s.prefs.ColorFormats();
    const int row = m_s.prefs.Settings().colorFormatIndex;
    const CUnitCol* textFormat =
        row >= 0 && row < formats.GetSize() ? &formats.GetAt(row) : nullptr;
    ImportedColors imported;
    try {
        imported = ReadPaletteFile(m_s.files, *path, textFormat);
    } catch (const CSystemError& e) {
        ShowError(FileErrorText(e));
        return;
    } catch (const CException& e) {
        ShowError(e.Message());
        return;
    }
    const std::string name = std::filesystem::path(*path).filename().string();
    const std::size_t found = imported.colors.size();
    if (found == 0) {
        ShowError(FormatString(kIdsImportNoColors, {name}));
        return;
    }
    if (found > kAskAbove &&
        m_s.dialogs.MessageBox(FormatString(kIdsImportAsk, {std::to_string(found), name}),
                               LoadString(kIdsAppTitle), MsgButtons::kYesNo,
                               MsgIcon::kQuestion) != MsgAnswer::kYes)
        return;
    // A full list drops its oldest color for each new one: only what fits is added, so that
    // an import never pushes picked colors out.
    CColorPicker& colors = m_s.doc.Colors();
    const std::size_t room = static_cast<std::size_t>(CColorPicker::kMaxColors - colors.GetCount());
    const std::size_t added = std::min(found, room);
    CColPick pick;
    for (std::size_t i = 0; i < added; ++i) {
        pick.SetColor(imported.colors[i]);
        colors.InsertColor(colors.GetCount(), pick);
    }
    if (added < found)
        ShowError(
            FormatString(kIdsImportListFull, {std::to_string(added), std::to_string(found), name}));
    else if (imported.skipped > 0)
        ShowError(FormatString(kIdsImportSkipped, {std::to_string(imported.skipped), name}));
}

void CDocCommands::PreviewCommand() {
    try {
        PreviewColors(m_s.files, m_s.shell, m_s.preview, ExportDataFrom(m_s.doc.Colors()),
                      MakeExportContext());
    } catch (const CSystemError& e) {
        ShowError(e.Message());
    }
}

void CDocCommands::CopyToClipboardCommand() {
    const std::uint32_t code =
        CopyColorsToClipboard(m_s.clipboard, m_s.prefs.Settings().exportOption,
                              ExportDataFrom(m_s.doc.Colors()), MakeExportContext());
    if (code != 0) ShowError(FormatSystemError(code));
}

void CDocCommands::ShowError(const std::string& text) const {
    m_s.dialogs.MessageBox(text, LoadString(kIdsAppTitle), MsgButtons::kOk, MsgIcon::kWarning);
}

}  // namespace nl
