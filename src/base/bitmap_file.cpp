#include "base/bitmap_file.h"

#include <cstdlib>
#include <limits>

#include "base/CArchive.h"

namespace nl {

namespace {

constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint16_t kEncodedBitsPerPixel = 32;
constexpr std::uint32_t kOpaque = 0xFF000000;
// 96 dots per inch in pixels per metre, as the system writes for screen images.
constexpr std::int32_t kPixelsPerMetre = 3780;

// The bytes from one row's start to the next: rows are padded to whole 32-bit words.
std::uint64_t RowStride(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmapFile(const BitmapImage& image) {
    if (image.IsEmpty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        return {};
    return EncodeBitmapFile(image.pixels.data(), static_cast<std::size_t>(image.width), image.width,
                            image.height);
}

std::vector<std::uint8_t> EncodeBitmapFile(const std::uint32_t* first, std::size_t stride,
                                           int width, int height) {
    if (first == nullptr || width <= 0 || height <= 0 || stride < static_cast<std::size_t>(width))
        return {};
    const std::uint64_t imageBytes = RowStride(width, kEncodedBitsPerPixel) * height;
    if (imageBytes > std::numeric_limits<std::uint32_t>::max() - kBitmapHeaderSize) return {};

    CArchive out;
    out.WriteU16(kBitmapSignature);
    out.WriteU32(static_cast<std::uint32_t>(kBitmapHeaderSize + imageBytes));
    out.WriteU32(0);  // reserved
    out.WriteU32(static_cast<std::uint32_t>(kBitmapHeaderSize));
    out.WriteU32(kInfoHeaderSize);
    out.WriteI32(width);
    out.WriteI32(height);  // positive: the bottom row comes first
    out.WriteU16(1);       // planes
    out.WriteU16(kEncodedBitsPerPixel);
    out.WriteU32(kCompressionNone);
    out.WriteU32(static_cast<std::uint32_t>(imageBytes));
    out.WriteI32(kPixelsPerMetre);
    out.WriteI32(kPixelsPerMetre);
    out.WriteU32(0);  // colors used
    out.WriteU32(0);  // important colors
    std::vector<std::uint8_t> bytes = out.TakeBytes();
    // The rows go straight into the file's bytes, little-endian, bottom row first.
    bytes.resize(kBitmapHeaderSize + static_cast<std::size_t>(imageBytes));
    std::uint8_t* at = bytes.data() + kBitmapHeaderSize;
    for (int y = height - 1; y >= 0; --y) {
        const std::uint32_t* row = first + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, at += 4) {
            const std::uint32_t v = row[x] | kOpaque;
            at[0] = static_cast<std::uint8_t>(v);
            at[1] = static_cast<std::uint8_t>(v >> 8);
            at[2] = static_cast<std::uint8_t>(v >> 16);
            at[3] = static_cast<std::uint8_t>(v >> 24);
        }
    }
    return bytes;
}

std::optional<BitmapImage> DecodeBitmapFile(std::span<const std::uint8_t> bytes) {
    std::uint32_t pixelOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    try {
        CArchive in(bytes);
        if (in.ReadU16() != kBitmapSignature) return std::nullopt;
        in.SkipBytes(8);  // file size and reserved
        pixelOffset = in.ReadU32();
        if (in.ReadU32() < kInfoHeaderSize) return std::nullopt;
        width = in.ReadI32();
        height = in.ReadI32();
        if (in.ReadU16() != 1) return std::nullopt;
        bitsPerPixel = in.ReadU16();
        if (in.ReadU32() != kCompressionNone) return std::nullopt;
    } catch (const CArchiveException&) {
        return std::nullopt;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return std::nullopt;
    if (width <= 0 || height == 0 || pixelOffset > bytes.size()) return std::nullopt;

    // Checked before any multiplication that could overflow or allocate past the input.
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(std::int64_t{height}));
    const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(width), bitsPerPixel);
    const std::uint64_t available = bytes.size() - pixelOffset;
    if (stride > available || rows > available / stride) return std::nullopt;

    BitmapImage image;
    image.width = width;
    image.height = static_cast<int>(rows);
    image.pixels.resize(static_cast<std::size_t>(width) * rows);
    const std::size_t bytesPerPixel = bitsPerPixel / 8;
    const bool bottomUp = height > 0;
    for (std::uint64_t r = 0; r < rows; ++r) {
        const std::uint8_t* source = bytes.data() + pixelOffset + r * stride;
        const std::uint64_t y = bottomUp ? rows - 1 - r : r;
        std::uint32_t* target = image.pixels.data() + y * static_cast<std::uint64_t>(width);
        for (std::int32_t x = 0; x < width; ++x, source += bytesPerPixel)
            target[x] = kOpaque | (std::uint32_t{source[2]} << 16) |
                        (std::uint32_t{source[1]} << 8) | source[0];
    }
    return image;
}

}  // namespace nl
