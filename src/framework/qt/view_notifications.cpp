#include "framework/qt/view_notifications.h"

#include <QWidget>

#include "framework/ViewNotifyHub.h"

namespace nl {

CSubscription SubscribeView(ViewNotifyHub& hub, QWidget& widget, IViewNotifySink& sink) {
    // Hidden asks for the view's own state: a view in a window that is itself hidden (in the
    // notification area) keeps hearing, so that it is up to date when the window comes back.
    return hub.Subscribe([&widget, &sink](ViewNotify type, std::intptr_t argument) {
        if (!widget.isHidden()) sink.OnViewNotify(type, argument);
    });
}

}  // namespace nl
