#include "clipboard/qt/register_clipboard.h"

#include "base/command_ids.h"
#include "clipboard/qt/CDlgClipboard.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/export_image.h"
#include "platform/IDialogs.h"

namespace nl {

void RegisterClipboardViewer(CToolRegistry& tools) {
    tools.AddWindow({cmd::kClipboardViewer, [](AppContext& context, IViewHost& host) {
                         // A picture without text is saved the way the Screen Copier exports
                         // its captures.
                         auto exportImage = [&context](const BitmapImage& image) {
                             ExportImageDialog(image, context.dialogs, context.files);
                         };
                         return ToolWindow{new CDlgClipboard(context, &host, exportImage), {}};
                     }});
}

}  // namespace nl
