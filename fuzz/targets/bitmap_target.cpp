// Feeds arbitrary bytes to the ".bmp" reader. An image it reads must have as many pixels as
// its size says, all opaque, and must write and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/bitmap_file.h"
#include "fuzz/targets/fuzz_targets.h"

int nl::fuzz::Bitmap(const std::uint8_t* data, std::size_t size) {
    const auto image = nl::DecodeBitmapFile(std::span<const std::uint8_t>(data, size));
    if (!image) return 0;
    if (image->IsEmpty() ||
        image->pixels.size() != static_cast<std::size_t>(image->width) * image->height)
        std::abort();
    for (const std::uint32_t pixel : image->pixels)
        if ((pixel >> 24) != 0xFF) std::abort();
    if (nl::DecodeBitmapFile(nl::EncodeBitmapFile(*image)) != image) std::abort();
    return 0;
}
