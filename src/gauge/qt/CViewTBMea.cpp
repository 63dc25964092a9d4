#include "gauge/qt/CViewTBMea.h"

#include "base/command_ids.h"

namespace nl {

CViewTBMea::CViewTBMea(AppContext& context, IViewHost& host, QWidget* parent)
    : CViewAppTB(context, host, res::kFormGauge, parent) {}

}  // namespace nl
