#pragma once
#include <cstdint>
#include <span>

#include "options/qt/CListCtrlEx.h"

namespace nl {

// The hot key list of the Hot Keys page: one row per hot-key command in the listing order
// (Show/Hide, Pick Color, Ruler, Clipboard Viewer), the key's text and an Edit button.
class CListCtrlExHotKeys : public CListCtrlEx {
public:
    enum Column : int { kCommandColumn = 0, kKeyColumn = 1, kEditColumn = 2 };

    CListCtrlExHotKeys(AppContext& context, QWidget* parent);

    // The hot key id shown in `row`; -1 for no row.
    static int HotKeyIdOfRow(int row);
    // Shows the keys of the hot key table (indexed by hot key id).
    void SetKeys(std::span<const std::uint32_t> table);
};

}  // namespace nl
