#pragma once
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace nl {

// The mouse cursor's picture: 0xAARRGGBB pixels (straight alpha), row by row, and where on
// the screen its hot spot is.
struct CursorImage {
    int width = 0;
    int height = 0;
    Point hotSpot;   // in the picture
    Point position;  // of the hot spot, in screen coordinates
    std::vector<std::uint32_t> pixels;
};

}  // namespace nl
