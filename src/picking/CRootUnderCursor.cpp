#include "picking/CRootUnderCursor.h"

namespace nl {

WindowId CRootUnderCursor::Find(Lookup lookup, std::optional<Point> known) {
    const Point cursor = known && lookup == Lookup::kReuse ? *known : m_desktop.CursorPos();
    // The windows' count, read before the windows it vouches for.
    const std::uint64_t changes = m_desktop.ChangeCount({});
    if (lookup == Lookup::kReuse && m_found && m_found->cursor == cursor &&
        m_found->changes == changes)
        return m_found->root;
    ++m_lookups;
    const WindowId under = m_desktop.WindowFromPoint(cursor);
    const WindowId root =
        under == kNoWindow ? kNoWindow : m_desktop.Ancestor(under, WindowAncestor::kRoot);
    m_found = Found{cursor, changes, root};
    return root;
}

}  // namespace nl
