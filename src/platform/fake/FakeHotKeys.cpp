#include "platform/fake/FakeHotKeys.h"

#include "base/CSystemError.h"

namespace nl {

std::uint32_t FakeHotKeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    Unregister(id);
    if (m_failure != 0) return m_failure;
    // The system ignores flags beyond the four modifiers (such as "no repeat").
    const Key key{modifiers & kModMask, virtualKey};
    if (m_taken.contains(key)) return kErrorHotkeyAlreadyRegistered;
    for (const auto& [otherId, other] : m_registered)
        if (other == key) return kErrorHotkeyAlreadyRegistered;
    m_registered.emplace(id, key);
    return kErrorSuccess;
}

void FakeHotKeys::Unregister(int id) {
    m_registered.erase(id);
}

void FakeHotKeys::SetTaken(std::uint32_t modifiers, std::uint32_t virtualKey, bool taken) {
    const Key key{modifiers & kModMask, virtualKey};
    if (taken)
        m_taken.insert(key);
    else
        m_taken.erase(key);
}

bool FakeHotKeys::Press(std::uint32_t modifiers, std::uint32_t virtualKey) {
    const Key key{modifiers & kModMask, virtualKey};
    if (m_suspended) {
        if (m_taken.contains(key) && m_takenListener) m_takenListener(key.modifiers, virtualKey);
        return false;
    }
    for (const auto& [id, registered] : m_registered) {
        if (registered == key) {
            const int fired = id;  // the listener may change the table
            if (m_listener) m_listener(fired);
            return true;
        }
    }
    return false;
}

FakeHotKeys::Key FakeHotKeys::KeyOf(int id) const {
    const auto it = m_registered.find(id);
    return it == m_registered.end() ? Key{} : it->second;
}

}  // namespace nl
