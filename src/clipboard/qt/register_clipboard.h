#pragma once

namespace nl {

class CToolRegistry;
class IDialogs;
class IFileSystem;
struct BitmapImage;

// Asks for a file and saves a picture there (cancel ends it silently, a failure is raised).
using ClipboardImageExport = void (*)(const BitmapImage& image, IDialogs& dialogs,
                                      IFileSystem& files);

// Adds the clipboard viewer, a window of its own opened by its command, hot key and the tray.
// A picture without text is saved through `exportImageAs`, the way the Screen Copier exports
// its captures.
void RegisterClipboardViewer(CToolRegistry& tools, ClipboardImageExport exportImageAs);

}  // namespace nl
