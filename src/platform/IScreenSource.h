#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/IDesktop.h"

namespace nl {

// A still picture of the whole virtual screen, as a desktop service that is not the
// desktop's own (a screenshot service of the session) delivers it.
struct ScreenFrame {
    Rect area;                      // in virtual-screen device pixels
    std::vector<GrabPixel> pixels;  // rows area.Width() pixels apart, 0xFFRRGGBB
};

// What a screen source that asks a service of the desktop for each picture tells while it
// does, so that the program can say what it waits for.
enum class ScreenRequestEvent {
    kAsking,   // a picture is about to be asked for (the desktop may ask the user first)
    kWaiting,  // the service took the request but has not answered for a few seconds
    kEnded,    // the request ended, with a picture or without
};
using ScreenRequestListener = std::function<void(ScreenRequestEvent)>;

// Takes pictures of the screen where the desktop cannot read its pixels itself.
class IScreenSource {
public:
    virtual ~IScreenSource() = default;
    // Sets who hears of the requests Capture makes (empty: nobody); a source that asks no
    // service tells nothing.
    virtual void SetListener(ScreenRequestListener /*listener*/) {}
    // Fills `frame` with the screen as it is now. False, with a message for the user in
    // `error`, when the picture cannot be taken or the user or the desktop refused it.
    virtual bool Capture(ScreenFrame& frame, std::string* error) = 0;
};

}  // namespace nl
