#pragma once
#include "base/CSubscription.h"
#include "document/ViewNotification.h"

class QWidget;

namespace nl {

class ViewNotifyHub;

// Subscribes a view of the main window (`widget`, with its notification side `sink`) to the
// hub for the view's life. It hears the notifications while it is shown in the window: one
// the window took out is hidden until it is deleted and hears nothing more, and one still
// being made is hidden until the window puts it in.
[[nodiscard]] CSubscription SubscribeView(ViewNotifyHub& hub, QWidget& widget,
                                          IViewNotifySink& sink);

}  // namespace nl
