#include "capture/qt/CViewTBCap.h"

#include "base/command_ids.h"

namespace nl {

CViewTBCap::CViewTBCap(AppContext& context, CMainFrame& frame, QWidget* parent)
    : CViewAppTB(context, frame, res::kFormScreenCopier, parent) {}

}  // namespace nl
