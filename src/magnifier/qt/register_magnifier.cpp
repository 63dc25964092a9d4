#include "magnifier/qt/register_magnifier.h"

#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/ToolServices.h"
#include "magnifier/qt/CViewMag.h"
#include "magnifier/qt/CViewTBMag.h"

namespace nl {

void RegisterMagnifier(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolMagnifier, cmd::kToolMagnifier, res::kMenuMagnifier,
                   res::kFormMagnifier,
                   [](AppContext& context, IViewHost& host, const ToolServices& services) {
                       auto* toolbar = new CViewTBMag(context, host);
                       auto* view = new CViewMag(context, host, services.ruler);
                       toolbar->SetMagnifierView(view);
                       return ToolViews{toolbar, MainViewParts::Of(view)};
                   }});
}

}  // namespace nl
