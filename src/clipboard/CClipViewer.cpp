#include "clipboard/CClipViewer.h"

#include <algorithm>
#include <initializer_list>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "clipboard/CClipTextCursor.h"
#include "clipboard/CTextStatsCounter.h"
#include "platform/IFileSystem.h"

namespace nl {

namespace {

constexpr int kShowRtf = cmd::kClipboardShowText + 1;
constexpr int kShowHtml = cmd::kClipboardShowText + 2;
constexpr int kShowBitmap = cmd::kClipboardShowText + 3;
constexpr int kShowMetafile = cmd::kClipboardShowText + 4;
constexpr int kDisplayCount = static_cast<int>(CClipViewer::kDisplayFormats);
// The row of a display format's string that holds its short name.
constexpr std::size_t kShortNameRow = 1;

constexpr std::string_view kTextFilter = "Text (*.txt)|*.txt|";
constexpr std::string_view kRtfFilter = "RTF (*.rtf)|*.rtf|";
constexpr std::string_view kHtmlFilter = "HTML (*.htm)|*.htm|";

// "%s" in `pattern` replaced by `values` in turn.
std::string Fill(std::string_view pattern, std::initializer_list<std::string> values) {
    std::string out;
    auto value = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
            value != values.end()) {
            out += *value++;
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

std::string ExtensionOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

constexpr std::u16string_view kPreviewNoteBreak = u"\r\n\r\n";

}  // namespace

struct CClipViewer::PendingStats {
    explicit PendingStats(ClipboardRead text) : read(std::move(text)), cursor(read.bytes) {}
    ClipboardRead read;
    CClipTextCursor cursor;  // over read.bytes
    CTextStatsCounter counter;
};

CClipViewer::~CClipViewer() = default;

CClipViewer::CClipViewer()
    : m_entries{{{kShowBitmap, kCfBitmap, ClipShownAs::kPicture},
                 {kShowMetafile, kCfEnhMetafile, ClipShownAs::kPicture},
                 {cmd::kClipboardShowText, kCfUnicodeText, ClipShownAs::kText},
                 {kShowRtf, m_map.Rtf(), ClipShownAs::kText},
                 {kShowHtml, m_map.Html(), ClipShownAs::kText},
                 {cmd::kClipboardShowFileList, kCfHDrop, ClipShownAs::kText}}},
      m_textPreference(IndexOf(cmd::kClipboardShowText)),
      m_picturePreference(IndexOf(kShowBitmap)) {}

int CClipViewer::IndexOf(int command) const {
    for (int i = 0; i < kDisplayCount; ++i)
        if (m_entries[static_cast<std::size_t>(i)].command == command) return i;
    return kNoEntry;
}

bool CClipViewer::Holds(std::uint32_t format) const {
    return std::any_of(m_formats.begin(), m_formats.end(),
                       [&](const ClipEntry& e) { return e.format == format; });
}

void CClipViewer::RefreshTimedOut() {
    Refresh({});
    m_summary = SystemErrorText(kErrorTimeout);
}

void CClipViewer::Refresh(const std::vector<std::string>& names) {
    m_stats.reset();
    m_summary = kWaitText;
    m_formats = m_map.Map(names);
    m_sizes.assign(m_formats.size(), {SizeState::kUnmeasured, 0});
    m_timeoutsInRow = 0;
    for (ClipDisplayEntry& entry : m_entries) entry.available = Holds(entry.format);

    const auto available = [this](int index) {
        return index != kNoEntry && m_entries[static_cast<std::size_t>(index)].available;
    };
    int chosen = kNoEntry;
    for (const int candidate : {m_textPreference, m_picturePreference, m_current})
        if (available(candidate)) {
            chosen = candidate;
            break;
        }
    for (int i = 0; chosen == kNoEntry && i < kDisplayCount; ++i)
        if (available(i)) chosen = i;
    m_current = chosen;
}

bool CClipViewer::Show(int command) {
    const int index = IndexOf(command);
    if (index == kNoEntry) return false;
    m_stats.reset();
    m_current = index;
    if (Holds(kCfBitmap) || Holds(kCfEnhMetafile))
        m_picturePreference = index;
    else if (Holds(kCfUnicodeText) || Holds(m_map.Rtf()) || Holds(m_map.Html()))
        m_textPreference = index;
    m_summary = kWaitText;
    return true;
}

std::optional<int> CClipViewer::StepCommand(int direction) const {
    std::vector<int> order;
    for (int command = cmd::kClipboardShowText; command <= cmd::kClipboardShowFileList; ++command)
        if (IsAvailable(command)) order.push_back(command);
    const ClipDisplayEntry* current = CurrentEntry();
    if (order.size() < 2 || !current) return std::nullopt;
    const auto at = std::find(order.begin(), order.end(), current->command);
    if (at == order.end()) return std::nullopt;
    const auto size = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t next = ((at - order.begin()) + (direction < 0 ? -1 : 1) + size) % size;
    return order[static_cast<std::size_t>(next)];
}

const ClipDisplayEntry* CClipViewer::CurrentEntry() const {
    return m_current == kNoEntry ? nullptr : &m_entries[static_cast<std::size_t>(m_current)];
}

bool CClipViewer::CurrentIsText() const {
    const ClipDisplayEntry* entry = CurrentEntry();
    return entry && entry->shownAs == ClipShownAs::kText;
}

bool CClipViewer::IsAvailable(int command) const {
    const int index = IndexOf(command);
    return index != kNoEntry && m_entries[static_cast<std::size_t>(index)].available;
}

int CClipViewer::AvailableCount() const {
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const ClipDisplayEntry& e) { return e.available; }));
}

