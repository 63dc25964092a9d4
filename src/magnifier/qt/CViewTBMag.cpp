#include "magnifier/qt/CViewTBMag.h"

#include "res/command_ids.h"

namespace nl {

CViewTBMag::CViewTBMag(AppContext& context, CMainFrame& frame, QWidget* parent)
    : CViewAppTB(context, frame, res::kFormMagnifier, parent) {}

}  // namespace nl
