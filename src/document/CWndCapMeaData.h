#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/COleDateTime.h"
#include "base/geometry.h"
#include "model/NumberFormat.h"

namespace nl {

class CArchive;
class CUnitXY;

// The kind of a measurement, as kept in memory and in the document file.
enum class MeaShape : std::int32_t {
    kNone = 0,
    kLine = 1,
    kRectangle = 2,
    kEllipse = 3,
    kPath = 4,
};

// Whether a new measurement keeps the one it follows in the list of measurements.
enum class KeepMeasurement { kNo, kYes };

// Whether a rectangle or ellipse gesture was dragged out from its center.
enum class MeaFromCenter { kNo, kYes };

// What the gauge overlay reports when a gesture finishes. Points are overlay client pixels
// (origin at the top-left corner of the virtual screen).
struct MeaGesture {
    MeaShape shape = MeaShape::kNone;
    MeaFromCenter fromCenter = MeaFromCenter::kNo;
    Point origin;               // where the gesture started; the center when from the center
    Point first;                // the start point (ignored when from the center)
    Point last;                 // the end point; for a path the last tracked cursor position
    std::vector<Point> points;  // the path's vertices in click order; empty for other shapes
};

// The document's one measurement: the last gesture completed on the gauge, with the figures
// derived from it in a length unit.
class CWndCapMeaData {
public:
    // "cap1" read as a little-endian 32-bit value.
    static constexpr std::uint32_t kMagic = 0x31706163;
    static constexpr std::uint32_t kVersion = 0x00010000;
    // The most vertices a path holds.
    static constexpr std::size_t kMaxPoints = 1001;

    CWndCapMeaData() = default;

    // Stores a finished gesture as the measurement: works out its extent in pixels and drops
    // it when that is at most one pixel both ways (a plain click); otherwise mirrors the first
    // corner of a from-center rectangle or ellipse through the center, stamps the time from
    // `clock` (UTC) and replaces the record. Returns whether the record was replaced; the
    // caller then marks the document modified, rebuilds the view and auto-copies.
    bool CompleteGesture(const MeaGesture& gesture, const IClock& clock);

    // A record made of stored parts, as a measurements file holds them: nullopt for no shape
    // or an unknown one, a path without vertices or with more than kMaxPoints, vertices on
    // another shape.
    static std::optional<CWndCapMeaData> FromParts(MeaShape shape, Point origin, Point first,
                                                   Point last, std::vector<Point> points,
                                                   const COleDateTime& when);

    // The record of a new document: no shape, all points (0, 0), no vertices, date 0.0 valid.
    void Clear();
    bool IsEmpty() const { return m_shape == MeaShape::kNone; }

    // Property rows as alternating entries name, value, name, value ... for the current shape
    // in `unit`, converted on the monitor the shape lies on; `regional` is the user's number
    // format for the computed figures (lengths, surfaces, slopes, angles, counts). An empty
    // record gives no entries.
    std::vector<std::string> BuildRows(const CUnitXY& unit, const NumberFormat& regional) const;
    // The one figure auto-copy puts on the clipboard: a line's length, a rectangle's or path's
    // perimeter, an ellipse's circumference. Empty for an empty record.
    std::string PrimaryFigure(const CUnitXY& unit, const NumberFormat& regional) const;
    // Every row as "name<TAB>value\r\n", the text of "Copy all measurements".
    std::string RowsAsText(const CUnitXY& unit, const NumberFormat& regional) const;

    // Writes or reads the record in the document archive. A failed read raises the archive's
    // error and leaves the record as it was.
    void Serialize(CArchive& ar);

    const COleDateTime& When() const { return m_when; }
    MeaShape Shape() const { return m_shape; }
    const Point& Origin() const { return m_origin; }
    const Point& First() const { return m_first; }
    const Point& Last() const { return m_last; }
    const std::vector<Point>& Points() const { return m_points; }

    friend bool operator==(const CWndCapMeaData&, const CWndCapMeaData&) = default;

private:
    COleDateTime m_when;
    MeaShape m_shape = MeaShape::kNone;
    Point m_origin;
    Point m_first;
    Point m_last;
    std::vector<Point> m_points;
};

// A computed figure in `regional` with the format's own number of decimals. The value is
// written with six decimals in the neutral form first; when the locale form cannot be made
// (not a finite value) or runs to 64 characters or more, that neutral text is used as it is.
std::string FormatLocaleNumber(const NumberFormat& regional, double value);

}  // namespace nl
