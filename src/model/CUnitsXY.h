#pragma once
#include <cstdint>
#include <vector>

#include "model/CUnitXY.h"

namespace nl {

// The table of length units shown to the user (Pixel, Pica, Point, Twip, Centimeter, Inch,
// then Logical pixel), rebuilt from the string table each run and never stored: the data
// file keeps an index into it, so rows are only ever added at the end.
class CUnitsXY {
public:
    // The string with the unit rows: id, name, abbreviation, number format per row.
    // The shared table takes this many units from it; the dialog units stay out of it.
    static constexpr int kSharedUnits = 6;
    // The row of the logical pixel, which has a string of its own, after the shared units.
    static constexpr int kLogicalPixelIndex = kSharedUnits;

    // Rebuilds the table from strings kIdsUnits and kIdsLogicalPixelUnit, with each unit's
    // help line and the monitors last given to SetMonitors. `regional` is kept by every unit
    // (see CUnitXY::InitUnit) and must outlive the table. False, with an empty table, when
    // string kIdsUnits is missing or has no rows.
    bool LoadUnits(const DisplayMetrics& metrics, const NumberFormat* regional);
    // The desktop's monitors with their scales, for the logical pixel, kept over reloads.
    void SetMonitors(const std::vector<MonitorInfo>& monitors);

    int GetSize() const { return static_cast<int>(m_units.size()); }
    bool IsEmpty() const { return m_units.empty(); }
    // The unit at `index`; throws std::out_of_range for an index outside the table (an empty
    // table, or a stored index from a damaged data file).
    const CUnitXY& GetAt(int index) const;
    CUnitXY& GetAt(int index);
    void Add(const CUnitXY& unit) { m_units.push_back(unit); }
    void RemoveAll() { m_units.clear(); }
    // Makes every unit read `regional` from now on.
    void SetRegionalFormat(const NumberFormat* regional);

    auto begin() const { return m_units.begin(); }
    auto end() const { return m_units.end(); }

private:
    std::vector<CUnitXY> m_units;
    std::vector<MonitorInfo> m_monitors;
};

}  // namespace nl
