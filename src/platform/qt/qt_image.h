#pragma once
#include <QImage>

#include "base/bitmap_file.h"

namespace nl {

// The pixels of `image` (converted to opaque 32-bit RGB first); an empty image for a null one.
BitmapImage ToBitmapImage(const QImage& image);
// A 32-bit RGB image of `image`'s pixels; a null image for an empty one.
QImage ToQImage(const BitmapImage& image);
// A 32-bit RGB image of `width` x `height` whose pixels (not yet set) are a PixelVector's:
// large enough, they lie in memory the X server writes a grab into itself. A null image for
// an empty size or where the memory cannot be had.
QImage SharedPixelsImage(int width, int height);

}  // namespace nl
