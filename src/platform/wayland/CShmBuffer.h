#pragma once
#include <cstddef>
#include <cstdint>

struct wl_buffer;
struct wl_shm;

namespace nl::wayland {

// A shared-memory buffer the compositor copies frames into: an anonymous memory file mapped
// here and offered to the compositor as one wl_buffer. Kept across frames while their size
// and format stay the same.
class CShmBuffer {
public:
    CShmBuffer() = default;
    ~CShmBuffer();
    CShmBuffer(const CShmBuffer&) = delete;
    CShmBuffer& operator=(const CShmBuffer&) = delete;

    // Makes the buffer fit frames of this shape, keeping the present one when it already
    // does. False when the memory cannot be had.
    bool Fit(wl_shm* shm, std::uint32_t format, int width, int height, int stride);
    void Release();

    wl_buffer* Buffer() const { return m_buffer; }
    const std::uint8_t* Data() const { return static_cast<const std::uint8_t*>(m_data); }
    std::uint32_t Format() const { return m_format; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }

private:
    int m_fd = -1;
    void* m_data = nullptr;
    std::size_t m_size = 0;
    wl_buffer* m_buffer = nullptr;
    std::uint32_t m_format = 0;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
};

}  // namespace nl::wayland
