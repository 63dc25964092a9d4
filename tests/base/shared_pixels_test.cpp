#include "base/shared_pixels.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

namespace nl {
namespace {

constexpr std::size_t kLargeCount = kSharedPixelsMinBytes / sizeof(std::uint32_t);

// Large pixel vectors live in a memory file that another process could map: what is written
// into the vector is what the file holds, at the offset the lookup names.
TEST(SharedPixelsTest, LargeVectorsLiveInAMemoryFile) {
    PixelVector pixels(kLargeCount + 10, 0);
    pixels[kLargeCount + 3] = 0xFF123456u;
    const std::size_t bytes = pixels.size() * sizeof(std::uint32_t);
    const struct {
        std::size_t first;  // pixel index the range starts at
        std::size_t bytes;
        bool found;
    } cases[] = {
        {0, bytes, true},
        {kLargeCount + 3, 4, true},
        {kLargeCount + 3, 7 * 4, true},  // up to the last pixel
        {kLargeCount + 3, 8 * 4, false},  // one pixel past it
        {0, bytes + 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " +" << c.bytes);
        const auto block = FindSharedPixelBlock(pixels.data() + c.first, c.bytes);
        ASSERT_EQ(block.has_value(), c.found);
        if (!block) continue;
        EXPECT_EQ(block->offset, c.first * sizeof(std::uint32_t));
        std::uint32_t fromFile = 0;
        ASSERT_EQ(pread(block->fd, &fromFile, sizeof fromFile,
                        static_cast<off_t>((kLargeCount + 3) * sizeof(std::uint32_t))),
                  static_cast<ssize_t>(sizeof fromFile));
        EXPECT_EQ(fromFile, 0xFF123456u);
    }
    // A copy is a buffer of its own; freeing the original ends its block.
    const std::uint64_t id = FindSharedPixelBlock(pixels.data(), 4)->id;
    PixelVector copy = pixels;
    EXPECT_NE(FindSharedPixelBlock(copy.data(), 4)->id, id);
    EXPECT_TRUE(SharedPixelBlockLives(id));
    pixels = PixelVector();
    EXPECT_FALSE(SharedPixelBlockLives(id));
    EXPECT_EQ(copy[kLargeCount + 3], 0xFF123456u);
}

TEST(SharedPixelsTest, SmallVectorsAndOtherMemoryAreOrdinary) {
    const PixelVector small(16, 1);
    EXPECT_FALSE(FindSharedPixelBlock(small.data(), 4));
    const std::uint32_t onStack[4] = {};
    EXPECT_FALSE(FindSharedPixelBlock(onStack, sizeof onStack));
}

}  // namespace
}  // namespace nl
