#include "capture/qt/register_capture.h"

#include "base/command_ids.h"
#include "capture/qt/CViewTBCap.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"

namespace nl {

void RegisterScreenCopier(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolScreenCopier, cmd::kToolScreenCopier, res::kMenuScreenCopier,
                   res::kFormScreenCopier, [](AppContext& context, IViewHost& host) {
                       return ToolViews{new CViewTBCap(context, host), {}};
                   }});
}

}  // namespace nl
