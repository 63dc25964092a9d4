#include "document/CColorPicker.h"

#include <stdexcept>
#include <utility>

#include "base/StringTable.h"
#include "base/text.h"
#include "res/version.h"

namespace nl {
namespace {

// Reserved fields of the colors section, written as zeros or empty and skipped when reading.
constexpr int kHeadReservedQwords = 4;
constexpr int kHeadReservedStrings = 4;
constexpr int kTailReservedQwords = 8;
constexpr int kTailReservedStrings = 4;

// Two's-complement increment, so a revision at the top of the range wraps instead of
// overflowing.
std::int32_t NextRevision(std::int32_t revision) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(revision) + 1u);
}

}  // namespace

CColorPicker::CColorPicker(const IClock& clock, IViewNotifySink* views)
    : m_clock(clock), m_views(views), m_sample(CColPick::StampNow(clock)) {
    m_exportTexts = DefaultExportTexts();
}

CColorPicker::ExportTexts CColorPicker::DefaultExportTexts() {
    return {LoadString(kIdsDefaultTitle), LoadString(kIdsDefaultHeader),
            LoadString(kIdsDefaultFooter)};
}

void CColorPicker::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount())
        throw std::invalid_argument("color index " + std::to_string(index) +
                                    " outside the list of " + std::to_string(GetCount()));
}

const CColPick& CColorPicker::GetAt(int index) const {
    CheckIndex(index);
    return m_colors[static_cast<std::size_t>(index)];
}

void CColorPicker::MarkModified() {
    m_modified = true;
    if (m_onModified) m_onModified();
}

void CColorPicker::Notify(ViewNotify type, int index) const {
    if (m_views != nullptr) m_views->OnViewNotify(type, index);
}

bool CColorPicker::InsertColor(int index, const CColPick& sample) {
    if (index < 0 || index > GetCount())
        throw std::invalid_argument("insert index " + std::to_string(index) + " outside 0.." +
                                    std::to_string(GetCount()));
    if (GetCount() >= kMaxColors) {
        m_colors.erase(m_colors.begin());
        if (index > 0) --index;
    }
    CColPick record = sample;
    const COleDateTime now = CColPick::StampNow(m_clock);
    record.SetFirstColor(record.Color());
    record.SetCreated(now);
    record.SetModified(now);
    record.SetVersion(1);
    m_colors.insert(m_colors.begin() + index, std::move(record));
    MarkModified();
    Notify(ViewNotify::kColorInserted, index);
    return true;
}

void CColorPicker::ReplaceColor(int index, const CColPick& sample) {
    CheckIndex(index);
    CColPick& record = m_colors[static_cast<std::size_t>(index)];
    const COleDateTime created = record.Created();
    record = sample;
    record.SetCreated(created);
    MarkModified();
    Notify(ViewNotify::kColorChanged, index);
}

void CColorPicker::SetColor(int index, COLORREF color) {
    CheckIndex(index);
    CColPick& record = m_colors[static_cast<std::size_t>(index)];
    record.SetColor(color);
    record.SetSampling(std::nullopt);  // an edited color was not sampled so
    record.SetModified(CColPick::StampNow(m_clock));
    record.SetVersion(static_cast<std::int32_t>(static_cast<std::uint32_t>(record.Version()) + 1u));
    MarkModified();
    Notify(ViewNotify::kColorChanged, index);
}

void CColorPicker::RemoveColor(int index) {
    CheckIndex(index);
    m_colors.erase(m_colors.begin() + index);
    MarkModified();
    Notify(ViewNotify::kColorRemoved, index);
}

void CColorPicker::RemoveAllColors() {
    const bool hadColors = !m_colors.empty();
    m_colors.clear();
    if (hadColors) MarkModified();
    Notify(ViewNotify::kAllColorsRemoved, 0);
}

int CColorPicker::MoveColor(int from, int to) {
    if (from < 0 || from >= GetCount() || to < 0 || to >= GetCount()) return 0;
    if (from == to) return 1;
    std::swap(m_colors[static_cast<std::size_t>(from)], m_colors[static_cast<std::size_t>(to)]);
    MarkModified();
    Notify(ViewNotify::kColorChanged, from);
    Notify(ViewNotify::kColorChanged, to);
    return 1;
}

