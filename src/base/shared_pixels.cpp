#include "base/shared_pixels.h"

#include <sys/mman.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace nl {

namespace {

// Freed blocks kept for the next buffers: a capture usually follows the one it replaces at
// the same size, and a kept block is mapped already, here and in the server (no page faults,
// no new attachment). At most this many, and this many bytes in all.
constexpr std::size_t kMaxKeptFree = 2;
constexpr std::size_t kMaxKeptFreeBytes = std::size_t{64} << 20;

struct Block {
    std::size_t bytes = 0;  // of the mapping
    std::uint64_t id = 0;
    int fd = -1;
    bool inUse = true;
};

// Every shared block by its address, in use or kept free. Images are made and freed on more
// than one thread (the encoder runs beside the event loop), so the table has a lock.
struct Registry {
    std::mutex lock;
    std::map<std::uintptr_t, Block> blocks;
    std::uint64_t nextId = 1;
};

Registry& Blocks() {
    static Registry* registry = new Registry;  // never destroyed: images may outlive main
    return *registry;
}

void Unmap(std::uintptr_t address, const Block& block) {
    munmap(reinterpret_cast<void*>(address), block.bytes);
    close(block.fd);
}

// A kept free block of `bytes` to twice as many, taken; 0 where there is none.
std::uintptr_t TakeKept(Registry& r, std::size_t bytes) {
    for (auto& [address, block] : r.blocks)
        if (!block.inUse && block.bytes >= bytes && block.bytes / 2 <= bytes) {
            block.inUse = true;
            return address;
        }
    return 0;
}

void* AllocateShared(std::size_t bytes) {
    Registry& r = Blocks();
    {
        const std::lock_guard guard(r.lock);
        if (const std::uintptr_t kept = TakeKept(r, bytes)) return reinterpret_cast<void*>(kept);
    }
    const int fd = memfd_create("nerimlens-pixels", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
        close(fd);
        return nullptr;
    }
    void* address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (address == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    const std::lock_guard guard(r.lock);
    r.blocks[reinterpret_cast<std::uintptr_t>(address)] = {bytes, r.nextId++, fd, true};
    return address;
}

// Keeps the block at `address` free for reuse, then gives back the oldest free blocks beyond
// the limits. False where no shared block starts there.
bool KeepFree(void* address) {
    Registry& r = Blocks();
    std::vector<std::pair<std::uintptr_t, Block>> released;
    {
        const std::lock_guard guard(r.lock);
        const auto it = r.blocks.find(reinterpret_cast<std::uintptr_t>(address));
        if (it == r.blocks.end()) return false;
        it->second.inUse = false;
        std::size_t count = 0;
        std::size_t bytes = 0;
        for (const auto& [at, block] : r.blocks)
            if (!block.inUse) {
                ++count;
                bytes += block.bytes;
            }
        // The oldest (smallest id) go first; the one just freed stays if it fits at all.
        while (count > kMaxKeptFree || bytes > kMaxKeptFreeBytes) {
            auto oldest = r.blocks.end();
            for (auto b = r.blocks.begin(); b != r.blocks.end(); ++b)
                if (!b->second.inUse &&
                    (oldest == r.blocks.end() || b->second.id < oldest->second.id))
                    oldest = b;
            if (oldest == r.blocks.end()) break;
            --count;
            bytes -= oldest->second.bytes;
            released.emplace_back(*oldest);
            r.blocks.erase(oldest);
        }
    }
    for (const auto& [at, block] : released) Unmap(at, block);
    return true;
}

}  // namespace

void* AllocateSharedPixels(std::size_t bytes) {
    if (bytes >= kSharedPixelsMinBytes)
        if (void* shared = AllocateShared(bytes)) return shared;
    return ::operator new(bytes);
}

void FreeSharedPixels(void* address, std::size_t bytes) {
    if (!address) return;
    if (bytes >= kSharedPixelsMinBytes && KeepFree(address)) return;
    ::operator delete(address);
}

std::optional<SharedPixelBlock> FindSharedPixelBlock(const void* address, std::size_t bytes) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    Registry& r = Blocks();
    const std::lock_guard guard(r.lock);
    auto it = r.blocks.upper_bound(at);
    if (it == r.blocks.begin()) return std::nullopt;
    --it;
    const std::size_t offset = at - it->first;
    if (!it->second.inUse || offset > it->second.bytes || bytes > it->second.bytes - offset)
        return std::nullopt;
    return SharedPixelBlock{it->second.id, it->second.fd, offset};
}

bool SharedPixelBlockKept(std::uint64_t id) {
    Registry& r = Blocks();
    const std::lock_guard guard(r.lock);
    for (const auto& entry : r.blocks)
        if (entry.second.id == id) return true;
    return false;
}

}  // namespace nl
