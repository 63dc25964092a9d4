#pragma once
#include <xcb/xcb.h>

#include "platform/xcb/IXConnection.h"
#include "platform/xcb/xcb_support.h"

struct _XDisplay;

namespace nl::x11 {

// The X connection Qt draws on and its root window. A program without a Qt application that
// called OpenOwnConnection gets its own connection instead; null (0) otherwise, or when Qt
// does not run on X11.
xcb_connection_t* QtConnection();
xcb_window_t QtRootWindow();
// The Xlib display over that connection, for the extensions only Xlib wraps here (shared
// memory images, the cursor picture); null when Qt does not run on X11.
_XDisplay* QtDisplay();

// The three above as the connection a desktop works on, asked again at every use: a new Qt
// application brings a new connection.
const IXConnection& QtXConnection();

}  // namespace nl::x11
