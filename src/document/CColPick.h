#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/CArchive.h"
#include "base/COleDateTime.h"
#include "base/geometry.h"
#include "model/area_sample.h"
#include "model/color_math.h"

namespace nl {

// One picked color: the color, where and when it was picked and from which window.
class CColPick {
public:
    // The top-level window the color came from, as the platform names windows; 0 is none.
    using WindowHandle = std::uint64_t;

    // The record's magic, the bytes "col1", and its format version.
    static constexpr std::uint32_t kMagic = 0x316C6F63;
    static constexpr std::uint32_t kFormatVersion = 0x00010000;
    // The source title of a pixel of the desktop background, which has neither a title nor
    // an owner. Stored records keep whatever title they were saved with.
    static constexpr const char* kDesktopTitle = "Desktop";

    // A record with zero dates; loading fills it.
    CColPick() = default;
    // A fresh record: created = modified = `now`, version 0, no color, positions (0, 0),
    // empty texts.
    explicit CColPick(const COleDateTime& now) : m_created(now), m_modified(now) {}

    // The current UTC moment as a stored time. The status is invalid when the clock's
    // reading does not convert to a date and back to the same second.
    static COleDateTime StampNow(const IClock& clock);

    // Kept in memory only: never written, 0 after loading.
    WindowHandle SourceWindow() const { return m_sourceWindow; }
    void SetSourceWindow(WindowHandle window) { m_sourceWindow = window; }

    // How the color was sampled from the screen. Kept in memory only, as the file has no
    // place for it: nothing after loading and after an edit of the color.
    const std::optional<SampleMethod>& Sampling() const { return m_sampling; }
    void SetSampling(std::optional<SampleMethod> method) { m_sampling = method; }

    const COleDateTime& Created() const { return m_created; }
    void SetCreated(const COleDateTime& when) { m_created = when; }
    // When the color was last set (pick, replace or edit).
    const COleDateTime& Modified() const { return m_modified; }
    void SetModified(const COleDateTime& when) { m_modified = when; }
    // The number of updates: 1 after a pick, one more for each edit.
    std::int32_t Version() const { return m_version; }
    void SetVersion(std::int32_t version) { m_version = version; }

    // The color when the record joined the list; kNoColor in a fresh record.
    COLORREF FirstColor() const { return m_firstColor; }
    void SetFirstColor(COLORREF color) { m_firstColor = color; }
    // kNoColor when there is none; black (0) is a color.
    COLORREF Color() const { return m_color; }
    void SetColor(COLORREF color) { m_color = color; }

    // Screen coordinates of the picked pixel.
    Point Position() const { return m_position; }
    void SetPosition(Point p) { m_position = p; }
    // The same point in the client coordinates of the source window.
    Point RelativePosition() const { return m_relativePosition; }
    void SetRelativePosition(Point p) { m_relativePosition = p; }

    // The source window's title, or kDesktopTitle. Both texts are cut to the longest text
    // the document file holds (CArchive::kLongestText UTF-16 units).
    const std::string& SourceTitle() const { return m_sourceTitle; }
    void SetSourceTitle(std::string title);
    // The class name of the window directly under the cursor.
    const std::string& WindowClass() const { return m_windowClass; }
    void SetWindowClass(std::string name);

    // Writes or reads the color record. Loading raises the bad-format error for a wrong
    // magic or a newer version and the end-of-file error for a record cut short; the
    // record is changed only when the whole record was read.
    void Serialize(CArchive& ar);

    // The fewest bytes a stored record takes (every text empty, in the narrow form).
    static constexpr std::size_t kMinStoredBytes = 92;

    friend bool operator==(const CColPick&, const CColPick&) = default;

private:
    WindowHandle m_sourceWindow = 0;
    std::optional<SampleMethod> m_sampling;
    COleDateTime m_created;
    COleDateTime m_modified;
    std::int32_t m_version = 0;
    COLORREF m_firstColor = kNoColor;
    COLORREF m_color = kNoColor;
    Point m_position;
    Point m_relativePosition;
    std::string m_sourceTitle;
    std::string m_windowClass;
};

}  // namespace nl
