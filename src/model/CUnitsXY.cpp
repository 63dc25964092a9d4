#include "model/CUnitsXY.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "base/StringTable.h"
#include "base/text.h"
#include "model/table_rows.h"

namespace nl {
namespace {

constexpr size_t kItemsPerRow = 4;  // id, name, abbreviation, number format
// Every unit's number text goes in one "%s" place of its formats.
constexpr std::string_view kNumberPlace = "%s";

std::string ItemAt(const std::vector<std::string>& items, size_t index) {
    return index < items.size() ? items[index] : std::string();
}

// The unit's definition line: the ruler's unit commands carry those of the first eight.
std::string HelpLineOf(int id) {
    if (id == CUnitXY::kLogicalPixel) return LoadString(kIdsLogicalPixelHelp);
    if (id < CUnitXY::kPixel || id > CUnitXY::kDialog) return {};
    return LoadString(kIdsUnitDefinitions + static_cast<std::uint32_t>(id));
}

}  // namespace

bool CUnitsXY::LoadUnits(const DisplayMetrics& metrics, const NumberFormat* regional) {
    m_units.clear();
    const auto add = [&](const std::vector<std::string>& items, size_t a) {
        CUnitXY unit(ParseRowId(items[a]), ItemAt(items, a + 1), ItemAt(items, a + 2),
                     ItemAt(items, a + 3));
        unit.SetNumberFormatText(std::string(kNumberPlace));
        unit.SetMonitors(m_monitors);
        unit.InitUnit(metrics, regional);
        unit.SetHelpLine(HelpLineOf(unit.Id()));
        m_units.push_back(unit);
    };
    const std::vector<std::string> items = SplitLines(LoadString(kIdsUnits));
    for (size_t a = 0; a < items.size() && GetSize() < kSharedUnits; a += kItemsPerRow) {
        // A line feed ending the text leaves an empty last item, not a row.
        if (items[a].empty() && a + 1 == items.size()) break;
        add(items, a);
    }
    if (m_units.empty()) return false;
    // Behind the shared rows only: a short table must not move the logical pixel to a row
    // that stored indices give another unit.
    const std::vector<std::string> logical = SplitLines(LoadString(kIdsLogicalPixelUnit));
    if (GetSize() == kLogicalPixelIndex && !logical.empty()) add(logical, 0);
    return true;
}

void CUnitsXY::SetMonitors(const std::vector<MonitorInfo>& monitors) {
    m_monitors = monitors;
    for (CUnitXY& unit : m_units) unit.SetMonitors(monitors);
}

const CUnitXY& CUnitsXY::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        throw std::out_of_range("length unit index " + std::to_string(index) + " outside 0.." +
                                std::to_string(GetSize() - 1));
    }
    return m_units[static_cast<size_t>(index)];
}

CUnitXY& CUnitsXY::GetAt(int index) {
    return const_cast<CUnitXY&>(std::as_const(*this).GetAt(index));
}

void CUnitsXY::SetRegionalFormat(const NumberFormat* regional) {
    for (CUnitXY& unit : m_units) unit.SetRegionalFormat(regional);
}

}  // namespace nl
