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
// The same file of `height` rows of `width` pixels from `first` on, `stride` pixels from one
// row's start to the next (the top byte of each pixel is written as 0xFF whatever it holds):
// a grab's rows are written without a copy of the image first.
std::vector<std::uint8_t> EncodeBitmapFile(const std::uint32_t* first, std::size_t stride,
                                           int width, int height);

// Reads an uncompressed ".bmp" file of 24 or 32 bits a pixel, bottom-up or top-down.
// Nothing when the bytes are not such a file or its rows run past the end of the bytes.
std::optional<BitmapImage> DecodeBitmapFile(std::span<const std::uint8_t> bytes);

}  // namespace nl
