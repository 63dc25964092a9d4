#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "platform/IHotKeys.h"

namespace nl {

// An in-memory hot-key table. Tests mark keys as held by "another program" and press keys.
class FakeHotKeys final : public IHotKeys {
public:
    struct Key {
        std::uint32_t modifiers = 0;
        std::uint32_t virtualKey = 0;
        friend auto operator<=>(const Key&, const Key&) = default;
    };

    std::uint32_t Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetListener(Listener listener) override { m_listener = std::move(listener); }
    void Suspend() override { m_suspended = true; }
    void Resume() override { m_suspended = false; }
    void SetTakenListener(TakenListener listener) override {
        m_takenListener = std::move(listener);
    }
    HotKeyRoute Route() const override { return m_route; }
    // How the simulated session delivers hot keys.
    void SetRoute(HotKeyRoute route) { m_route = route; }
    // The simulated desktop binds every registered key, naming no trigger of its own.
    bool DesktopBound(int id, std::string* trigger) const override {
        if (trigger) trigger->clear();
        return IsRegistered(id);
    }

    // Another program holds (or releases) the key: registering it fails with
    // kErrorHotkeyAlreadyRegistered.
    void SetTaken(std::uint32_t modifiers, std::uint32_t virtualKey, bool taken = true);
    // Makes every later registration fail with `code` (0 lets them succeed again).
    void FailRegistrations(std::uint32_t code) { m_failure = code; }
    // The user presses the key: the listener hears the id registered for it, if any.
    // Returns whether a hot key fired; none does while suspended, when a key another program
    // holds is told to the taken-key listener instead.
    bool Press(std::uint32_t modifiers, std::uint32_t virtualKey);

    bool IsRegistered(int id) const { return m_registered.contains(id); }
    // The key registered for `id` ({0, 0} when none).
    Key KeyOf(int id) const;
    std::size_t Count() const { return m_registered.size(); }
    bool IsSuspended() const { return m_suspended; }

private:
    std::map<int, Key> m_registered;
    std::set<Key> m_taken;
    std::uint32_t m_failure = 0;
    bool m_suspended = false;
    HotKeyRoute m_route = HotKeyRoute::kKeyGrabs;
    Listener m_listener;
    TakenListener m_takenListener;
};

}  // namespace nl
