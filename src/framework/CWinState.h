#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/monitor_layout.h"

namespace nl {

class CArchive;

// The system's window placement, 44 bytes in the data file: its own length (44, or 0 in a
// record never recorded), flags, the show command, the minimized and maximized positions and
// the normal (restored) rectangle.
struct WindowPlacement {
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    Point minPosition;
    Point maxPosition;
    Rect normalPosition;

    // Member-wise equality is the byte comparison of the 44 bytes: there is no padding.
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;

    // The placement of a window shown normally (neither minimized nor maximized) at `rect`,
    // in screen coordinates: what the program's windows record when they close or flush.
    static WindowPlacement Normal(const Rect& rect);
};

// What a window remembers between runs: whether it was open, where it was, and a few values
// and texts of its own. One record per remembering window in the preferences.
class CWinState {
public:
    static constexpr std::string_view kClassName = "CWinState";
    // The schema number written with the class in the data file's object array.
    static constexpr std::uint16_t kSchema = 1;
    // Record versions: the older one has no string table.
    static constexpr std::uint32_t kVersion1 = 0x00010000;
    static constexpr std::uint32_t kVersion2 = 0x00020000;
    static constexpr std::uint32_t kPlacementSize = 44;

    static constexpr std::uint32_t kFlagOpen = 0x1;
    // The most texts a window keeps in its record; a record with more is refused.
    static constexpr std::uint64_t kMaxStrings = 64;

    CWinState() = default;

    std::uint32_t Flags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    bool IsOpen() const { return (m_flags & kFlagOpen) != 0; }
    void SetOpen(bool open) { m_flags = open ? (m_flags | kFlagOpen) : (m_flags & ~kFlagOpen); }
    void ToggleOpen() { m_flags ^= kFlagOpen; }

    const WindowPlacement& Placement() const { return m_placement; }
    WindowPlacement& Placement() { return m_placement; }
    // A record whose normal rectangle is empty was never placed.
    bool IsPlaced() const { return !m_placement.normalPosition.IsEmpty(); }
    // Copies the window's current placement into the record when it differs from the stored
    // one; returns whether it did (the caller then marks the settings changed).
    bool RecordPlacement(const WindowPlacement& current);

    const std::vector<std::uint32_t>& Numbers() const { return m_numbers; }
    std::vector<std::uint32_t>& Numbers() { return m_numbers; }
    const std::vector<std::string>& Strings() const { return m_strings; }
    std::vector<std::string>& Strings() { return m_strings; }

    // Writes the record in the current version, or reads either version. The magic and the
    // reserved fields are read without being checked; a newer version, more than kMaxStrings
    // texts or a text longer than the archive's longest text are refused.
    void Serialize(CArchive& ar);

private:
    void SerializePlacement(CArchive& ar);

    std::uint32_t m_flags = kFlagOpen;
    WindowPlacement m_placement;
    std::vector<std::uint32_t> m_numbers;
    std::vector<std::string> m_strings;
};

static_assert(sizeof(WindowPlacement) == CWinState::kPlacementSize);

enum class RestoreMode {
    kMoveAndSize,  // the window takes the stored rectangle
    kMoveOnly,     // the window keeps its current size and moves to the stored position
};

struct RestoreResult {
    Rect rect;  // where the window goes
    bool show;  // whether it is shown (else hidden)
};

// Where a window whose current frame is `window` goes when it is restored from `record`. A
// record never placed centers the window on its monitor's work area. Otherwise the stored
// rectangle (with the window's current size when moving only) is clamped onto a monitor with
// its own size as margins, so a window that fits ends up wholly inside a work area, and the
// clamped rectangle is stored back into the record.
RestoreResult RestoreRect(CWinState& record, const Rect& window, RestoreMode mode,
                          std::span<const MonitorInfo> monitors, const Rect& desktop);

}  // namespace nl
