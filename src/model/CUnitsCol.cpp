#include "model/CUnitsCol.h"

#include <stdexcept>

#include "base/StringTable.h"
#include "base/text.h"
#include "model/table_rows.h"

namespace nl {
namespace {

constexpr size_t kItemsPerRow = 3;  // id, name, format string

}  // namespace

bool CUnitsCol::LoadColorFormats() {
    m_formats.clear();
    const std::vector<std::string> items = SplitLines(LoadString(kIdsColorFormats));
    for (size_t a = 0; a < items.size(); a += kItemsPerRow) {
        // A line feed ending the text leaves an empty last item, not a row.
        if (items[a].empty() && a + 1 == items.size()) break;
        const std::string name = a + 1 < items.size() ? items[a + 1] : std::string();
        const std::string format = a + 2 < items.size() ? items[a + 2] : std::string();
        m_formats.emplace_back(ParseRowId(items[a]), name, format);
    }
    return !m_formats.empty();
}

const CUnitCol& CUnitsCol::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        throw std::out_of_range("color format index " + std::to_string(index) + " outside 0.." +
                                std::to_string(GetSize() - 1));
    }
    return m_formats[static_cast<size_t>(index)];
}

std::string CUnitsCol::FormatColor(COLORREF color, int row) const {
    return GetAt(row).FormatColor(color);
}

}  // namespace nl
