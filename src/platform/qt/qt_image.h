#pragma once
#include <QImage>

#include "base/bitmap_file.h"

namespace nl {

// The pixels of `image` (converted to opaque 32-bit RGB first); an empty image for a null one.
BitmapImage ToBitmapImage(const QImage& image);
// A 32-bit RGB image of `image`'s pixels; a null image for an empty one.
QImage ToQImage(const BitmapImage& image);

}  // namespace nl
