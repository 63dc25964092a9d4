#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/CUnitCol.h"

namespace nl {

// The nine color text forms, rebuilt from the string table each run and never stored.
class CUnitsCol {
public:
    // The string with the format rows: id, name, format string per row.
    // The row the HTML exports always write colors with ("#HTML").
    static constexpr int kHashHtmlRow = 4;

    // Rebuilds the table from string kIdsColorFormats. False, with an empty table, when the
    // string is missing or has no rows.
    bool LoadColorFormats();

    int GetSize() const { return static_cast<int>(m_formats.size()); }
    bool IsEmpty() const { return m_formats.empty(); }
    // The row at `index`; throws std::out_of_range outside the table.
    const CUnitCol& GetAt(int index) const;
    void Add(const CUnitCol& format) { m_formats.push_back(format); }
    void RemoveAll() { m_formats.clear(); }

    // The color in the form of row `row`; throws std::out_of_range for a row outside the table.
    std::string FormatColor(COLORREF color, int row) const;

    auto begin() const { return m_formats.begin(); }
    auto end() const { return m_formats.end(); }

private:
    std::vector<CUnitCol> m_formats;
};

}  // namespace nl
