#include "platform/CSplitDesktop.h"

namespace nl {

CSplitDesktop::CSplitDesktop(std::unique_ptr<IDesktop> windows, std::unique_ptr<IDesktop> pixels,
                             PointerSource pointer, FrozenWindows frozen)
    : m_windows(std::move(windows)),
      m_pixels(std::move(pixels)),
      m_pointer(pointer),
      m_frozenWindows(frozen) {}

const IDesktop& CSplitDesktop::Listing() const {
    // A pixels' desktop that knows no windows lists none: the windows' desktop answers then.
    if (m_frozenWindows == FrozenWindows::kPixelsWhereKnown && m_pixels->IsFrozen() &&
        !m_pixels->TopLevelWindows().empty())
        return *m_pixels;
    return *m_windows;
}

Point CSplitDesktop::CursorPos() const {
    return m_pointer == PointerSource::kReported ? m_reported : m_windows->CursorPos();
}

void CSplitDesktop::SetCursorPos(Point pos) {
    if (m_pointer == PointerSource::kReported)
        m_reported = pos;
    else
        m_windows->SetCursorPos(pos);
}

bool CSplitDesktop::FollowsPointer() const {
    return m_pointer == PointerSource::kWindows && m_windows->FollowsPointer();
}

}  // namespace nl
