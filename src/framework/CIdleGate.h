#pragma once
#include <cstdint>
#include <optional>

namespace nl {

// Decides whether the periodic idle update of menus, buttons, panes and hints has anything to
// do. The update reads the settings, the document, the live sample, the program's windows and
// the desktop's windows; it is due when something that can change what it reads happened
// since it last ran (an input event, a command, a notification, a picking tick that sampled
// again), when the desktop's windows changed (another program activated, a window moved under
// the cursor), and in any case after a while, for what announces no change of its own (files
// on disk).
class CIdleGate {
public:
    // The longest the update waits with nothing announced.
    static constexpr std::uint64_t kRefreshMs = 1000;

    // Something the update reads may have changed.
    void MarkChanged() { m_changed = true; }
    // Whether the update is due at `nowMs`; `windows` is the desktop's windows' change count
    // (IDesktop::ChangeCount of an empty area).
    bool IsDue(std::uint64_t nowMs, std::uint64_t windows) const;
    // The update ran at `nowMs`, having read the windows at count `windows`.
    void Ran(std::uint64_t nowMs, std::uint64_t windows);

private:
    bool m_changed = true;
    std::optional<std::uint64_t> m_ranAt;
    std::uint64_t m_windows = 0;
};

}  // namespace nl
