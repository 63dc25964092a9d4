#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "clipboard/CClipFormatMap.h"
#include "clipboard/clip_data.h"
#include "clipboard/clip_text.h"
#include "platform/IClipboard.h"

namespace nl {

class IFileSystem;
struct NumberFormat;

// How a display format is shown: in the text box or drawn as a picture.
enum class ClipShownAs { kPicture, kText };

// One display format of the viewer: its command, its clipboard format, how it is shown and
// whether the clipboard holds it now.
struct ClipDisplayEntry {
    int command = 0;
    std::uint32_t format = 0;
    ClipShownAs shownAs = ClipShownAs::kText;
    bool available = false;
};

// What a picture is made of, as the bitmap summary and the formats window measure it.
struct ClipBitmapInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t rowBytes = 0;
    std::uint32_t bitsPerPixel = 0;
};
// Decodes picture bytes of a MIME type far enough to measure them; nothing when it cannot.
using ClipBitmapMeasure =
    std::function<std::optional<ClipBitmapInfo>(std::span<const std::uint8_t>)>;

// A row of the formats window.
struct ClipFormatRow {
    std::string position;  // from 1
    std::string size;
    std::string id;
    std::string name;
    friend bool operator==(const ClipFormatRow&, const ClipFormatRow&) = default;
};

// A read that measures a row of the formats window.
struct ClipFormatRead {
    std::size_t row = 0;
    std::string mime;
    std::size_t maxBytes = 0;  // 0: the size is enough
};

// What the text box shows for a text format and the summary under it.
struct ClipTextView {
    std::u16string text;
    std::string summary;
};

// What Save As does with the clipboard's contents.
enum class ClipSaveKind { kNone, kText, kBitmap, kFileList };

// The clipboard viewer's state without its windows: the display-format table, which entries
// the clipboard holds, the current entry with the text and picture preferences, stepping
// between formats, the enabling of the commands, the summaries and Save As.
class CClipViewer {
public:
    static constexpr int kNoEntry = -1;
    // Bitmap, Metafile, Text, RTF, HTML and File List.
    static constexpr std::size_t kDisplayFormats = 6;
    static constexpr std::string_view kWaitText = "Wait...";
    static constexpr std::string_view kNoPreviewText = "Preview not available";
    static constexpr std::string_view kEmptyText = "The clipboard is empty";
    static constexpr std::string_view kNotSupportedText =
        "The clipboard data is not supported by this application";
    static constexpr std::string_view kInterruptedText = "Stats collection interrupted by Esc/Copy";
    static constexpr std::string_view kFileListFilter = "Text (*.txt)|*.txt||";
    // The size of a format whose owner did not answer.
    static constexpr std::string_view kUnknownSize = "unknown";
    // The most bytes read of a text counted by the statistics, of a picture measured or
    // shown, and of a text saved: the viewer's memory stays bounded whatever the clipboard
    // holds.
    static constexpr std::size_t kMaxTextBytes = std::size_t{256} << 20;
    static constexpr std::size_t kMaxPictureBytes = std::size_t{64} << 20;
    static constexpr std::size_t kMaxSaveBytes = std::size_t{64} << 20;
    // The most of a text the text box shows, in UTF-16 units and in lines: a text box of
    // many megabytes takes seconds and hundreds of megabytes to lay out, while the
    // statistics count the whole text anyway.
    static constexpr std::size_t kMaxPreviewUnits = std::size_t{64} << 10;
    static constexpr std::size_t kMaxPreviewLines = 2000;
    // After this many formats in a row whose owner did not answer, the rest of the formats
    // window's sizes are given up as unknown too: the owner is not answering at all.
    static constexpr int kTimeoutsBeforeGivingUp = 2;

    CClipViewer();
    ~CClipViewer();
    CClipViewer(const CClipViewer&) = delete;
    CClipViewer& operator=(const CClipViewer&) = delete;

    // Takes the clipboard's format names, marks the available entries and chooses the one to
    // show: the text preference, the picture preference, the current entry or the first
    // available in table order, whichever the clipboard holds first. The formats window's
    // sizes start unmeasured.
    void Refresh(const std::vector<std::string>& names);
    // The clipboard's owner did not tell its formats: nothing is available and the summary
    // says the owner timed out.
    void RefreshTimedOut();
    // Makes the entry of display command `command` current and records it as a preference
    // (the picture preference while the clipboard holds a picture, else the text preference
    // while it holds text). The summary says "Wait...". False for an unknown command.
    bool Show(int command);
    // The command Previous or Next moves to in View-menu order, wrapping; nothing when the
    // current entry is not available or fewer than two are.
    std::optional<int> StepCommand(int direction) const;

