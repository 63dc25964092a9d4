#include "gauge/qt/register_gauge.h"

#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "gauge/qt/CViewTBMea.h"

namespace nl {

void RegisterGauge(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolGauge, cmd::kToolGauge, res::kMenuGauge, res::kFormGauge,
                   [](AppContext& context, IViewHost& host) {
                       return ToolViews{new CViewTBMea(context, host), {}};
                   }});
}

}  // namespace nl
