#pragma once
#include <cstdint>

#include "base/bitmap_file.h"
#include "base/geometry.h"

namespace nl {

class IDesktop;

// The colour a zoom control shows where its area reaches past the desktop (0xFFRRGGBB).
inline constexpr std::uint32_t kZoomDesktopColor = 0xFF3A6EA5;

// Whether a zoom image marks its centre pixel.
enum class ZoomMark { kHidden, kShown };

// What a zoom control of `size` device pixels shows around `centre` at `zoom` percent: the
// desktop's pixels enlarged without smoothing, the desktop colour past its edges and, when
// `mark` is kShown, the centre block with its pixels inverted. Empty when the screen cannot
// be read or nothing of the area lies on it.
BitmapImage RenderZoomImage(const IDesktop& desktop, Size size, Point centre, int zoom,
                            ZoomMark mark);

}  // namespace nl