    const std::array<ClipDisplayEntry, kDisplayFormats>& Entries() const { return m_entries; }
    int Current() const { return m_current; }
    const ClipDisplayEntry* CurrentEntry() const;
    bool CurrentIsText() const;
    bool IsAvailable(int command) const;
    int AvailableCount() const;
    // The formats on the clipboard, as the formats window lists them.
    const std::vector<ClipEntry>& Formats() const { return m_formats; }
    bool HoldsAnyFormat() const { return !m_formats.empty(); }
    bool CanSaveAs() const;

    const std::string& Summary() const { return m_summary; }
    void SetSummary(std::string summary) { m_summary = std::move(summary); }

    // The current text entry from `read` of its data (kMaxTextBytes of CurrentMime()): the
    // file list, or the start of the text (kMaxPreviewUnits and kMaxPreviewLines at most,
    // with a line saying so when more follows). The text's statistics are then walked by
    // StepStats, the summary saying "Wait..." until they are done. The read also gives the
    // size of the entry's row in the formats window. Sets the summary; nothing when the
    // current entry is no available text entry.
    std::optional<ClipTextView> ReadText(ClipboardRead read);
    // Walks the statistics of the text read last over `maxBytes` more of its bytes; at its
    // end the summary gives them and the text's bytes are let go. False when no walk is left.
    bool StepStats(std::size_t maxBytes);
    bool StatsPending() const { return m_stats != nullptr; }
    // Gives up the walk (Escape, a newer clipboard change): the summary says so.
    void InterruptStats();
    // The size of the current entry's row in the formats window, from the read of its data.
    void SetCurrentFormatSize(const ClipboardRead& read, const ClipBitmapMeasure& measure);
    // The summaries of the picture area: a bitmap, a metafile, or no picture entry.
    void SetBitmapSummary(const ClipBitmapInfo& info, const NumberFormat& format);
    void SetMetafileSummary(const MetafileHeader& header, const NumberFormat& format);
    void SetNoPictureSummary();
    // The MIME type of the current entry's data; empty when there is none.
    std::string CurrentMime() const;
    std::string MimeOf(std::uint32_t format) const;

    // The formats window: the next read that measures a row not measured yet (pictures are
    // read to be measured, other formats only for their size), the size a read tells
    // (pictures measured with `measure`), and the rows, with "unknown" for a format whose
    // owner did not answer and nothing yet for one still to be measured.
    std::optional<ClipFormatRead> NextFormatRead() const;
    void SetFormatSize(std::size_t row, const ClipboardRead& read,
                       const ClipBitmapMeasure& measure);
    std::vector<ClipFormatRow> FormatRows(const NumberFormat& format) const;

    // Save As: what it saves, the file dialog's filter, the MIME type read for `path` (whose
    // extension chooses the format; kErrorNotSupported raised for any other) and the text
    // saved from that read (at most kMaxSaveBytes). Writes UTF-16 little-endian without a
    // byte-order mark; failures are raised as system errors.
    ClipSaveKind SaveKind() const;
    std::string SaveFilter() const;
    std::string SaveMime(const std::string& path) const;
    void SaveText(const ClipboardRead& read, IFileSystem& files, const std::string& path) const;

    const CClipFormatMap& FormatMap() const { return m_map; }

private:
    // The text whose statistics are walked in steps, with where the walk has got to.
    struct PendingStats;

    int IndexOf(int command) const;
    void FinishStats();
    bool Holds(std::uint32_t format) const;
    std::uint32_t SaveFormat(const std::string& path) const;
    std::string ShortName(int index) const;

    CClipFormatMap m_map;
    std::array<ClipDisplayEntry, kDisplayFormats> m_entries;
    std::vector<ClipEntry> m_formats;
    // The formats window's sizes, one per format.
    enum class SizeState { kUnmeasured, kKnown, kUnknown };
    std::vector<std::pair<SizeState, std::uint64_t>> m_sizes;
    int m_timeoutsInRow = 0;
    int m_current = kNoEntry;
    int m_textPreference = kNoEntry;
    int m_picturePreference = kNoEntry;
    std::string m_summary;
    std::unique_ptr<PendingStats> m_stats;
};

}  // namespace nl
