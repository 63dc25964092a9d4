#pragma once
#include "app/qt/CViewAppTB.h"

namespace nl {

// The Color Picker's toolbar view: the shared controls, the color format box and the
// picked color.
class CViewToolBar : public CViewAppTB {
public:
    CViewToolBar(AppContext& context, CMainFrame& frame, QWidget* parent = nullptr);
};

}  // namespace nl
