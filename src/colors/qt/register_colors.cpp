#include "colors/qt/register_colors.h"

#include "base/command_ids.h"
#include "colors/qt/CViewCols.h"
#include "colors/qt/CViewToolBar.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/ToolServices.h"

namespace nl {

void RegisterColorPicker(CToolRegistry& tools) {
    tools.AddTool({AppSettings::kToolColorPicker, cmd::kToolColorPicker, res::kMenuColorPicker,
                   res::kFormColorPicker,
                   [](AppContext& context, IViewHost& host, const ToolServices& services) {
                       auto* toolbar = new CViewToolBar(context, host);
                       return ToolViews{toolbar, MainViewParts::Of(new CViewCols(
                                                     context, host, services.sampler))};
                   }});
}

}  // namespace nl
