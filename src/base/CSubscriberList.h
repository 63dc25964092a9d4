#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/CSubscription.h"

namespace nl {

// Callbacks several parts of the program register for one event. Notify calls them in the
// order they subscribed. A callback may subscribe or unsubscribe others (or itself) while it
// runs: one removed then is not called any more, one added then waits for the next Notify.
template <typename... Args>
class CSubscriberList {
public:
    using Callback = std::function<void(Args...)>;

    // The callback stays registered while the returned subscription lives.
    [[nodiscard]] CSubscription Subscribe(Callback callback) {
        if (!callback) return {};
        const std::uint64_t id = m_state->nextId++;
        m_state->entries.push_back({id, std::move(callback)});
        std::weak_ptr<State> weak = m_state;
        return CSubscription([weak, id] {
            if (const auto state = weak.lock()) state->Remove(id);
        });
    }

    void Notify(Args... args) const {
        // The state stays alive even when a callback destroys the list.
        const std::shared_ptr<State> state = m_state;
        const std::size_t count = state->entries.size();
        ++state->notifying;
        struct Done {
            State& state;
            ~Done() {
                if (--state.notifying == 0) state.Compact();
            }
        } done{*state};
        for (std::size_t i = 0; i < count; ++i) {
            if (state->entries[i].id == kRemoved) continue;
            // A copy: a subscription made by the callback may move the entries.
            const Callback callback = state->entries[i].callback;
            callback(args...);
        }
    }

    bool IsEmpty() const { return Count() == 0; }
    std::size_t Count() const {
        const auto& entries = m_state->entries;
        return static_cast<std::size_t>(std::count_if(
            entries.begin(), entries.end(), [](const Entry& e) { return e.id != kRemoved; }));
    }

private:
    static constexpr std::uint64_t kRemoved = 0;

    struct Entry {
        std::uint64_t id;
        Callback callback;
    };
    struct State {
        std::vector<Entry> entries;
        std::uint64_t nextId = kRemoved + 1;
        int notifying = 0;

        // During a Notify the entry is only marked, so that the running loop keeps its places.
        void Remove(std::uint64_t id) {
            const auto it = std::find_if(entries.begin(), entries.end(),
                                         [id](const Entry& e) { return e.id == id; });
            if (it == entries.end()) return;
            if (notifying > 0)
                it->id = kRemoved;
            else
                entries.erase(it);
        }
        void Compact() {
            std::erase_if(entries, [](const Entry& e) { return e.id == kRemoved; });
        }
    };

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

}  // namespace nl
