#include "framework/CIdleGate.h"

namespace nl {

bool CIdleGate::IsDue(std::uint64_t nowMs, std::uint64_t windows) const {
    if (m_changed || !m_ranAt || windows != m_windows) return true;
    // A clock that went back counts as a long wait.
    return nowMs < *m_ranAt || nowMs - *m_ranAt >= kRefreshMs;
}

void CIdleGate::Ran(std::uint64_t nowMs, std::uint64_t windows) {
    m_changed = false;
    m_ranAt = nowMs;
    m_windows = windows;
}

}  // namespace nl