bool CClipViewer::CanSaveAs() const {
    const ClipDisplayEntry* entry = CurrentEntry();
    return entry && entry->format != kCfEnhMetafile;
}

std::string CClipViewer::ShortName(int index) const {
    return LoadStringRow(
        static_cast<std::uint32_t>(m_entries[static_cast<std::size_t>(index)].command),
        kShortNameRow);
}

std::string CClipViewer::MimeOf(std::uint32_t format) const {
    for (const ClipEntry& e : m_formats)
        if (e.format == format) return e.mime;
    return {};
}

std::string CClipViewer::CurrentMime() const {
    const ClipDisplayEntry* entry = CurrentEntry();
    return entry && entry->available ? MimeOf(entry->format) : std::string();
}

std::optional<ClipTextView> CClipViewer::ReadText(ClipboardRead read) {
    const ClipDisplayEntry* entry = CurrentEntry();
    if (!entry || entry->shownAs != ClipShownAs::kText || !entry->available) return std::nullopt;
    m_stats.reset();
    SetCurrentFormatSize(read, {});
    ClipTextView view;
    if (read.status == ClipboardReadStatus::kMissing ||
        read.status == ClipboardReadStatus::kTimedOut) {
        m_summary = SystemErrorText(
            read.status == ClipboardReadStatus::kTimedOut ? kErrorTimeout : kErrorClipboardNotOpen);
        view.summary = m_summary;
        return view;
    }
    if (entry->format == kCfHDrop) {
        const std::vector<std::string> paths = DecodeUriList(read.bytes);
        view.text = FileListText(paths);
        m_summary = Fill("FILES: Count = %s || List = %s chars",
                         {std::to_string(paths.size()), std::to_string(view.text.size())});
        view.summary = m_summary;
        return view;
    }
    ClipTextPreview preview = PreviewClipText(read.bytes, kMaxPreviewUnits, kMaxPreviewLines);
    view.text = std::move(preview.text);
    if (preview.cut)
        view.text += std::u16string(kPreviewNoteBreak) +
                     Utf8ToUtf16(FormatString(kIdsClipPreviewCut, {std::to_string(preview.bytes),
                                                                   std::to_string(read.size)}));
    m_summary = kWaitText;
    view.summary = m_summary;
    m_stats = std::make_unique<PendingStats>(std::move(read));
    return view;
}

