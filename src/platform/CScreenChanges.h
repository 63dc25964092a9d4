#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace nl {

// The bookkeeping of a desktop that learns of changes as reports (a rectangle of the screen
// was drawn on, the windows changed) and answers IDesktop::ChangeCount for a few watched
// areas. Each watched area has a count that takes a new value when a report touches it. The
// reports come only for areas re-armed since their last change (the source keeps quiet
// about areas already known to be dirty), so a read that finds an area changed or new tells
// the caller to re-arm it before reading its pixels.
class CScreenChanges {
public:
    // The areas watched at once; the one read longest ago makes room for a new one.
    static constexpr std::size_t kMaxAreas = 8;

    // Something was drawn inside `rect`.
    void Damaged(const Rect& rect);
    // Windows were mapped, unmapped, moved, restacked or focused: every count changes.
    void WindowsChanged();

    struct Reading {
        std::uint64_t count = 0;
        // The area is new or changed since its last read: re-arm it now.
        bool rearm = false;
    };
    // The count of `area`; an empty area gives the windows' count, which never needs re-arming.
    Reading Read(const Rect& area);

private:
    struct Area {
        Rect rect;
        std::uint64_t count = 0;
        bool dirty = false;
        std::uint64_t lastRead = 0;
    };

    std::uint64_t m_next = 0;  // the last count given out
    std::uint64_t m_windows = 0;
    std::uint64_t m_reads = 0;
    std::vector<Area> m_areas;
};

}  // namespace nl
