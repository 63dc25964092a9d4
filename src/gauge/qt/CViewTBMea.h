#pragma once
#include "framework/qt/CViewAppTB.h"

namespace nl {

// The Gauge's toolbar view: the shared controls and the measuring shape buttons.
class CViewTBMea : public CViewAppTB {
public:
    CViewTBMea(AppContext& context, IViewHost& host, QWidget* parent = nullptr);
};

}  // namespace nl
