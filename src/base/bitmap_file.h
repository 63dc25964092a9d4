#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/shared_pixels.h"

namespace nl {

// An image of 0xFFRRGGBB pixels (blue in the low byte, the top byte always 0xFF), row by
// row from the top, `width` pixels to a row.
struct BitmapImage {
    int width = 0;
    int height = 0;
    PixelVector pixels;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const BitmapImage&, const BitmapImage&) = default;
};

// The size of the file and information headers EncodeBitmapFile writes.
inline constexpr std::size_t kBitmapHeaderSize = 54;

// A complete ".bmp" file of `image`: the 14-byte file header, a 40-byte information header
// and the rows bottom-up at 32 bits a pixel, uncompressed. Empty for an empty image or one
// whose pixel count does not match its size.
std::vector<std::uint8_t> EncodeBitmapFile(const BitmapImage& image);

// Reads an uncompressed ".bmp" file of 24 or 32 bits a pixel, bottom-up or top-down.
// Nothing when the bytes are not such a file or its rows run past the end of the bytes.
std::optional<BitmapImage> DecodeBitmapFile(std::span<const std::uint8_t> bytes);

}  // namespace nl
