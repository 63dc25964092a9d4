#pragma once
#include <cstdint>
#include <span>

#include "options/qt/CListCtrlEx.h"

namespace nl {

// The sound list of the Notification page: one row per sound event ("Pick color", "Move
// cursor", "Copy cursor"), the name of its sound, and Edit and Test buttons.
class CListCtrlExSounds : public CListCtrlEx {
public:
    enum Column : int { kEventColumn = 0, kSoundColumn = 1, kEditColumn = 2, kTestColumn = 3 };

    CListCtrlExSounds(AppContext& context, QWidget* parent);

    // Shows the sound number of each event (one per row).
    void SetSounds(std::span<const std::uint32_t> sounds);
    void SetSound(int row, std::uint32_t sound);
};

}  // namespace nl
