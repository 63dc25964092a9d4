#include "platform/wayland/CShmBuffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace nl::wayland {

CShmBuffer::~CShmBuffer() {
    Release();
}

void CShmBuffer::Release() {
    if (m_buffer) wl_buffer_destroy(m_buffer);
    if (m_data) ::munmap(m_data, m_size);
    if (m_fd >= 0) ::close(m_fd);
    m_buffer = nullptr;
    m_data = nullptr;
    m_fd = -1;
    m_size = 0;
    m_width = m_height = m_stride = 0;
}

bool CShmBuffer::Fit(wl_shm* shm, std::uint32_t format, int width, int height, int stride) {
    if (m_buffer && format == m_format && width == m_width && height == m_height &&
        stride == m_stride)
        return true;
    Release();
    if (shm == nullptr || width <= 0 || height <= 0 || stride < width * 4) return false;
    const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    m_fd = ::memfd_create("nerimlens-screen", MFD_CLOEXEC);
    if (m_fd < 0) return false;
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        Release();
        return false;
    }
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (data == MAP_FAILED) {
        Release();
        return false;
    }
    m_data = data;
    m_size = size;
    wl_shm_pool* pool = wl_shm_create_pool(shm, m_fd, static_cast<std::int32_t>(size));
    m_buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
    // The buffer keeps the pool's memory; the pool object itself is no longer needed.
    wl_shm_pool_destroy(pool);
    m_format = format;
    m_width = width;
    m_height = height;
    m_stride = stride;
    return m_buffer != nullptr;
}

}  // namespace nl::wayland
