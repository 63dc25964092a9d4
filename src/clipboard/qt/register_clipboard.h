#pragma once

namespace nl {

class CToolRegistry;

// Adds the clipboard viewer, a window of its own opened by its command, hot key and the tray.
void RegisterClipboardViewer(CToolRegistry& tools);

}  // namespace nl
