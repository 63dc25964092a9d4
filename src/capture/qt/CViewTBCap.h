#pragma once
#include "framework/qt/CViewAppTB.h"

namespace nl {

// The Screen Copier's toolbar view: the shared controls and the capture shape buttons.
class CViewTBCap : public CViewAppTB {
public:
    CViewTBCap(AppContext& context, IViewHost& host, QWidget* parent = nullptr);
};

}  // namespace nl
