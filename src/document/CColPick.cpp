#include "document/CColPick.h"

#include <chrono>

#include "base/text.h"

namespace nl {
namespace {

// Reserved fields of the stored record, written as zeros and skipped when reading.
constexpr int kReservedWords = 3;    // 32-bit words after the version
constexpr int kReservedQwords = 2;   // 64-bit values between the two positions
constexpr int kReservedStrings = 2;  // empty strings at the end

void IoPoint(CArchive& ar, Point& p) {
    ar.Io(p.x);
    ar.Io(p.y);
}

}  // namespace

COleDateTime CColPick::StampNow(const IClock& clock) {
    using std::chrono::floor;
    using std::chrono::seconds;
    const auto now = clock.UtcNow();
    COleDateTime date = COleDateTime::FromTimePoint(now);
    std::chrono::system_clock::time_point back;
    if (!date.ToTimePoint(back) || floor<seconds>(back) != floor<seconds>(now))
        date.SetStatus(COleDateTime::kInvalid);
    return date;
}

void CColPick::SetSourceTitle(std::string title) {
    m_sourceTitle = TruncateUtf16(title, CArchive::kLongestText);
}

void CColPick::SetWindowClass(std::string name) {
    m_windowClass = TruncateUtf16(name, CArchive::kLongestText);
}

void CColPick::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU32(kMagic);
        ar.Version(kFormatVersion);
        for (int i = 0; i < kReservedWords; ++i) ar.WriteU32(0);
        ar.WriteI32(m_version);
        ar.WriteDate(m_created);
        ar.WriteDate(m_modified);
        ar.WriteU32(m_firstColor);
        ar.WriteU32(m_color);
        ar.WriteI32(m_position.x);
        ar.WriteI32(m_position.y);
        ar.Reserved(kReservedQwords, 0);
        ar.WriteI32(m_relativePosition.x);
        ar.WriteI32(m_relativePosition.y);
        ar.WriteString(m_sourceTitle);
        ar.WriteString(m_windowClass);
        ar.Reserved(0, kReservedStrings);
        return;
    }
    if (ar.ReadU32() != kMagic) ar.ThrowBadFormat();
    ar.Version(kFormatVersion);
    for (int i = 0; i < kReservedWords; ++i) ar.ReadU32();
    CColPick read;
    read.m_version = ar.ReadI32();
    read.m_created = ar.ReadDate();
    read.m_modified = ar.ReadDate();
    read.m_firstColor = ar.ReadU32();  // "no color" is -1 as a signed value
    read.m_color = ar.ReadU32();
    IoPoint(ar, read.m_position);
    ar.Reserved(kReservedQwords, 0);
    IoPoint(ar, read.m_relativePosition);
    read.m_sourceTitle = ar.ReadString(CArchive::kLongestText);
    read.m_windowClass = ar.ReadString(CArchive::kLongestText);
    ar.Reserved(0, kReservedStrings);
    *this = std::move(read);  // the source window of a loaded record is empty
}

}  // namespace nl
