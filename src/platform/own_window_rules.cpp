#include "platform/own_window_rules.h"

namespace nl {

OwnWindowRules OwnWindowRulesOf(std::string_view plugin) {
    OwnWindowRules rules = plugin == "wayland" ? kCompositorPlacedWindows : kProgramPlacedWindows;
    rules.activatesByToken = plugin.starts_with("wayland");
    return rules;
}

}  // namespace nl
