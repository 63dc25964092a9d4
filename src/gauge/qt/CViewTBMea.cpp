#include "gauge/qt/CViewTBMea.h"

#include "res/command_ids.h"

namespace nl {

CViewTBMea::CViewTBMea(AppContext& context, CMainFrame& frame, QWidget* parent)
    : CViewAppTB(context, frame, res::kFormGauge, parent) {}

}  // namespace nl
