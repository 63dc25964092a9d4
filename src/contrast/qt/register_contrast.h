#pragma once

namespace nl {

class CToolRegistry;

// Adds the Contrast window, opened by its command, hot key and the tray.
void RegisterContrast(CToolRegistry& tools);

}  // namespace nl
