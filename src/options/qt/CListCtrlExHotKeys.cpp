#include "options/qt/CListCtrlExHotKeys.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "framework/hot_keys.h"

namespace nl {

CListCtrlExHotKeys::CListCtrlExHotKeys(AppContext& context, QWidget* parent)
    : CListCtrlEx(context, SplitLines(LoadString(kIdsHotKeyColumns)), parent) {
    SetButtonColumn(kEditColumn, res::kIconEdit);
    std::vector<std::string> names;
    for (const int id : kHotKeyOrder) names.push_back(HotKeyCommandName(id));
    SetRows(names);
}

int CListCtrlExHotKeys::HotKeyIdOfRow(int row) {
    return row >= 0 && row < kHotKeyCount ? kHotKeyOrder[static_cast<std::size_t>(row)] : -1;
}

void CListCtrlExHotKeys::SetKeys(std::span<const std::uint32_t> table) {
    for (int row = 0; row < kHotKeyCount; ++row) {
        const auto id = static_cast<std::size_t>(HotKeyIdOfRow(row));
        SetCellText(row, kKeyColumn, HotKeyText(id < table.size() ? table[id] : 0));
    }
}

}  // namespace nl
