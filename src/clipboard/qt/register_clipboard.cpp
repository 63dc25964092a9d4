#include "clipboard/qt/register_clipboard.h"

#include <QBuffer>
#include <QImage>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "clipboard/qt/CDlgClipboard.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CToolRegistry.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"
#include "platform/qt/qt_image.h"

namespace nl {

namespace {

constexpr const char* kPngFilter = "PNG (*.png)|*.png||";
constexpr const char* kPngExtension = "png";

// Asks for a file name and writes `image` there as PNG.
void SaveImageAsPng(AppContext& context, const BitmapImage& image) {
    FileDialogRequest request;
    request.filter = kPngFilter;
    request.defaultExtension = kPngExtension;
    const auto path = context.dialogs.SaveFileDialog(request);
    if (!path) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!ToQImage(image).save(&buffer, "PNG")) throw CSystemError(kErrorInvalidParameter, *path);
    const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    if (const std::uint32_t code = context.files.WriteFile(*path, data))
        throw CSystemError(code, *path);
}

}  // namespace

void RegisterClipboardViewer(CToolRegistry& tools) {
    tools.AddWindow({cmd::kClipboardViewer, [](AppContext& context, IViewHost& host) {
                         auto exportImage = [&context](const BitmapImage& image) {
                             SaveImageAsPng(context, image);
                         };
                         return ToolWindow{new CDlgClipboard(context, &host, exportImage), {}};
                     }});
}

}  // namespace nl
