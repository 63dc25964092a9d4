#include "gauge/qt/register_gauge.h"

#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/ToolServices.h"
#include "gauge/qt/CViewMea.h"
#include "gauge/qt/CViewTBMea.h"

namespace nl {

void RegisterGauge(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolGauge, cmd::kToolGauge, res::kMenuGauge, res::kFormGauge,
                   [](AppContext& context, IViewHost& host, const ToolServices& services) {
                       auto* toolbar = new CViewTBMea(context, host, services.hiding);
                       auto* view = new CViewMea(context, host);
                       view->SetToolbar(toolbar);
                       return ToolViews{toolbar, MainViewParts::Of(view)};
                   }});
}

}  // namespace nl
