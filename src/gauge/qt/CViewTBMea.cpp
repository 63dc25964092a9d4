#include "gauge/qt/CViewTBMea.h"

#include "base/command_ids.h"

namespace nl {

CViewTBMea::CViewTBMea(AppContext& context, CMainFrame& frame, QWidget* parent)
    : CViewAppTB(context, frame, res::kFormGauge, parent) {}

}  // namespace nl
