#include "framework/CWinState.h"

#include <algorithm>
#include <cstring>

#include "base/CArchive.h"

namespace nl {

WindowPlacement WindowPlacement::Normal(const Rect& rect) {
    constexpr std::uint32_t kShowNormal = 1;  // the system's SW_SHOWNORMAL
    constexpr Point kNoPosition{-1, -1};      // no minimized or maximized position chosen
    WindowPlacement placement;
    placement.length = CWinState::kPlacementSize;
    placement.showCmd = kShowNormal;
    placement.minPosition = kNoPosition;
    placement.maxPosition = kNoPosition;
    placement.normalPosition = rect;
    return placement;
}
namespace {

constexpr std::string_view kMagic = "SWCN";
// A placement's length counts its own four bytes.
constexpr std::uint32_t kLengthFieldSize = 4;
constexpr std::size_t kPlacementBodySize = CWinState::kPlacementSize - kLengthFieldSize;
// Records of any 1.x version end after the numbers; later ones carry a string table.
constexpr std::uint32_t kLastVersionWithoutStrings = 0x0001FFFF;

void ReservedDwords(CArchive& ar, int count) {
    for (int i = 0; i < count; ++i) ar.IsStoring() ? ar.WriteU32(0) : void(ar.ReadU32());
}

}  // namespace

bool CWinState::RecordPlacement(const WindowPlacement& current) {
    if (current == m_placement) return false;
    m_placement = current;
    return true;
}

void CWinState::Serialize(CArchive& ar) {
    ar.Magic(kMagic, CArchive::MagicCheck::kSkip);
    const std::uint32_t version = ar.Version(kVersion2);
    ar.Io(m_flags);
    ReservedDwords(ar, 2);
    ar.Reserved(0, 1);
    ReservedDwords(ar, 2);
    SerializePlacement(ar);
    ar.Io(m_numbers);
    if (ar.IsStoring()) {
        ar.WriteStringTable(m_strings);
    } else if (version > kLastVersionWithoutStrings) {
        m_strings = ar.ReadStringTable(kMaxStrings, CArchive::kLongestText);
    } else {
        m_strings.clear();
    }
}

void CWinState::SerializePlacement(CArchive& ar) {
    std::uint32_t fields[kPlacementSize / 4] = {};
    if (ar.IsStoring()) {
        std::memcpy(fields, &m_placement, sizeof fields);
        ar.WriteBytes(fields, sizeof fields);
        return;
    }
    // The stored length says how many bytes follow it; 0 (a placement never recorded) stands
    // for a full placement and is kept, so such a record is written back as it was read. A
    // shorter placement is completed with zeros, the bytes of a longer one beyond ours are
    // skipped (both then hold a full placement), and a length that cannot even hold itself is
    // refused. The count is checked against the data left before skipping, so a huge length
    // ends in the end-of-file error.
    const std::uint32_t stored = ar.ReadU32();
    const std::uint32_t length = stored == 0 ? kPlacementSize : stored;
    if (length < kLengthFieldSize) ar.ThrowBadFormat();
    const std::size_t following = length - kLengthFieldSize;
    const std::size_t kept = std::min(following, kPlacementBodySize);
    ar.ReadBytes(&fields[1], kept);
    ar.SkipBytes(following - kept);
    fields[0] = stored == 0 ? 0 : kPlacementSize;
    std::memcpy(&m_placement, fields, sizeof fields);
}

namespace {

Rect SaturatedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return {SaturateToInt(left), SaturateToInt(top), SaturateToInt(right), SaturateToInt(bottom)};
}

}  // namespace

RestoreResult RestoreRect(CWinState& record, const Rect& window, RestoreMode mode,
                          std::span<const MonitorInfo> monitors, const Rect& desktop) {
    const bool show = record.IsOpen();
    if (!record.IsPlaced()) return {CenterOnWorkArea(window, monitors, desktop), show};

    const Rect& stored = record.Placement().normalPosition;
    Rect target = stored;
    if (mode == RestoreMode::kMoveOnly) {
        const Rect w = window.Normalized();
        target = SaturatedRect(stored.left, stored.top,
                               std::int64_t{stored.left} + (std::int64_t{w.right} - w.left),
                               std::int64_t{stored.top} + (std::int64_t{w.bottom} - w.top));
    }
    const int marginX = SaturateToInt(std::int64_t{target.right} - target.left);
    const int marginY = SaturateToInt(std::int64_t{target.bottom} - target.top);
    const Rect clamped = ClampRectToMonitors(target, marginX, marginY, monitors, desktop);
    record.Placement().normalPosition = clamped;
    return {clamped, show};
}

}  // namespace nl
