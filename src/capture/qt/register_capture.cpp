#include "capture/qt/register_capture.h"

#include "base/command_ids.h"
#include "capture/qt/CViewCap.h"
#include "capture/qt/CViewTBCap.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/ToolServices.h"

namespace nl {

void RegisterScreenCopier(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolScreenCopier, cmd::kToolScreenCopier, res::kMenuScreenCopier,
                   res::kFormScreenCopier,
                   [](AppContext& context, IViewHost& host, const ToolServices& services) {
                       auto* toolbar =
                           new CViewTBCap(context, host, services.countdown, services.hiding);
                       auto* view = new CViewCap(context, host);
                       view->SetToolbar(toolbar);
                       return ToolViews{toolbar, MainViewParts::Of(view)};
                   }});
}

}  // namespace nl
