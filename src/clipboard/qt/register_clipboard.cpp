#include "clipboard/qt/register_clipboard.h"

#include "base/command_ids.h"
#include "clipboard/qt/CDlgClipboard.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CToolRegistry.h"
#include "platform/IDialogs.h"

namespace nl {

void RegisterClipboardViewer(CToolRegistry& tools, ClipboardImageExport exportImageAs) {
    tools.AddWindow({cmd::kClipboardViewer, [exportImageAs](AppContext& context, IViewHost& host) {
                         auto exportImage = [&context, exportImageAs](const BitmapImage& image) {
                             exportImageAs(image, context.dialogs, context.files);
                         };
                         return ToolWindow{new CDlgClipboard(context, &host, exportImage), {}};
                     }});
}

}  // namespace nl
