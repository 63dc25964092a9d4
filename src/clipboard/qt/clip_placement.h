#pragma once
#include "framework/CPrefs.h"

class QWidget;

namespace nl {

class IDesktop;

// Places `window` where window-state record `record` of `prefs` says (centered on its
// monitor when the record was never placed), kept on the screen.
void RestoreClipPlacement(QWidget& window, CPrefs& prefs, const IDesktop& desktop,
                          WinStateIndex record);
// Records the window's normal placement in the record, marking the settings changed when it
// moved.
void SaveClipPlacement(const QWidget& window, CPrefs& prefs, WinStateIndex record);

}  // namespace nl
