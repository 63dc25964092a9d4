#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "base/geometry.h"
#include "platform/IDesktop.h"

namespace nl {

// Draws enlarged screen pixels straight into one of the program's own windows where the
// display server can scale them itself: the program reads no pixel and scales none, and a
// frame costs it a few requests and no round trip.
class IServerZoom {
public:
    virtual ~IServerZoom() = default;

    struct Frame {
        // The program's window drawn into: a native child window of its own, which the drawer
        // may strip of the properties that make a window look like an application's.
        WindowId window = kNoWindow;
        // The screen area shown (virtual-screen device pixels) and where it goes (the window's
        // device pixels); the area is stretched to fill `dest` with nearest-pixel sampling.
        Rect source;
        Rect dest;
        // Parts of the window filled with `fillColor` (0xRRGGBB): past the desktop's edge.
        std::vector<Rect> fill;
        std::uint32_t fillColor = 0;
        // A block whose pixels are inverted after the copy (the centre mark).
        std::optional<Rect> invert;
        // Rectangles filled last, each group in its color (0xRRGGBB): the outline of the
        // square a pick samples.
        struct Paint {
            std::vector<Rect> rects;
            std::uint32_t color = 0;
        };
        std::vector<Paint> over;
    };
    // Sends the frame to the server. False where it cannot be drawn there (the window is not
    // the server's, the server cannot scale): the caller then draws it itself.
    virtual bool Draw(const Frame& frame) = 0;
};

}  // namespace nl
