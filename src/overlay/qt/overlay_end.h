#pragma once
#include <cstdint>

#include "overlay/CWndCap.h"

class QObject;

namespace nl {

class IDialogs;
class IWindowHiding;

// Reports a system error code in a message box ("Error #%1: %2").
void ShowSystemError(IDialogs& dialogs, std::uint32_t code);

// What a toolbar does when the overlay it opened ended: brings the main window and its
// pop-ups back when they were hidden for it, then reports the error, once the overlay's
// own event is over (while `receiver` lives).
void CarryOutOverlayEnd(IWindowHiding& hiding, IDialogs& dialogs, QObject* receiver,
                        const OverlayEnd& end);

}  // namespace nl