bool CClipViewer::StepStats(std::size_t maxBytes) {
    if (!m_stats) return false;
    CClipTextCursor& cursor = m_stats->cursor;
    const std::size_t end = cursor.Offset() + maxBytes;
    for (char16_t unit = 0; cursor.Offset() < end && cursor.Next(unit);) m_stats->counter.Add(unit);
    if (!cursor.AtEnd()) return true;
    FinishStats();
    return false;
}

void CClipViewer::FinishStats() {
    const std::optional<TextStats> stats = m_stats->counter.Result();
    if (!stats) {
        m_summary = kInterruptedText;
    } else {
        m_summary =
            Fill("%s: Lines = %s | Words = %s | Chars = %s || Vis = %s | Spc = %s | Ctrl = %s",
                 {ShortName(m_current), std::to_string(stats->lines), std::to_string(stats->words),
                  std::to_string(stats->chars), std::to_string(stats->visible),
                  std::to_string(stats->spaces), std::to_string(stats->controls)});
    }
    // A text larger than the viewer reads is counted as far as it was read.
    const ClipboardRead& read = m_stats->read;
    if (read.status == ClipboardReadStatus::kCut)
        m_summary += Fill(" || Counted = first %s of %s bytes",
                          {std::to_string(read.bytes.size()), std::to_string(read.size)});
    m_stats.reset();
}

void CClipViewer::InterruptStats() {
    if (!m_stats) return;
    m_stats.reset();
    m_summary = kInterruptedText;
}

void CClipViewer::SetCurrentFormatSize(const ClipboardRead& read,
                                       const ClipBitmapMeasure& measure) {
    const ClipDisplayEntry* entry = CurrentEntry();
    for (std::size_t row = 0; entry && row < m_formats.size(); ++row)
        if (m_formats[row].format == entry->format) return SetFormatSize(row, read, measure);
}

void CClipViewer::SetBitmapSummary(const ClipBitmapInfo& info, const NumberFormat& format) {
    const std::uint64_t size = BitmapDataSize(info.height, info.rowBytes, info.bitsPerPixel);
    m_summary = Fill(
        "%s: Dim = %s x %s px | Size = %s | Col = %s bits",
        {ShortName(IndexOf(kShowBitmap)), std::to_string(info.width), std::to_string(info.height),
         FormatByteSize(size, format), std::to_string(info.bitsPerPixel)});
}

void CClipViewer::SetMetafileSummary(const MetafileHeader& header, const NumberFormat& format) {
    m_summary = Fill("%s: Bounds = %s x %s px | Size = %s",
                     {ShortName(IndexOf(kShowMetafile)), std::to_string(header.width),
                      std::to_string(header.height), FormatByteSize(header.bytes, format)});
}

void CClipViewer::SetNoPictureSummary() {
    m_summary = HoldsAnyFormat() ? kNotSupportedText : kEmptyText;
}

std::optional<ClipFormatRead> CClipViewer::NextFormatRead() const {
    for (std::size_t row = 0; row < m_formats.size(); ++row) {
        if (m_sizes[row].first != SizeState::kUnmeasured) continue;
        const std::uint32_t format = m_formats[row].format;
        const bool picture = format == kCfBitmap || format == kCfEnhMetafile;
        return ClipFormatRead{row, m_formats[row].mime, picture ? kMaxPictureBytes : 0};
    }
    return std::nullopt;
}

void CClipViewer::SetFormatSize(std::size_t row, const ClipboardRead& read,
                                const ClipBitmapMeasure& measure) {
    if (row >= m_sizes.size()) return;
    if (read.status == ClipboardReadStatus::kTimedOut) {
        m_sizes[row] = {SizeState::kUnknown, 0};
        if (++m_timeoutsInRow >= kTimeoutsBeforeGivingUp)
            for (auto& size : m_sizes)
                if (size.first == SizeState::kUnmeasured) size = {SizeState::kUnknown, 0};
        return;
    }
    m_timeoutsInRow = 0;
    std::uint64_t size = read.status == ClipboardReadStatus::kMissing ? 0 : read.size;
    const std::uint32_t format = m_formats[row].format;
    // Pictures count what they are made of; one too large to be read whole cannot be measured.
    if (format == kCfBitmap || format == kCfEnhMetafile) {
        size = 0;
        if (read.status == ClipboardReadStatus::kDone && format == kCfBitmap) {
            const auto info = measure ? measure(read.bytes) : std::nullopt;
            if (info) size = BitmapDataSize(info->height, info->rowBytes, info->bitsPerPixel);
        } else if (read.status == ClipboardReadStatus::kDone) {
            const auto header = ReadMetafileHeader(read.bytes);
            if (header) size = header->bytes;
        }
    }
    m_sizes[row] = {SizeState::kKnown, size};
}

