#pragma once
#include "framework/qt/CViewAppTB.h"

namespace nl {

// The Magnifier's toolbar view: the zoom slider and text, the cursor texts, the unit box,
// the magnifier's option buttons and the keyboard indicator. It shows the magnified area of
// the magnifier view below it and the title of the window under the cursor, toggles "Stretch
// copies" and "Follow ruler" and explains how to copy.
class CViewTBMag : public CViewAppTB {
public:
    CViewTBMag(AppContext& context, CMainFrame& frame, QWidget* parent = nullptr);

private:
    bool Started();
    void ToggleMagnifierOption(std::uint32_t bit);
};

}  // namespace nl
