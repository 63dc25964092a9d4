// The mouse cursor's picture as the X server shows it.
#pragma once
#include <cstdint>
#include <optional>

#include "base/cursor_image.h"

struct _XDisplay;

namespace nl::x11 {

// One pixel of the server's cursor picture (0xAARRGGBB with the colour multiplied by alpha)
// with straight alpha, as CursorImage holds it.
std::uint32_t StraightAlpha(std::uint32_t premultiplied);

// The cursor's current picture, hot spot and position; nothing without the XFixes extension
// or while no cursor shows.
std::optional<CursorImage> ReadCursorImage(_XDisplay* display);

}  // namespace nl::x11
