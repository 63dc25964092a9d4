#include "options/qt/register_options.h"

#include "base/command_ids.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/IViewHost.h"
#include "options/qt/CPSOptions.h"

namespace nl {

void RegisterOptions(CToolRegistry& tools) {
    tools.AddWindow({cmd::kOptions, [](AppContext& context, IViewHost& host) {
                         return ToolWindow{new CPSOptions(context, host, host.Window()), {}};
                     }});
}

}  // namespace nl
