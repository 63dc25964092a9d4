#pragma once
#include <cstdint>
#include <vector>

#include "cli/png_file.h"

namespace nl::cli {

// The rows as a baseline JPEG file (8-bit RGB, 4:2:0 chroma) at the quality image editors
// save at by default, through libjpeg. Throws std::runtime_error when the encoder fails or
// there are no pixels.
std::vector<std::uint8_t> EncodeJpegFile(const PixelRows& rows);

}  // namespace nl::cli
