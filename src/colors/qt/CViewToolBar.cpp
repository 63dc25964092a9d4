#include "colors/qt/CViewToolBar.h"

#include "res/command_ids.h"

namespace nl {

CViewToolBar::CViewToolBar(AppContext& context, CMainFrame& frame, QWidget* parent)
    : CViewAppTB(context, frame, res::kFormColorPicker, parent) {}

}  // namespace nl