std::vector<ClipFormatRow> CClipViewer::FormatRows(const NumberFormat& format) const {
    std::vector<ClipFormatRow> rows;
    for (std::size_t row = 0; row < m_formats.size(); ++row) {
        const auto& [state, size] = m_sizes[row];
        std::string sizeText;
        if (state == SizeState::kKnown) sizeText = FormatByteSize(size, format);
        if (state == SizeState::kUnknown) sizeText = kUnknownSize;
        const std::uint32_t id = m_formats[row].format;
        rows.push_back({std::to_string(row + 1), std::move(sizeText), std::to_string(id),
                        ClipFormatName(m_map, id)});
    }
    return rows;
}

ClipSaveKind CClipViewer::SaveKind() const {
    if (Holds(kCfUnicodeText) || Holds(m_map.Rtf()) || Holds(m_map.Html()))
        return ClipSaveKind::kText;
    if (Holds(kCfBitmap)) return ClipSaveKind::kBitmap;
    if (Holds(kCfHDrop)) return ClipSaveKind::kFileList;
    return ClipSaveKind::kNone;
}

std::string CClipViewer::SaveFilter() const {
    switch (SaveKind()) {
        case ClipSaveKind::kText: {
            std::string filter;
            if (Holds(kCfUnicodeText)) filter += kTextFilter;
            if (Holds(m_map.Rtf())) filter += kRtfFilter;
            if (Holds(m_map.Html())) filter += kHtmlFilter;
            return filter + "|";
        }
        case ClipSaveKind::kFileList:
            return std::string(kFileListFilter);
        default:
            return {};
    }
}

std::uint32_t CClipViewer::SaveFormat(const std::string& path) const {
    if (SaveKind() != ClipSaveKind::kText) return kCfHDrop;
    const std::string extension = ExtensionOf(path);
    if (EqualsNoCase(extension, ".txt")) return kCfUnicodeText;
    if (EqualsNoCase(extension, ".rtf")) return m_map.Rtf();
    if (EqualsNoCase(extension, ".htm")) return m_map.Html();
    throw CSystemError(kErrorNotSupported, path);
}

std::string CClipViewer::SaveMime(const std::string& path) const {
    const std::string mime = MimeOf(SaveFormat(path));
    if (mime.empty()) throw CSystemError(kErrorNotSupported, path);
    return mime;
}

void CClipViewer::SaveText(const ClipboardRead& read, IFileSystem& files,
                           const std::string& path) const {
    const std::uint32_t format = SaveFormat(path);
    switch (read.status) {
        case ClipboardReadStatus::kDone:
            break;
        case ClipboardReadStatus::kCut:
            throw CSystemError(kErrorNotEnoughMemory, path);
        case ClipboardReadStatus::kTimedOut:
            throw CSystemError(kErrorTimeout, path);
        case ClipboardReadStatus::kMissing:
            throw CSystemError(kErrorNotSupported, path);
    }
    std::u16string text =
        format == kCfHDrop ? FileListText(DecodeUriList(read.bytes)) : DecodeClipText(read.bytes);
    if (format == m_map.Html()) {
        const std::size_t start = std::min(HtmlStart(text), text.size());
        text.erase(0, start);
    }
    if (const std::uint32_t code = files.WriteFile(path, Utf16LeBytes(text)))
        throw CSystemError(code, path);
}

}  // namespace nl
