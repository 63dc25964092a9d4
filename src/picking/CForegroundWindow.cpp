#include "picking/CForegroundWindow.h"

namespace nl {

WindowId CForegroundWindow::Get(CRootUnderCursor::Lookup lookup) {
    // The windows' count, read before the window it vouches for.
    const std::uint64_t changes = m_desktop.ChangeCount({});
    if (lookup == CRootUnderCursor::Lookup::kReuse && m_known && m_known->changes == changes)
        return m_known->window;
    ++m_asked;
    m_known = Known{changes, m_desktop.ForegroundWindow()};
    return m_known->window;
}

}  // namespace nl
