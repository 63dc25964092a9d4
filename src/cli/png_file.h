#pragma once
#include <cstdint>
#include <vector>

#include "base/bitmap_file.h"

namespace nl::cli {

// `image` (0xFFRRGGBB pixels) as an 8-bit RGB PNG file. The filter and compression level are
// chosen for screen captures: quick to write at a size close to the usual tools' files.
// Throws std::runtime_error when the encoder fails.
std::vector<std::uint8_t> EncodePngFile(const BitmapImage& image);

}  // namespace nl::cli
