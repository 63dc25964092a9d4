#pragma once
#include <xcb/xcb.h>

struct _XDisplay;

namespace nl::x11 {

// The X server connection a desktop works on: the process's own (the command line) or the
// one a toolkit opened (the program). It may change or go away between calls, as a toolkit's
// does when its application object is replaced, so users ask again each time.
class IXConnection {
public:
    virtual ~IXConnection() = default;
    // The connection, or null when there is none.
    virtual xcb_connection_t* Connection() const = 0;
    // The root window of the screen DISPLAY names; it spans the whole virtual screen.
    virtual xcb_window_t Root() const = 0;
    // Xlib's display on the same server, for the extensions only Xlib wraps here (shared
    // memory images, the cursor picture, compound text); opened on first use where it is not
    // the connection's own. Null without a server.
    virtual _XDisplay* Display() const = 0;
};

}  // namespace nl::x11
