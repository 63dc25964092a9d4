#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/CArchive.h"
#include "base/COleDateTime.h"
#include "document/CColPick.h"
#include "document/ViewNotification.h"
#include "model/CUnitCol.h"
#include "platform/IClipboard.h"

namespace nl {

// The picked colors of the document: the ordered list of records, the live sample under the
// cursor that picks copy from, the document's revision and the three export texts.
//
// Every change to the list marks the list (and, through the owner's callback, the document)
// modified and then tells the views with a view notification carrying the index.
class CColorPicker {
public:
    // The list holds at most this many colors; a pick into a full list drops the oldest.
    static constexpr int kMaxColors = 999;
    // "All colors" for CopyColors.
    static constexpr int kAllColors = -1;

    enum ExportText : int { kExportTitle = 0, kExportHeader = 1, kExportFooter = 2 };
    static constexpr int kExportTextCount = 3;
    // The default title, header and footer of exports.

    // The section's magic string and format version.
    static constexpr const char* kMagic = "NCnlCol";
    static constexpr std::uint32_t kFormatVersion = 0x00010000;

    using ExportTexts = std::array<std::string, kExportTextCount>;

    // `clock` stamps picks, edits and saves; `views` (may be null) receives the list's
    // notifications. Both must outlive the list. The list starts reset.
    explicit CColorPicker(const IClock& clock, IViewNotifySink* views = nullptr);
    CColorPicker(const CColorPicker&) = delete;
    CColorPicker& operator=(const CColorPicker&) = delete;

    // Called after every change that marks the list modified (the owning document marks
    // itself modified there).
    void SetOnModified(std::function<void()> onModified) { m_onModified = std::move(onModified); }

    int GetCount() const { return static_cast<int>(m_colors.size()); }
    bool IsEmpty() const { return m_colors.empty(); }
    // The record at `index`; an index outside the list throws std::invalid_argument.
    const CColPick& GetAt(int index) const;
    const std::vector<CColPick>& Colors() const { return m_colors; }

    // The pixel under the cursor; picks copy it into the list. Never stored.
    CColPick& Sample() { return m_sample; }
    const CColPick& Sample() const { return m_sample; }

    // Inserts a copy of `sample` at `index` (0..count; count appends). With a full list the
    // oldest record goes first and an index above 0 moves down by one. The inserted record
    // gets first color = color, created = modified = now and version 1. Notifies 20 with
    // the final index. Returns true once the record is in the list.
    bool InsertColor(int index, const CColPick& sample);
    // Copies `sample` over the record at `index`, keeping the record's created time.
    // Notifies 22.
    void ReplaceColor(int index, const CColPick& sample);
    // Sets the color at `index` (the edit dialog): modified = now, version + 1. Notifies 22.
    void SetColor(int index, COLORREF color);
    // Removes the record at `index`. Notifies 21.
    void RemoveColor(int index);
    // Removes every record. Notifies 30; an empty list stays unmodified.
    void RemoveAllColors();
    // Swaps the records at `from` and `to`: 1 on success (notifying 22 for `from`, then 22
    // for `to`), 0 when either index is outside the list, 1 without change when they are
    // equal.
    int MoveColor(int from, int to);

    // The clipboard text of the color at `index`, or of every color (kAllColors), in
    // `format`: one color alone, or each color followed by "\r\n".
    std::string ColorsText(int index, const CUnitCol& format) const;
    // Puts ColorsText on the clipboard as Unicode text; returns 0 or the system error code.
    std::uint32_t CopyColors(int index, const CUnitCol& format, IClipboard& clipboard) const;

    // Empties the list, sets the revision and the reserved value to 0 and the export texts
    // to their defaults, clears the modified flag. Notifies 30.
    void Reset();

    bool IsModified() const { return m_modified; }
    // The document's save counter: each save of a modified list raises it by one.
    std::int32_t Revision() const { return m_revision; }
    // A value kept from the file and written back unchanged.
    std::uint32_t ReservedValue() const { return m_reserved; }

    const ExportTexts& GetExportTexts() const { return m_exportTexts; }
    const std::string& GetExportText(ExportText which) const { return m_exportTexts[which]; }
    // Changes an export text; a different text marks the list modified.
    void SetExportText(ExportText which, std::string text);
    static ExportTexts DefaultExportTexts();

    // Writes or reads the colors section of the document file. Writing first raises the
    // revision when the list is modified. Loading replaces the list, revision, reserved value
    // and export texts only when the whole section was read, and sends no notification.
    // Either way the modified flag is cleared afterwards.
    void Serialize(CArchive& ar);

    // Takes the stored contents (list, revision, reserved value, export texts) of `loaded`,
    // keeping this list's live sample, owner and views; clears the modified flag. No
    // notification is sent: the document announces the replaced data itself.
    void TakeContents(CColorPicker&& loaded);

    // The state that a save changes, so that a failed save can put it back.
    struct SaveState {
        bool modified = false;
        std::int32_t revision = 0;
    };
    SaveState GetSaveState() const { return {m_modified, m_revision}; }
    void RestoreSaveState(const SaveState& state);

private:
    void CheckIndex(int index) const;
    void MarkModified();
    void Notify(ViewNotify type, int index) const;

    const IClock& m_clock;
    IViewNotifySink* m_views;
    std::function<void()> m_onModified;
    std::vector<CColPick> m_colors;
    bool m_modified = false;
    CColPick m_sample;
    std::int32_t m_revision = 0;
    std::uint32_t m_reserved = 0;
    ExportTexts m_exportTexts;
};

}  // namespace nl
