#include "options/qt/CListCtrlExSounds.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "options/notification_settings.h"

namespace nl {

CListCtrlExSounds::CListCtrlExSounds(AppContext& context, QWidget* parent)
    : CListCtrlEx(context, SplitLines(LoadString(kIdsSoundColumns)), parent) {
    SetButtonColumn(kEditColumn, res::kIconEdit);
    SetButtonColumn(kTestColumn, res::kIconTest);
    SetRows(SplitLines(LoadString(kIdsSoundEvents)));
}

void CListCtrlExSounds::SetSounds(std::span<const std::uint32_t> sounds) {
    for (std::size_t row = 0; row < sounds.size(); ++row)
        SetSound(static_cast<int>(row), sounds[row]);
}

void CListCtrlExSounds::SetSound(int row, std::uint32_t sound) {
    SetCellText(row, kSoundColumn, SoundName(sound));
}

}  // namespace nl
