#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bitmap_file.h"

namespace nl::cli {

// Rows of 0x??RRGGBB pixels where they lie, `stride` pixels apart (the top byte is not read),
// and the image they belong to when they are one's.
struct PixelRows {
    const std::uint32_t* first = nullptr;
    std::size_t stride = 0;
    int width = 0;
    int height = 0;
    const BitmapImage* image = nullptr;
};

PixelRows RowsOf(const BitmapImage& image);

// The rows as an 8-bit RGB PNG file. The filter and compression level are chosen for screen
// captures: quick to write at a size close to the usual tools' files. Throws
// std::runtime_error when the encoder fails or there are no pixels.
std::vector<std::uint8_t> EncodePngFile(const PixelRows& rows);
inline std::vector<std::uint8_t> EncodePngFile(const BitmapImage& image) {
    return EncodePngFile(RowsOf(image));
}

}  // namespace nl::cli
