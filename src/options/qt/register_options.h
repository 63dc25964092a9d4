#pragma once

namespace nl {

class CToolRegistry;

// Adds the Options sheet, the window the Options command opens and closes.
void RegisterOptions(CToolRegistry& tools);

}  // namespace nl
