#include "framework/ViewNotifyHub.h"

#include <algorithm>

namespace nl {

CSubscription ViewNotifyHub::Subscribe(IViewNotifySink& sink) {
    // The hub passing notifications to itself would never end.
    if (&sink == this) return {};
    return Subscribe(
        [&sink](ViewNotify type, std::intptr_t argument) { sink.OnViewNotify(type, argument); });
}

void ViewNotifyHub::Register(IViewNotifySink* sink) {
    if (sink == nullptr) return;
    const bool known = std::any_of(m_registered.begin(), m_registered.end(),
                                   [sink](const auto& entry) { return entry.first == sink; });
    if (known) return;
    CSubscription subscription = Subscribe(*sink);
    if (subscription.IsActive()) m_registered.emplace_back(sink, std::move(subscription));
}

void ViewNotifyHub::Unregister(IViewNotifySink* sink) {
    // Ending the subscription during a broadcast only marks it: the running loop keeps its
    // places and the sink gets nothing more.
    std::erase_if(m_registered, [sink](const auto& entry) { return entry.first == sink; });
}

void ViewNotifyHub::Post(ViewNotify type, std::intptr_t argument) {
    const bool wasEmpty = m_posted.empty();
    m_posted.emplace_back(type, argument);
    // One wake per batch; a running Flush wakes for what is posted meanwhile when it ends.
    if (wasEmpty && m_flushing == 0) m_wake.Notify();
}

void ViewNotifyHub::Flush() {
    // Only what was queued when the flush began: a sink that posts from every notification
    // would otherwise keep the flush running for ever.
    std::size_t count = m_posted.size();
    ++m_flushing;
    // Also when a sink throws.
    struct Done {
        ViewNotifyHub& hub;
        ~Done() {
            if (--hub.m_flushing == 0 && !hub.m_posted.empty()) hub.m_wake.Notify();
        }
    } done{*this};
    while (count > 0 && !m_posted.empty()) {
        const auto [type, argument] = m_posted.front();
        m_posted.pop_front();
        --count;
        Send(type, argument);
    }
}

}  // namespace nl
