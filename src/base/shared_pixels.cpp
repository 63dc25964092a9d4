#include "base/shared_pixels.h"

#include <sys/mman.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <new>

namespace nl {

namespace {

struct Block {
    std::size_t bytes = 0;
    std::uint64_t id = 0;
    int fd = -1;
};

// Every live shared block by its address. Images are made and freed on more than one thread
// (the encoder runs beside the event loop), so the table has a lock.
struct Registry {
    std::mutex lock;
    std::map<std::uintptr_t, Block> blocks;
    std::uint64_t nextId = 1;
};

Registry& Blocks() {
    static Registry* registry = new Registry;  // never destroyed: images may outlive main
    return *registry;
}

void* AllocateShared(std::size_t bytes) {
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
    Registry& r = Blocks();
    const std::lock_guard guard(r.lock);
    r.blocks[reinterpret_cast<std::uintptr_t>(address)] = {bytes, r.nextId++, fd};
    return address;
}

}  // namespace

void* AllocateSharedPixels(std::size_t bytes) {
    if (bytes >= kSharedPixelsMinBytes)
        if (void* shared = AllocateShared(bytes)) return shared;
    return ::operator new(bytes);
}

void FreeSharedPixels(void* address, std::size_t bytes) {
    if (!address) return;
    if (bytes >= kSharedPixelsMinBytes) {
        Registry& r = Blocks();
        std::unique_lock guard(r.lock);
        const auto it = r.blocks.find(reinterpret_cast<std::uintptr_t>(address));
        if (it != r.blocks.end()) {
            const Block block = it->second;
            r.blocks.erase(it);
            guard.unlock();
            munmap(address, block.bytes);
            close(block.fd);
            return;
        }
    }
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
    if (offset > it->second.bytes || bytes > it->second.bytes - offset) return std::nullopt;
    return SharedPixelBlock{it->second.id, it->second.fd, offset};
}

bool SharedPixelBlockLives(std::uint64_t id) {
    Registry& r = Blocks();
    const std::lock_guard guard(r.lock);
    for (const auto& entry : r.blocks)
        if (entry.second.id == id) return true;
    return false;
}

}  // namespace nl
