#include "platform/xcb/CXcbScreenGrabber.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <xcb/shm.h>

#include <algorithm>
#include <bit>

#include "platform/xcb/CXcbDirectGrab.h"
#include "platform/xcb/xcb_support.h"

namespace nl {

using x11::XcbPtr;

namespace {

// The server's 24- and 32-bit images hold one pixel in 32 bits, red in the third byte.
constexpr int kGrabBitsPerPixel = 32;
constexpr std::uint32_t kRedMask = 0xFF0000;
constexpr std::uint32_t kAllPlanes = ~0u;
// The alpha byte of an opaque pixel: the servers leave the fourth byte undefined or zero.
constexpr GrabPixel kOpaque = 0xFF000000u;
// Owner-only access to the shared segment.
constexpr int kSegmentMode = 0600;
// Copies at least this large bypass the caches on their way out: a whole desktop does not fit
// them anyway, and stores that do not read the target first move a third less memory. Smaller
// copies (a magnifier's source) stay in the cache for the drawing that follows.
constexpr std::size_t kStreamingBytes = std::size_t{2} << 20;

// Whether the root window's images come as 32-bit 0x??RRGGBB pixels, least significant byte
// first: what GrabPixel holds, so rows copy as they are.
bool RootImagesAreGrabPixels(xcb_connection_t* c, xcb_window_t root) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup); it.rem > 0;
         xcb_screen_next(&it)) {
        if (it.data->root != root) continue;
        bool depthOk = false;
        for (xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0;
             xcb_format_next(&f))
            if (f.data->depth == it.data->root_depth)
                depthOk = f.data->bits_per_pixel == kGrabBitsPerPixel;
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(it.data); d.rem > 0;
             xcb_depth_next(&d))
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0;
                 xcb_visualtype_next(&v))
                if (v.data->visual_id == it.data->root_visual)
                    return depthOk && v.data->red_mask == kRedMask;
    }
    return false;
}

}  // namespace

// How root images hold pixels that are not 32-bit 0x??RRGGBB: a true-colour visual of 16 or
// 32 bits per pixel with channels anywhere (depths 15 and 16, depth 30).
struct CXcbScreenGrabber::PixelLayout {
    int bitsPerPixel = 0;
    int scanlinePad = 0;  // each row of an image fills a multiple of this many bits
    bool msbFirst = false;
    std::uint32_t masks[3] = {};  // red, green, blue
};

namespace {

std::optional<CXcbScreenGrabber::PixelLayout> RootPixelLayout(xcb_connection_t* c,
                                                              xcb_window_t root) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup); it.rem > 0;
         xcb_screen_next(&it)) {
        if (it.data->root != root) continue;
        CXcbScreenGrabber::PixelLayout layout;
        layout.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
        for (xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0;
             xcb_format_next(&f))
            if (f.data->depth == it.data->root_depth) {
                layout.bitsPerPixel = f.data->bits_per_pixel;
                layout.scanlinePad = f.data->scanline_pad;
            }
        if ((layout.bitsPerPixel != 16 && layout.bitsPerPixel != 32) || layout.scanlinePad <= 0)
            return std::nullopt;
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(it.data); d.rem > 0;
             xcb_depth_next(&d))
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0;
                 xcb_visualtype_next(&v)) {
                if (v.data->visual_id != it.data->root_visual) continue;
                if (v.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                    v.data->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
                    return std::nullopt;
                layout.masks[0] = v.data->red_mask;
                layout.masks[1] = v.data->green_mask;
                layout.masks[2] = v.data->blue_mask;
                for (const std::uint32_t mask : layout.masks)
                    if (mask == 0) return std::nullopt;
                return layout;
            }
    }
    return std::nullopt;
}

// One channel of a pixel scaled to 8 bits, rounded: 5 bits of 31 give 255, 10 of 1023 too.
std::uint32_t Channel8(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint32_t>((value * 255 + max / 2) / max);
}

// Copies one row of `width` server pixels to `to` with an opaque alpha byte: four pixels at a
// time where the processor has 128-bit registers, so that a grab runs at memory speed.
void CopyRowOpaque(const GrabPixel* from, GrabPixel* to, int width, CopyStores stores) {
    int x = 0;
#if defined(__SSE2__)
    constexpr int kPixelsPerVector = 4;
    constexpr std::uintptr_t kVectorAlign = 16;
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(kOpaque));
    if (stores == CopyStores::kStreaming) {
        // Streaming stores need aligned targets: single pixels up to the first boundary.
        for (; x < width && reinterpret_cast<std::uintptr_t>(to + x) % kVectorAlign != 0; ++x)
            to[x] = from[x] | kOpaque;
        for (; x + kPixelsPerVector <= width; x += kPixelsPerVector) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
            _mm_stream_si128(reinterpret_cast<__m128i*>(to + x), _mm_or_si128(pixels, opaque));
        }
    } else {
        for (; x + kPixelsPerVector <= width; x += kPixelsPerVector) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_or_si128(pixels, opaque));
        }
    }
