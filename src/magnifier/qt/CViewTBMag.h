#pragma once
#include "app/qt/CViewAppTB.h"

namespace nl {

// The Magnifier's toolbar view: the zoom slider and text, the cursor texts, the unit box,
// the magnifier's option buttons and the keyboard indicator.
class CViewTBMag : public CViewAppTB {
public:
    CViewTBMag(AppContext& context, CMainFrame& frame, QWidget* parent = nullptr);
};

}  // namespace nl
