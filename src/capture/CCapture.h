#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/bitmap_file.h"
#include "capture/CWndCapSnip.h"

namespace nl {

class CAppPrefs;
class IClipboard;
class IPickCountdown;
class ISound;

// A capture started from the Screen Copier's toolbar: the overlay of its shape, and on
// finishing the copy of the selected pixels into the captured image.
class CCapture final : public CWndCapSnip {
public:
    // How long a desktop capture waits for the hidden windows to leave the screen.
    static constexpr int kDesktopSettleMs = 250;

    struct Services {
        const IDesktop& desktop;
        const CAppPrefs& prefs;
        IClipboard& clipboard;
        ISound& sound;
        // Shows the countdown and waits.
        IPickCountdown& countdown;
        // The cursor's picture and position now; nothing when it is hidden.
        std::function<std::optional<CursorImage>()> cursor;
        // Takes a new captured image: replaces the stored one and tells the views.
        std::function<void(const BitmapImage&)> captured;
    };

    CCapture(IOverlayWindow& window, const Services& services, CapShape shape);

    // Whether the main window leaves the screen while a capture of these settings is open.
    static MainWindowAfter MainWindowRule(const CAppPrefs& prefs);

protected:
    // Copies the selection (state 2 only; a selection of at most one pixel copies nothing):
    // the countdown and cursor when the cursor is included, the overlay hidden, the pixels
    // with the fill color outside the shape, then the image handed on and auto-copied.
    void Finish() override;

private:
    // The selection in screen coordinates, as a region of the shape.
    CRegion ScreenRegion(const Rect& selection) const;

    Services m_s;
};

// The window pane's text while a monitor capture is open: the monitor that would be picked
// at `cursor` (the nearest one), numbered from 1 with the primary monitor first, and its size
// in pixels, as "Monitor 2: 1280 x 1024". Empty without monitors.
std::string MonitorPaneText(const IDesktop& desktop, Point cursor);

// The string id of the Screen Copier's prompt: picking stopped, no capture open, or the open
// capture's state; 0 for the states that leave the prompt to others.
std::uint32_t CapturePromptId(bool pickingStarted, const CWndCap* open);

}  // namespace nl
