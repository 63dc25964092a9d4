#include "base/shared_pixels.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>

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
        {kLargeCount + 3, 7 * 4, true},   // up to the last pixel
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
    // A copy is a buffer of its own.
    const std::uint64_t id = FindSharedPixelBlock(pixels.data(), 4)->id;
    PixelVector copy = pixels;
    EXPECT_NE(FindSharedPixelBlock(copy.data(), 4)->id, id);
    EXPECT_EQ(copy[kLargeCount + 3], 0xFF123456u);
}

// Freed blocks are kept for the next buffers of about their size (two at most): the same
// memory file comes back; a buffer more than twice smaller, or larger, gets a new one; a third
// freed block gives the oldest back.
TEST(SharedPixelsTest, FreedBlocksAreReusedAndTheOldestGivenBack) {
    const auto idOf = [](const PixelVector& v) { return FindSharedPixelBlock(v.data(), 4)->id; };
    auto first = std::make_unique<PixelVector>(kLargeCount * 4);
    const std::uint64_t firstId = idOf(*first);
    first.reset();
    EXPECT_TRUE(SharedPixelBlockKept(firstId));
    const PixelVector larger(kLargeCount * 5);
    EXPECT_NE(idOf(larger), firstId);
    const PixelVector muchSmaller(kLargeCount);
    EXPECT_NE(idOf(muchSmaller), firstId);
    auto again = std::make_unique<PixelVector>(kLargeCount * 3);
    EXPECT_EQ(idOf(*again), firstId);
    again.reset();

    auto second = std::make_unique<PixelVector>(kLargeCount * 8);
    auto third = std::make_unique<PixelVector>(kLargeCount * 16);
    const std::uint64_t secondId = idOf(*second);
    const std::uint64_t thirdId = idOf(*third);
    second.reset();
    third.reset();
    EXPECT_FALSE(SharedPixelBlockKept(firstId));
    EXPECT_TRUE(SharedPixelBlockKept(secondId));
    EXPECT_TRUE(SharedPixelBlockKept(thirdId));
}

TEST(SharedPixelsTest, SmallVectorsAndOtherMemoryAreOrdinary) {
    const PixelVector small(16, 1);
    EXPECT_FALSE(FindSharedPixelBlock(small.data(), 4));
    const std::uint32_t onStack[4] = {};
    EXPECT_FALSE(FindSharedPixelBlock(onStack, sizeof onStack));
}

}  // namespace
}  // namespace nl
