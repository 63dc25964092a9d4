#pragma once
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/IDesktop.h"

namespace nl {

// The frozen screen of a desktop that does not follow the pointer: the desktop is frozen and
// its still picture shown full screen, one frameless window per monitor, 1:1 with the device
// pixels. The pointer over it is the cursor: every move goes to the desktop's SetCursorPos, so
// that everything that follows the cursor (the live sample, the Magnifier, the position panes,
// the Ruler's projection) follows the pointer over the picture. A cross-hair marks the cursor's
// pixel, which the keyboard helpers may also move. A left click picks there; Esc asks to leave.
class CFrozenScreen {
public:
    struct Callbacks {
        std::function<void()> pick;   // a left click: pick at the cursor
        std::function<void()> leave;  // Esc: stop picking
    };

    CFrozenScreen(IDesktop& desktop, Callbacks callbacks);
    ~CFrozenScreen();
    CFrozenScreen(const CFrozenScreen&) = delete;
    CFrozenScreen& operator=(const CFrozenScreen&) = delete;

    // Freezes the desktop and shows its picture, the keyboard on the window of the monitor
    // that holds the cursor. False, with the desktop's reason in `error`, where the screen
    // cannot be frozen; nothing is shown then.
    bool Open(std::string* error);
    // Takes the picture off the screen and thaws the desktop.
    void Close();
    bool IsOpen() const { return !m_windows.empty(); }
    // Whether `window` is one of the picture's windows.
    bool Holds(const QWidget* window) const;
    // Draws the cross-hair again where the cursor went since (a keyboard helper moved it).
    void FollowCursor();
    // The windows showing the picture, one per monitor.
    std::vector<QWidget*> Windows() const;

private:
    IDesktop& m_desktop;
    Callbacks m_callbacks;
    std::vector<QPointer<QWidget>> m_windows;
    Point m_drawnCursor;
};

}  // namespace nl
