#pragma once
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/COleDateTime.h"
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

    // How long a compositor is given to take a window that just closed off the screen (two
    // frames at 60 Hz): Start picking chosen from a menu would show that menu in the picture
    // otherwise.
    static constexpr int kMenuGoneMs = 40;

    // `clock` stamps the program's windows leaving the screen.
    CFrozenScreen(IDesktop& desktop, const IClock& clock, Callbacks callbacks);
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
    // How long Open would now wait before copying the screen: the rest of kMenuGoneMs after a
    // window of the program (a menu, a tool tip, a dialog, any top-level window) left the
    // screen, none when none did lately.
    int SettleMs() const;

private:
    class HideWatch;

    IDesktop& m_desktop;
    const IClock& m_clock;
    Callbacks m_callbacks;
    std::vector<QPointer<QWidget>> m_windows;
    Point m_drawnCursor;
    std::unique_ptr<HideWatch> m_hides;
};

}  // namespace nl
