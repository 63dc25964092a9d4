#include "platform/CScreenChanges.h"

#include <algorithm>
#include <utility>

namespace nl {

void CScreenChanges::Damaged(const Rect& rect) {
    for (Area& area : m_areas) {
        // A dirty area keeps the count its readers have not seen yet.
        if (area.dirty || Intersect(area.rect, rect).IsEmpty()) continue;
        area.count = ++m_next;
        area.dirty = true;
    }
}

void CScreenChanges::WindowsChanged() {
    m_windows = ++m_next;
    for (Area& area : m_areas) {
        area.count = ++m_next;
        area.dirty = true;
    }
}

CScreenChanges::Reading CScreenChanges::Read(const Rect& area) {
    if (area.IsEmpty()) return {m_windows, false};
    ++m_reads;
    auto found =
        std::find_if(m_areas.begin(), m_areas.end(), [&](const Area& a) { return a.rect == area; });
    if (found == m_areas.end()) {
        if (m_areas.size() >= kMaxAreas) {
            m_areas.erase(std::min_element(
                m_areas.begin(), m_areas.end(),
                [](const Area& a, const Area& b) { return a.lastRead < b.lastRead; }));
        }
        m_areas.push_back({area, ++m_next, false, m_reads});
        return {m_areas.back().count, true};
    }
    found->lastRead = m_reads;
    const bool rearm = std::exchange(found->dirty, false);
    return {found->count, rearm};
}

}  // namespace nl
