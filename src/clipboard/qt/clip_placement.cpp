#include "clipboard/qt/clip_placement.h"

#include <QWidget>

#include "framework/CWinState.h"
#include "framework/window_scale.h"
#include "platform/IDesktop.h"
#include "platform/qt/screen_pixels.h"

namespace nl {

void RestoreClipPlacement(QWidget& window, CPrefs& prefs, const IDesktop& desktop,
                          WinStateIndex record) {
    const Rect& saved = prefs.WinState(record).Placement().normalPosition;
    if (!saved.IsEmpty()) RescaleSavedPlacement(prefs, record, DeviceRatioAt(saved));
    const std::vector<MonitorInfo> monitors = desktop.Monitors();
    const RestoreResult where =
        RestoreRect(prefs.WinState(record), DeviceRect(window.geometry()),
                    RestoreMode::kMoveAndSize, monitors, desktop.VirtualScreen());
    window.setGeometry(LogicalRect(where.rect));
}

void SaveClipPlacement(const QWidget& window, CPrefs& prefs, WinStateIndex record) {
    const WindowPlacement placement = WindowPlacement::Normal(DeviceRect(window.geometry()));
    if (prefs.WinState(record).RecordPlacement(placement)) prefs.SetChanged();
    NotePlacementScale(prefs, record, window.devicePixelRatioF());
}

}  // namespace nl
