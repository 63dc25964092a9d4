#include "overlay/qt/overlay_end.h"

#include <QTimer>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/qt/ToolServices.h"
#include "platform/IDialogs.h"

namespace nl {

void ShowSystemError(IDialogs& dialogs, std::uint32_t code) {
    dialogs.MessageBox(FormatSystemError(code), LoadString(kIdsAppTitle), MsgButtons::kOk,
                       MsgIcon::kWarning);
}

void CarryOutOverlayEnd(IWindowHiding& hiding, IDialogs& dialogs, QObject* receiver,
                        const OverlayEnd& end) {
    if (end.mainWindow == MainWindowAfter::kRestore) hiding.RestoreAfterCapture();
    if (end.error == kErrorSuccess) return;
    QTimer::singleShot(0, receiver,
                       [&dialogs, error = end.error] { ShowSystemError(dialogs, error); });
}

}  // namespace nl