std::string CColorPicker::ColorsText(int index, const CUnitCol& format) const {
    if (index != kAllColors) return format.FormatColor(GetAt(index).Color());
    std::string text;
    for (const CColPick& record : m_colors) {
        text += format.FormatColor(record.Color());
        text += "\r\n";
    }
    return text;
}

std::uint32_t CColorPicker::CopyColors(int index, const CUnitCol& format,
                                       IClipboard& clipboard) const {
    return clipboard.SetText(ColorsText(index, format));
}

void CColorPicker::Reset() {
    m_colors.clear();
    m_revision = 0;
    m_reserved = 0;
    m_exportTexts = DefaultExportTexts();
    m_modified = false;
    Notify(ViewNotify::kAllColorsRemoved, 0);
}

void CColorPicker::SetExportText(ExportText which, std::string text) {
    if (which < 0 || which >= kExportTextCount)
        throw std::invalid_argument("export text " + std::to_string(which));
    text = TruncateUtf16(text, CArchive::kLongestText);
    if (m_exportTexts[which] == text) return;
    m_exportTexts[which] = std::move(text);
    MarkModified();
}

void CColorPicker::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        if (m_modified) m_revision = NextRevision(m_revision);
        ar.WriteString(kMagic);
        ar.Version(kFormatVersion);
        ar.WriteU32(kProductVersion);
        ar.WriteDate(CColPick::StampNow(m_clock));
        ar.WriteU32(0);
        ar.WriteI32(m_revision);
        ar.Reserved(kHeadReservedQwords, kHeadReservedStrings);
        ar.WriteU32(m_reserved);
        ar.WriteU32(0);
        ar.Reserved(kTailReservedQwords, kTailReservedStrings);
        ar.WriteCount(m_colors.size());
        for (CColPick& record : m_colors) record.Serialize(ar);
        ar.WriteCount(0);  // an empty table of 32-bit values
        ar.WriteStringTable(m_exportTexts);
        m_modified = false;
        return;
    }

    if (ar.ReadString() != kMagic) ar.ThrowBadFormat();
    ar.Version(kFormatVersion);
    ar.ReadU32();   // the writer's product version
    ar.ReadDate();  // when it was saved
    ar.ReadU32();
    const std::int32_t revision = ar.ReadI32();
    ar.Reserved(kHeadReservedQwords, kHeadReservedStrings);
    const std::uint32_t reserved = ar.ReadU32();
    ar.ReadU32();
    ar.Reserved(kTailReservedQwords, kTailReservedStrings);
    // No list this program writes holds more than kMaxColors records.
    const std::uint64_t count = ar.ReadCount(CColPick::kMinStoredBytes, kMaxColors);
    std::vector<CColPick> colors(static_cast<std::size_t>(count));
    for (CColPick& record : colors) record.Serialize(ar);
    ar.SkipBytes(sizeof(std::uint32_t) * ar.ReadCount(sizeof(std::uint32_t)));  // unused values
    // The text table is cut or padded with empty texts to exactly three; texts beyond the
    // third are read past without being kept.
    ExportTexts texts;
    const std::uint64_t textCount = ar.ReadCount(1);
    for (std::uint64_t i = 0; i < textCount; ++i) {
        if (i < texts.size())
            texts[i] = ar.ReadString(CArchive::kLongestText);
        else
            ar.SkipString();
    }

    m_colors = std::move(colors);
    m_revision = revision;
    m_reserved = reserved;
    m_exportTexts = std::move(texts);
    m_modified = false;
}

void CColorPicker::TakeContents(CColorPicker&& loaded) {
    m_colors = std::move(loaded.m_colors);
    m_revision = loaded.m_revision;
    m_reserved = loaded.m_reserved;
    m_exportTexts = std::move(loaded.m_exportTexts);
    m_modified = false;
}

void CColorPicker::RestoreSaveState(const SaveState& state) {
    m_modified = state.modified;
    m_revision = state.revision;
}

}  // namespace nl
