#include "magnifier/qt/register_magnifier.h"

#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "magnifier/qt/CViewMag.h"
#include "magnifier/qt/CViewTBMag.h"

namespace nl {

void RegisterMagnifier(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolMagnifier, cmd::kToolMagnifier, res::kMenuMagnifier,
                   res::kFormMagnifier, [](AppContext& context, IViewHost& host) {
                       auto* toolbar = new CViewTBMag(context, host);
                       auto* view = new CViewMag(context, host);
                       toolbar->SetMagnifierView(view);
                       return ToolViews{toolbar, MainViewParts::Of(view)};
                   }});
}

}  // namespace nl