#else
    (void)stores;
#endif
    for (; x < width; ++x) to[x] = from[x] | kOpaque;
}

}  // namespace

CopyStores StoresFor(std::size_t bytes) {
    return bytes >= kStreamingBytes ? CopyStores::kStreaming : CopyStores::kCached;
}

void CopyOpaque(const char* src, std::size_t srcBytesPerLine, int width, int height, GrabPixel* out,
                std::size_t stride, CopyStores stores) {
    for (int y = 0; y < height; ++y)
        CopyRowOpaque(
            reinterpret_cast<const GrabPixel*>(src + static_cast<std::size_t>(y) * srcBytesPerLine),
            out + static_cast<std::size_t>(y) * stride, width, stores);
#if defined(__SSE2__)
    // Streamed pixels are seen by every later load only after a fence.
    if (stores == CopyStores::kStreaming) _mm_sfence();
#endif
}

// A System V shared memory segment attached both here and in the server.
struct CXcbScreenGrabber::Segment {
    int id = -1;
    char* address = nullptr;
    std::size_t bytes = 0;
    xcb_shm_seg_t server = 0;  // the server's name for it
};

CXcbScreenGrabber::CXcbScreenGrabber(const x11::IXConnection& connection, GrabMethod method)
    : m_connection(connection),
      m_method(method),
      m_c(connection.Connection()),
      m_root(connection.Root()) {
    m_grabPixels = m_c && m_root != XCB_NONE && RootImagesAreGrabPixels(m_c, m_root);
    if (m_grabPixels)
        m_direct = std::make_unique<CXcbDirectGrab>(m_c, m_root);
    else if (const auto layout =
                 m_c && m_root != XCB_NONE ? RootPixelLayout(m_c, m_root) : std::nullopt)
        m_convert = std::make_unique<PixelLayout>(*layout);
}

CXcbScreenGrabber::~CXcbScreenGrabber() {
    if (m_direct) m_direct->Release(OnConnection());
    ReleaseSegment();
}

bool CXcbScreenGrabber::OnConnection() const {
    return m_c && m_c == m_connection.Connection();
}

bool CXcbScreenGrabber::SharesMemory() {
    if (m_method != GrabMethod::kSharedMemory) return false;
    if (m_segment) return true;
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(m_c, &xcb_shm_id);
    if (shm && shm->present) return true;
    m_method = GrabMethod::kGetImage;
    return false;
}

bool CXcbScreenGrabber::Grab(const Rect& area, GrabPixel* out, std::size_t stride) {
    if (area.IsEmpty() || !OnConnection()) return false;
    if (!m_grabPixels) return m_convert && GrabConverted(area, out, stride);
    m_direct->ForgetFreed();
    const bool singlePixel = area.Width() == 1 && area.Height() == 1;
    if (!singlePixel && SharesMemory() &&
        (m_direct->Grab(area, out, stride) || GrabShared(area, out, stride)))
        return true;
    return GrabImage(area, out, stride);
}

bool CXcbScreenGrabber::GiveUpSharing() {
    ReleaseSegment();
    m_method = GrabMethod::kGetImage;
    return false;
}

bool CXcbScreenGrabber::GrabShared(const Rect& area, GrabPixel* out, std::size_t stride) {
    const std::optional<LentPixels> lent = GrabLent(area);
    if (lent) {
        CopyOpaque(
            reinterpret_cast<const char*>(lent->pixels), lent->stride * sizeof(GrabPixel),
            area.Width(), area.Height(), out, stride,
            StoresFor(lent->stride * sizeof(GrabPixel) * static_cast<std::size_t>(area.Height())));
        return true;
    }
    if (m_method != GrabMethod::kSharedMemory) return false;
    // An area the server refuses fails both ways: only when a plain request succeeds is the
    // segment itself to blame, and given up for good.
    XcbPtr<xcb_get_image_reply_t> probe(GetImage(area));
    if (probe) GiveUpSharing();
    return false;
}

std::optional<LentPixels> CXcbScreenGrabber::GrabLent(const Rect& area) {
    if (!m_grabPixels || area.Width() * area.Height() <= 1 || !OnConnection() || !SharesMemory())
        return std::nullopt;
    const std::size_t rowBytes = static_cast<std::size_t>(area.Width()) * sizeof(GrabPixel);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(area.Height());
    if (!EnsureSegment(bytes)) {
        GiveUpSharing();
        return std::nullopt;
    }
    XcbPtr<xcb_shm_get_image_reply_t> reply(xcb_shm_get_image_reply(
        m_c,
        xcb_shm_get_image(
            m_c, m_root, static_cast<std::int16_t>(area.left), static_cast<std::int16_t>(area.top),
            static_cast<std::uint16_t>(area.Width()), static_cast<std::uint16_t>(area.Height()),
            kAllPlanes, XCB_IMAGE_FORMAT_Z_PIXMAP, m_segment->server, 0),
        nullptr));
    if (!reply || reply->size < bytes) return std::nullopt;
    return LentPixels{reinterpret_cast<const GrabPixel*>(m_segment->address),
                      static_cast<std::size_t>(area.Width())};
}

