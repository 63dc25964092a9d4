#include "base/bitmap_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/byte_builders.h"

namespace nl {
namespace {

using test::Bytes;
using test::Concat;
using test::Le16;
using test::Le32;

struct HeaderDesc {
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 54;
    std::uint16_t signature = 0x4D42;
};

Bytes Header(const HeaderDesc& d) {
    return Concat({Le16(d.signature), Le32(0), Le32(0), Le32(d.pixelOffset), Le32(40),
                   Le32(static_cast<std::uint32_t>(d.width)),
                   Le32(static_cast<std::uint32_t>(d.height)), Le16(1), Le16(d.bitsPerPixel),
                   Le32(d.compression), Le32(0), Le32(0), Le32(0), Le32(0), Le32(0)});
}

TEST(BitmapFileTest, DecodesUncompressedFilesAndRefusesOthers) {
    // Three pixels of 24 bits make a 9-byte row, padded to 12; the bottom row comes first.
    const Bytes rows24 = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0,
                          0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0, 0, 0};
    const BitmapImage image24{
        3, 2, {0xFF131211, 0xFF161514, 0xFF191817, 0xFF030201, 0xFF060504, 0xFF090807}};
    // Top-down 32 bits: the first row is the top one; the fourth byte is ignored.
    const Bytes rows32 = Concat({Le32(0x00AABBCC), Le32(0x12345678)});
    const BitmapImage image32{1, 2, {0xFFAABBCC, 0xFF345678}};

    const Bytes header = Header({3, 2});

    struct Case {
        const char* what;
        Bytes file;
        std::optional<BitmapImage> expected;
    };
    const Case cases[] = {
        {"24-bit bottom-up with padded rows", Concat({Header({3, 2}), rows24}), image24},
        {"32-bit top-down", Concat({Header({1, -2, 32}), rows32}), image32},
        {"pixels after a gap", Concat({Header({1, -2, 32, 0, 58}), Le32(0), rows32}), image32},
        {"last row cut short", Concat({Header({3, 2}), Bytes(rows24.begin(), rows24.end() - 1)}),
         std::nullopt},
        {"not a bitmap", Concat({Header({3, 2, 24, 0, 54, 0x5089}), rows24}), std::nullopt},
        {"run-length compressed", Concat({Header({3, 2, 24, 1}), rows24}), std::nullopt},
        {"8 bits a pixel", Concat({Header({3, 2, 8}), rows24}), std::nullopt},
        {"no width", Concat({Header({0, 2}), rows24}), std::nullopt},
        {"no height", Concat({Header({3, 0}), rows24}), std::nullopt},
        {"a huge height over a few bytes", Concat({Header({1, INT_MAX, 32}), rows32}),
         std::nullopt},
        {"the most negative height", Concat({Header({1, INT_MIN, 32}), rows32}), std::nullopt},
        {"a huge width over a few bytes", Concat({Header({INT_MAX, 1, 32}), rows32}), std::nullopt},
        {"pixels past the end", Concat({Header({1, 1, 32, 0, 1000}), rows32}), std::nullopt},
        {"header cut short", Bytes(header.begin(), header.begin() + 30), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodeBitmapFile(c.file), c.expected);
    }
}

TEST(BitmapFileTest, EncodedFilesDecodeToTheSameImage) {
    const BitmapImage image{
        3, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0xFF010203}};
    const Bytes file = EncodeBitmapFile(image);
    ASSERT_EQ(file.size(), kBitmapHeaderSize + 3 * 2 * 4);
    EXPECT_EQ(DecodeBitmapFile(file), image);
    // The pixels must match the size, and an empty image has no file.
    EXPECT_TRUE(EncodeBitmapFile(BitmapImage{2, 2, {1, 2, 3}}).empty());
    EXPECT_TRUE(EncodeBitmapFile(BitmapImage{}).empty());
}

// A grab's rows, wider apart than the image and without alpha, are written as they lie: the
// bottom row first, each pixel little-endian with its top byte set.
TEST(BitmapFileTest, StridedRowsAreWrittenBottomUpAndOpaque) {
    const std::uint32_t grab[] = {0x00102030, 0x00405060, 0x12345678,  // top row, then padding
                                  0x00708090, 0x00A0B0C0, 0x9ABCDEF0};
    const Bytes file = EncodeBitmapFile(grab, 3, 2, 2);
    ASSERT_EQ(file.size(), kBitmapHeaderSize + 16);
    const Bytes pixels(file.begin() + kBitmapHeaderSize, file.end());
    EXPECT_EQ(pixels, (Bytes{0x90, 0x80, 0x70, 0xFF, 0xC0, 0xB0, 0xA0, 0xFF, 0x30, 0x20, 0x10, 0xFF,
                             0x60, 0x50, 0x40, 0xFF}));
    // The same pixels as an image of their own give the same file.
    EXPECT_EQ(file, EncodeBitmapFile(
                        BitmapImage{2, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0}}));
    EXPECT_TRUE(EncodeBitmapFile(grab, 1, 2, 2).empty());  // rows overlapping
    EXPECT_TRUE(EncodeBitmapFile(nullptr, 3, 2, 2).empty());
}

}  // namespace
}  // namespace nl
