#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/geometry.h"
#include "platform/IDesktop.h"

namespace nl {

// Answers about windows that hold until some window changes (a title, a class, an owner, a
// window's place), asked of the server once and kept while the desktop's windows' change
// count stays the same. Before a window's first question `watch` is called with it, so that
// any later change of that window changes the count; a question asked after the watch sees
// every change made before it. The live sample asks these for the window under the cursor at
// every pointer move: kept, a move over the same window costs no round trip for them.
class CWindowFacts {
public:
    // At most this many windows are kept; one more starts over.
    static constexpr std::size_t kMaxWindows = 64;

    // The windows a window is related to: its owner, and its top-level window with or
    // without following owners (IDesktop::Owner and Ancestor).
    enum class Relation { kOwner, kRootOwner, kRoot };

    // `windowsCount`: the windows' change count now. `watch`: asks to hear of a window's changes.
    CWindowFacts(std::function<std::uint64_t()> windowsCount, std::function<void(WindowId)> watch);

    std::string Text(WindowId window, const std::function<std::string()>& ask);
    std::string ClassName(WindowId window, const std::function<std::string()>& ask);
    Rect ClientRect(WindowId window, const std::function<Rect()>& ask);
    // The window the answer names is watched too, after the answer: a change of it in that
    // instant goes unseen until the next window change.
    WindowId Related(WindowId window, Relation relation, const std::function<WindowId()>& ask);

private:
    struct Facts {
        std::optional<std::string> text;
        std::optional<std::string> className;
        std::optional<Rect> client;
        std::optional<WindowId> owner;
        std::optional<WindowId> rootOwner;
        std::optional<WindowId> root;
    };
    // The window's facts, all dropped first where the count moved on; watches a new window.
    Facts& Of(WindowId window);
    template <class T>
    T Kept(std::optional<T>& slot, const std::function<T()>& ask);
    static std::optional<WindowId>& Slot(Facts& facts, Relation relation);

    std::function<std::uint64_t()> m_windowsCount;
    std::function<void(WindowId)> m_watch;
    std::optional<std::uint64_t> m_count;
    std::unordered_map<WindowId, Facts> m_facts;
};

}  // namespace nl
