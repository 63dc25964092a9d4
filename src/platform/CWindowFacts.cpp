#include "platform/CWindowFacts.h"

#include <utility>

namespace nl {

CWindowFacts::CWindowFacts(std::function<std::uint64_t()> windowsCount,
                           std::function<void(WindowId)> watch)
    : m_windowsCount(std::move(windowsCount)), m_watch(std::move(watch)) {}

CWindowFacts::Facts& CWindowFacts::Of(WindowId window) {
    const std::uint64_t count = m_windowsCount();
    if (m_count != count || (m_facts.size() >= kMaxWindows && !m_facts.contains(window))) {
        m_facts.clear();
        m_count = count;
    }
    const auto [it, added] = m_facts.try_emplace(window);
    if (added) m_watch(window);
    return it->second;
}

template <class T>
T CWindowFacts::Kept(std::optional<T>& slot, const std::function<T()>& ask) {
    if (!slot) slot = ask();
    return *slot;
}

std::string CWindowFacts::Text(WindowId window, const std::function<std::string()>& ask) {
    return Kept(Of(window).text, ask);
}

std::string CWindowFacts::ClassName(WindowId window, const std::function<std::string()>& ask) {
    return Kept(Of(window).className, ask);
}

Rect CWindowFacts::ClientRect(WindowId window, const std::function<Rect()>& ask) {
    return Kept(Of(window).client, ask);
}

std::optional<WindowId>& CWindowFacts::Slot(Facts& facts, Relation relation) {
    switch (relation) {
        case Relation::kOwner:
            return facts.owner;
        case Relation::kRootOwner:
            return facts.rootOwner;
        case Relation::kRoot:
            break;
    }
    return facts.root;
}

WindowId CWindowFacts::Related(WindowId window, Relation relation,
                               const std::function<WindowId()>& ask) {
    if (const std::optional<WindowId> kept = Slot(Of(window), relation)) return *kept;
    const std::optional<std::uint64_t> asked = m_count;
    const WindowId related = ask();
    // The answer depends on the named window too (its WM_STATE, its own owner): hear of its
    // changes before keeping the answer. Where anything changed meanwhile it is not kept.
    if (related != kNoWindow && related != window) Of(related);
    if (m_count == asked && m_facts.contains(window)) Slot(m_facts[window], relation) = related;
    return related;
}

}  // namespace nl
