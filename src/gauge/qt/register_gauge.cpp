#include "gauge/qt/register_gauge.h"

#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "gauge/qt/CViewMea.h"
#include "gauge/qt/CViewTBMea.h"

namespace nl {

void RegisterGauge(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolGauge, cmd::kToolGauge, res::kMenuGauge, res::kFormGauge,
                   [](AppContext& context, IViewHost& host) {
                       auto* toolbar = new CViewTBMea(context, host);
                       auto* view = new CViewMea(context, host);
                       view->SetToolbar(toolbar);
                       return ToolViews{toolbar, MainViewParts::Of(view)};
                   }});
}

}  // namespace nl
