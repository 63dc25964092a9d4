#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/CExportText.h"
#include "export/ExportContext.h"

namespace nl {

class CColorPicker;
class CPreviewFile;
class IClipboard;
class IFileSystem;
class IShell;

// The colors, revision and export texts of a color list, as the exporters read them.
ExportData ExportDataFrom(const CColorPicker& colors);

// The exporter of `form`; HTML is the report when `context.details` is set, else the list.
std::unique_ptr<CExportText> CreateExporter(ExportForm form, ExportDestination destination,
                                            const ExportData& data, const ExportContext& context);

// The form the export option word chooses for the clipboard: 0 tab-delimited text, 1 CSV with
// commas, 2 CSV with semicolons, 3 HTML, 4 XML; any other value tab-delimited text.
ExportForm ClipboardFormFromOption(std::int32_t exportOption);
std::unique_ptr<CExportText> CreateClipboardExporter(std::int32_t exportOption,
                                                     const ExportData& data,
                                                     const ExportContext& context);

// The form a file name chooses by its last three characters, ignoring case (a name of three
// characters or fewer is taken whole): "txt" tab-delimited text, "csv" CSV with semicolons,
// "htm" HTML, "xml" XML; nothing for any other name.
std::optional<ExportForm> FileFormFromPath(std::string_view path);
// The exporter for a file; raises CNotSupportedException for a name no form accepts.
std::unique_ptr<CExportText> CreateFileExporter(std::string_view path, const ExportData& data,
                                                const ExportContext& context);

// The complete export text (UTF-8) of `form` for `destination`.
std::string ExportColorsToText(const ExportData& data, const ExportContext& context,
                               ExportForm form,
                               ExportDestination destination = ExportDestination::kClipboard);
std::string ExportColorsToText(const CColorPicker& colors, const ExportContext& context,
                               ExportForm form,
                               ExportDestination destination = ExportDestination::kClipboard);

// The bytes of an export file: the byte-order mark and the text in UTF-16LE, no terminator.
std::vector<std::uint8_t> EncodeExportFile(std::string_view text);

// "Save colors": writes the export that the name's extension chooses to `path`. A name no form
// accepts raises CNotSupportedException before the file is touched; a failed write raises
// CSystemError with the path, and the file system leaves any previous file as it was.
void ExportToFile(IFileSystem& files, const std::string& path, const ExportData& data,
                  const ExportContext& context);
// From a color list, a palette name (.gpl, .css, .json, .ase) writes that palette instead.
void ExportToFile(IFileSystem& files, const std::string& path, const CColorPicker& colors,
                  const ExportContext& context);

// "Copy colors": puts the export in the form of the export option word on the clipboard as
// Unicode text. Returns 0 or the clipboard's system error code (the clipboard is unchanged).
std::uint32_t CopyColorsToClipboard(IClipboard& clipboard, std::int32_t exportOption,
                                    const ExportData& data, const ExportContext& context);

// "Preview colors": writes the HTML export to the preview file (made at the first preview)
// and opens it with the system's handler for its type. Returns the file's path. A failed
// temporary file, write or open raises CSystemError.
std::string PreviewColors(IFileSystem& files, IShell& shell, CPreviewFile& preview,
                          const ExportData& data, const ExportContext& context);

}  // namespace nl
