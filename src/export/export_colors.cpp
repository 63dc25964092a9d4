#include "export/export_colors.h"

#include <cctype>

#include "base/CSystemError.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "export/CExportTextCSV.h"
#include "export/CExportTextHtmlLIST.h"
#include "export/CExportTextHtmlREPORT.h"
#include "export/CExportTextXml.h"
#include "export/CNotSupportedException.h"
#include "export/CPreviewFile.h"
#include "export/palette_files.h"
#include "platform/IClipboard.h"
#include "platform/IFileSystem.h"
#include "platform/IShell.h"

namespace nl {
namespace {

// The file name's ending that chooses the form.
constexpr std::size_t kExtensionChars = 3;
constexpr std::uint16_t kByteOrderMark = 0xFEFF;

std::string LowerTail(std::string_view path) {
    std::string tail(path.size() <= kExtensionChars ? path
                                                    : path.substr(path.size() - kExtensionChars));
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail;
}

}  // namespace

ExportData ExportDataFrom(const CColorPicker& colors) {
    ExportData data;
    data.colors.reserve(colors.Colors().size());
    for (const CColPick& pick : colors.Colors())
        data.colors.push_back({pick.Color(), pick.Position()});
    const auto& texts = colors.GetExportTexts();
    for (std::size_t i = 0; i < data.texts.size() && i < texts.size(); ++i)
        data.texts[i] = texts[i];
    data.revision = colors.Revision();
    return data;
}

std::unique_ptr<CExportText> CreateExporter(ExportForm form, ExportDestination destination,
                                            const ExportData& data, const ExportContext& context) {
    switch (form) {
        case ExportForm::kCsvComma:
            return std::make_unique<CExportTextCSV>(data, context, CExportTextCSV::kComma);
        case ExportForm::kCsvSemicolon:
            return std::make_unique<CExportTextCSV>(data, context, CExportTextCSV::kSemicolon);
        case ExportForm::kHtml:
            if (context.details) return std::make_unique<CExportTextHtmlREPORT>(data, context);
            return std::make_unique<CExportTextHtmlLIST>(data, context);
        case ExportForm::kXml:
            return std::make_unique<CExportTextXml>(data, context, destination);
        case ExportForm::kTabText:
        default:
            return std::make_unique<CExportTextCSV>(data, context, CExportTextCSV::kTab);
    }
}

ExportForm ClipboardFormFromOption(std::int32_t exportOption) {
    switch (exportOption) {
        case static_cast<int>(ExportForm::kCsvComma):
        case static_cast<int>(ExportForm::kCsvSemicolon):
        case static_cast<int>(ExportForm::kHtml):
        case static_cast<int>(ExportForm::kXml):
            return static_cast<ExportForm>(exportOption);
        default:
            return ExportForm::kTabText;
    }
}

std::unique_ptr<CExportText> CreateClipboardExporter(std::int32_t exportOption,
                                                     const ExportData& data,
                                                     const ExportContext& context) {
    return CreateExporter(ClipboardFormFromOption(exportOption), ExportDestination::kClipboard,
                          data, context);
}

std::optional<ExportForm> FileFormFromPath(std::string_view path) {
    const std::string ext = LowerTail(path);
    if (ext == "txt") return ExportForm::kTabText;
    if (ext == "csv") return ExportForm::kCsvSemicolon;
    if (ext == "htm") return ExportForm::kHtml;
    if (ext == "xml") return ExportForm::kXml;
    return std::nullopt;
}

std::unique_ptr<CExportText> CreateFileExporter(std::string_view path, const ExportData& data,
                                                const ExportContext& context) {
    const auto form = FileFormFromPath(path);
    if (!form) throw CNotSupportedException();
    return CreateExporter(*form, ExportDestination::kFile, data, context);
}

std::string ExportColorsToText(const ExportData& data, const ExportContext& context,
                               ExportForm form, ExportDestination destination) {
    const auto exporter = CreateExporter(form, destination, data, context);
    return BuildExportText(*exporter);
}

std::string ExportColorsToText(const CColorPicker& colors, const ExportContext& context,
                               ExportForm form, ExportDestination destination) {
    return ExportColorsToText(ExportDataFrom(colors), context, form, destination);
}

std::vector<std::uint8_t> EncodeExportFile(std::string_view text) {
    const std::u16string units = Utf8ToUtf16(text);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * (units.size() + 1));
    const auto put = [&bytes](std::uint16_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    };
    put(kByteOrderMark);
    for (const char16_t unit : units) put(static_cast<std::uint16_t>(unit));
    return bytes;
}

void ExportToFile(IFileSystem& files, const std::string& path, const ExportData& data,
                  const ExportContext& context) {
    const auto exporter = CreateFileExporter(path, data, context);
    const std::vector<std::uint8_t> bytes = EncodeExportFile(BuildExportText(*exporter));
    if (const std::uint32_t code = files.WriteFile(path, bytes)) throw CSystemError(code, path);
}

void ExportToFile(IFileSystem& files, const std::string& path, const CColorPicker& colors,
                  const ExportContext& context) {
    const auto palette = PaletteFormFromPath(path);
    if (!palette || context.colorFormats == nullptr) {
        ExportToFile(files, path, ExportDataFrom(colors), context);
        return;
    }
    const std::string text = PaletteText(*palette, colors, *context.colorFormats,
                                         context.colorFormat, context.documentTitle);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    if (const std::uint32_t code = files.WriteFile(path, bytes)) throw CSystemError(code, path);
}

std::uint32_t CopyColorsToClipboard(IClipboard& clipboard, std::int32_t exportOption,
                                    const ExportData& data, const ExportContext& context) {
    const auto exporter = CreateClipboardExporter(exportOption, data, context);
    return clipboard.SetText(BuildExportText(*exporter));
}

std::string PreviewColors(IFileSystem& files, IShell& shell, CPreviewFile& preview,
                          const ExportData& data, const ExportContext& context) {
    const std::string path = preview.Path(files);
    ExportToFile(files, path, data, context);
    if (const std::uint32_t code = shell.OpenFile(path)) throw CSystemError(code, path);
    return path;
}

}  // namespace nl
