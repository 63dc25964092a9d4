#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "base/CSubscriberList.h"
#include "document/ViewNotification.h"

namespace nl {

// The broadcast of view notifications: every window of the program registers a sink; Send
// passes a notification to all of them at once, Post queues it until the next Flush (the
// program flushes from its event loop). Sinks may register, unregister or send from inside a
// notification; a sink removed during a broadcast gets nothing more.
class ViewNotifyHub : public IViewNotifySink {
public:
    void Register(IViewNotifySink* sink);
    void Unregister(IViewNotifySink* sink);

    // Sends at once to every registered sink, in registration order.
    void Send(ViewNotify type, std::intptr_t argument = 0);
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
    void Compact();

    // Unregistering during a broadcast leaves a null slot, removed when the outermost
    // broadcast ends, so that the running loops keep their places.
    std::vector<IViewNotifySink*> m_sinks;
    std::deque<std::pair<ViewNotify, std::intptr_t>> m_posted;
    CSubscriberList<> m_wake;
    int m_sending = 0;   // nesting depth of Send
    int m_flushing = 0;  // nesting depth of Flush
};

}  // namespace nl