xcb_get_image_reply_t* CXcbScreenGrabber::GetImage(const Rect& area) const {
    if (!OnConnection()) return nullptr;
    return xcb_get_image_reply(
        m_c,
        xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, static_cast<std::int16_t>(area.left),
                      static_cast<std::int16_t>(area.top), static_cast<std::uint16_t>(area.Width()),
                      static_cast<std::uint16_t>(area.Height()), kAllPlanes),
        nullptr);
}

bool CXcbScreenGrabber::GrabImage(const Rect& area, GrabPixel* out, std::size_t stride) {
    XcbPtr<xcb_get_image_reply_t> image(GetImage(area));
    if (!image) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(area.Width()) * sizeof(GrabPixel);
    const auto bytes = static_cast<std::size_t>(xcb_get_image_data_length(image.get()));
    if (bytes < rowBytes * static_cast<std::size_t>(area.Height())) return false;
    CopyOpaque(reinterpret_cast<const char*>(xcb_get_image_data(image.get())), rowBytes,
               area.Width(), area.Height(), out, stride, StoresFor(bytes));
    return true;
}

bool CXcbScreenGrabber::GrabConverted(const Rect& area, GrabPixel* out, std::size_t stride) {
    XcbPtr<xcb_get_image_reply_t> image(GetImage(area));
    if (!image) return false;
    const PixelLayout& layout = *m_convert;
    const std::size_t width = static_cast<std::size_t>(area.Width());
    const std::size_t pad = static_cast<std::size_t>(layout.scanlinePad);
    const std::size_t rowBits = width * static_cast<std::size_t>(layout.bitsPerPixel);
    const std::size_t rowBytes = (rowBits + pad - 1) / pad * pad / 8;
    const auto bytes = static_cast<std::size_t>(xcb_get_image_data_length(image.get()));
    if (bytes < rowBytes * static_cast<std::size_t>(area.Height())) return false;
    const std::uint8_t* data = xcb_get_image_data(image.get());
    const std::size_t pixelBytes = static_cast<std::size_t>(layout.bitsPerPixel) / 8;
    for (int y = 0; y < area.Height(); ++y) {
        const std::uint8_t* row = data + static_cast<std::size_t>(y) * rowBytes;
        GrabPixel* to = out + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row + x * pixelBytes;
            std::uint32_t pixel = 0;
            for (std::size_t i = 0; i < pixelBytes; ++i) {
                const std::size_t shift = 8 * (layout.msbFirst ? pixelBytes - 1 - i : i);
                pixel |= static_cast<std::uint32_t>(p[i]) << shift;
            }
            to[x] = kOpaque | Channel8(pixel, layout.masks[0]) << 16 |
                    Channel8(pixel, layout.masks[1]) << 8 | Channel8(pixel, layout.masks[2]);
        }
    }
    return true;
}

bool CXcbScreenGrabber::EnsureSegment(std::size_t bytes) {
    if (m_segment && m_segment->bytes >= bytes) return true;
    ReleaseSegment();
    auto segment = std::make_unique<Segment>();
    segment->id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | kSegmentMode);
    if (segment->id < 0) return false;
    void* address = shmat(segment->id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(segment->id, IPC_RMID, nullptr);
        return false;
    }
    segment->address = static_cast<char*>(address);
    segment->server = xcb_generate_id(m_c);
    // A server on another machine refuses the segment with an error, which comes back here
    // and nowhere else.
    XcbPtr<xcb_generic_error_t> error(xcb_request_check(
        m_c,
        xcb_shm_attach_checked(m_c, segment->server, static_cast<std::uint32_t>(segment->id), 0)));
    // Marked for removal now: it goes away once both sides detach, even after a crash.
    shmctl(segment->id, IPC_RMID, nullptr);
    if (error) {
        shmdt(address);
        return false;
    }
    segment->bytes = bytes;
    m_segment = std::move(segment);
    return true;
}

void CXcbScreenGrabber::ReleaseSegment() {
    if (!m_segment) return;
    // After a toolkit closed its connection the server has let go of the segment already.
    if (OnConnection()) {
        xcb_shm_detach(m_c, m_segment->server);
        xcb_flush(m_c);
    }
    shmdt(m_segment->address);
    m_segment.reset();
}

}  // namespace nl
