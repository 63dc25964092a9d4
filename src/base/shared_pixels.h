#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace nl {

// Large pixel buffers are kept in memory that another process can map (an anonymous memory
// file), so that a display server can write a screen capture straight into an image instead
// of into a segment of its own that the program then copies. Smaller buffers, and every
// buffer where such memory cannot be had, come from the ordinary heap.

// The memory file behind a shared buffer, and where in it an address lies.
struct SharedPixelBlock {
    std::uint64_t id = 0;    // unique for the life of the process
    int fd = -1;             // the memory file; open while the block is kept
    std::size_t offset = 0;  // of the address asked about, from the file's start
};

// The shared block that holds all `bytes` bytes from `address`; nothing where they lie in
// ordinary memory.
std::optional<SharedPixelBlock> FindSharedPixelBlock(const void* address, std::size_t bytes);
// Whether the block with `id` is still there: in use, or freed and kept for the next buffer
// of about its size (a few blocks are, so that a capture replacing another finds its memory
// mapped already, in this process and in the server).
bool SharedPixelBlockKept(std::uint64_t id);

// Buffers of at least this many bytes go into shared memory.
inline constexpr std::size_t kSharedPixelsMinBytes = std::size_t{256} << 10;

void* AllocateSharedPixels(std::size_t bytes);
void FreeSharedPixels(void* address, std::size_t bytes);

// The allocator of pixel vectors: shared memory from kSharedPixelsMinBytes up.
template <class T>
struct SharedPixelAllocator {
    using value_type = T;
    SharedPixelAllocator() = default;
    template <class U>
    SharedPixelAllocator(const SharedPixelAllocator<U>&) {}  // NOLINT: allocators convert
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateSharedPixels(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { FreeSharedPixels(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const SharedPixelAllocator<U>&) const {
        return true;
    }
};

using PixelVector = std::vector<std::uint32_t, SharedPixelAllocator<std::uint32_t>>;

}  // namespace nl
