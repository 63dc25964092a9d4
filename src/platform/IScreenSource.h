#pragma once
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

// Takes pictures of the screen where the desktop cannot read its pixels itself.
class IScreenSource {
public:
    virtual ~IScreenSource() = default;
    // Fills `frame` with the screen as it is now. False, with a message for the user in
    // `error`, when the picture cannot be taken or the user or the desktop refused it.
    virtual bool Capture(ScreenFrame& frame, std::string* error) = 0;
};

}  // namespace nl
