#include "capture/qt/CViewTBCap.h"

#include "base/command_ids.h"

namespace nl {

CViewTBCap::CViewTBCap(AppContext& context, IViewHost& host, QWidget* parent)
    : CViewAppTB(context, host, res::kFormScreenCopier, parent) {}

}  // namespace nl
