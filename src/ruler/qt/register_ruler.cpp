#include "ruler/qt/register_ruler.h"

#include "base/command_ids.h"
#include "framework/qt/CToolRegistry.h"
#include "ruler/qt/CRuler.h"

namespace nl {

void RegisterRuler(CToolRegistry& tools) {
    tools.AddWindow({cmd::kRuler, [](AppContext& context, IViewHost& host) {
                         auto* ruler = new CRuler(context, &host);
                         return ToolWindow{ruler, [ruler] { return ruler->OriginOnScreen(); }};
                     }});
}

}  // namespace nl
