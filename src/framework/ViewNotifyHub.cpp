#include "framework/ViewNotifyHub.h"

#include <algorithm>

namespace nl {
namespace {

// Runs `action` when it goes out of scope, also when a sink throws.
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : m_action(std::move(action)) {}
    ~ScopeExit() { m_action(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action m_action;
};

}  // namespace

void ViewNotifyHub::Register(IViewNotifySink* sink) {
    // The hub passing notifications to itself would never end.
    if (sink == nullptr || sink == this) return;
    if (std::find(m_sinks.begin(), m_sinks.end(), sink) != m_sinks.end()) return;
    m_sinks.push_back(sink);
}

void ViewNotifyHub::Unregister(IViewNotifySink* sink) {
    if (sink == nullptr) return;
    const auto it = std::find(m_sinks.begin(), m_sinks.end(), sink);
    if (it == m_sinks.end()) return;
    if (m_sending > 0)
        *it = nullptr;
    else
        m_sinks.erase(it);
}

void ViewNotifyHub::Compact() {
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), nullptr), m_sinks.end());
}

void ViewNotifyHub::Send(ViewNotify type, std::intptr_t argument) {
    // Sinks registered from inside this broadcast lie beyond `count` and wait for the next.
    const std::size_t count = m_sinks.size();
    ++m_sending;
    const ScopeExit done([this] {
        if (--m_sending == 0) Compact();
    });
    for (std::size_t i = 0; i < count; ++i) {
        IViewNotifySink* sink = m_sinks[i];
        if (sink != nullptr) sink->OnViewNotify(type, argument);
    }
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
    const ScopeExit done([this] {
        if (--m_flushing == 0 && !m_posted.empty()) m_wake.Notify();
    });
    while (count > 0 && !m_posted.empty()) {
        const auto [type, argument] = m_posted.front();
        m_posted.pop_front();
        --count;
        Send(type, argument);
    }
}

}  // namespace nl
