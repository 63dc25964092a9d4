#include "contrast/qt/register_contrast.h"

#include "base/command_ids.h"
#include "contrast/qt/CDlgContrast.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/IViewHost.h"

namespace nl {

void RegisterContrast(CToolRegistry& tools) {
    tools.AddWindow({cmd::kContrast, [](AppContext& context, IViewHost& host) {
                         return ToolWindow{new CDlgContrast(context, &host, host.Window()), {}};
                     }});
}

}  // namespace nl
