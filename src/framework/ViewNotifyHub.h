#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "base/CSubscriberList.h"
#include "document/ViewNotification.h"

namespace nl {

// The broadcast of view notifications: every window and view of the program subscribes;
// Send passes a notification to all of them at once, Post queues it until the next Flush
// (the program flushes from its event loop). Subscribers may join, leave or send from
// inside a notification; one that leaves during a broadcast gets nothing more, one that
// joins waits for the next.
class ViewNotifyHub : public IViewNotifySink {
public:
    using Callback = std::function<void(ViewNotify, std::intptr_t)>;

    // The callback hears every notification while the returned subscription lives; it may
    // outlive the hub.
    [[nodiscard]] CSubscription Subscribe(Callback callback) {
        return m_subscribers.Subscribe(std::move(callback));
    }
    [[nodiscard]] CSubscription Subscribe(IViewNotifySink& sink);
    // A sink whose owner ends the registration itself; registering it twice does nothing.
    void Register(IViewNotifySink* sink);
    void Unregister(IViewNotifySink* sink);

    // Sends at once to every subscriber, in the order they joined.
    void Send(ViewNotify type, std::intptr_t argument = 0) { m_subscribers.Notify(type, argument); }
    // Queues the notification; the wake subscribers are called so that the program can
    // schedule a Flush.
    void Post(ViewNotify type, std::intptr_t argument = 0);
    [[nodiscard]] CSubscription SubscribeWake(std::function<void()> wake) {
        return m_wake.Subscribe(std::move(wake));
    }
    // Sends the queued notifications in the order they were posted.
    void Flush();
    bool HasPosted() const { return !m_posted.empty(); }

    // IViewNotifySink: the hub itself can be handed to the document as its sink.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override { Send(type, argument); }

private:
    CSubscriberList<ViewNotify, std::intptr_t> m_subscribers;
    // The sinks registered by pointer, with the subscriptions that stand for them.
    std::vector<std::pair<IViewNotifySink*, CSubscription>> m_registered;
    std::deque<std::pair<ViewNotify, std::intptr_t>> m_posted;
    CSubscriberList<> m_wake;
    int m_flushing = 0;  // nesting depth of Flush
};

}  // namespace nl
