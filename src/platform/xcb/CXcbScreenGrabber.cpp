#include "platform/xcb/CXcbScreenGrabber.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/xcb/xcb_support.h"

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

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

// The Xlib screen number of `root`, or -1.
int ScreenOf(Display* display, xcb_window_t root) {
    for (int i = 0; i < ScreenCount(display); ++i)
        if (RootWindow(display, i) == root) return i;
    return -1;
}

enum class Stores { kCached, kStreaming };

// Copies one row of `width` server pixels to `to` with an opaque alpha byte: four pixels at a
// time where the processor has 128-bit registers, so that a grab runs at memory speed.
void CopyRowOpaque(const GrabPixel* from, GrabPixel* to, int width, Stores stores) {
    int x = 0;
#if defined(__SSE2__)
    constexpr int kPixelsPerVector = 4;
    constexpr std::uintptr_t kVectorAlign = 16;
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(kOpaque));
    if (stores == Stores::kStreaming) {
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

// The error code of the last X error while a segment is attached (0: none).
int g_attachError = 0;
int NoteAttachError(Display*, XErrorEvent* event) {
    g_attachError = event->error_code;
    return 0;
}

}  // namespace

void CopyOpaque(const char* src, std::size_t srcBytesPerLine, int width, int height,
                GrabPixel* out, std::size_t stride) {
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(GrabPixel);
    const Stores stores = bytes >= kStreamingBytes ? Stores::kStreaming : Stores::kCached;
    for (int y = 0; y < height; ++y)
        CopyRowOpaque(
            reinterpret_cast<const GrabPixel*>(src + static_cast<std::size_t>(y) * srcBytesPerLine),
            out + static_cast<std::size_t>(y) * stride, width, stores);
#if defined(__SSE2__)
    // Streamed pixels are seen by every later load only after a fence.
    if (stores == Stores::kStreaming) _mm_sfence();
#endif
}

// A System V shared memory segment attached both here and in the server, and the image
// header that describes the current grab size inside it.
struct CXcbScreenGrabber::Segment {
    XShmSegmentInfo info{};
    std::size_t bytes = 0;
    XImage* image = nullptr;
};

CXcbScreenGrabber::CXcbScreenGrabber(const x11::IXConnection& connection, GrabMethod method)
    : m_connection(connection),
      m_method(method),
      m_c(connection.Connection()),
      m_root(connection.Root()) {
    m_grabPixels = m_c && m_root != XCB_NONE && RootImagesAreGrabPixels(m_c, m_root);
}

CXcbScreenGrabber::~CXcbScreenGrabber() {
    ReleaseSegment();
}

bool CXcbScreenGrabber::OnConnection() const {
    return m_c && m_c == m_connection.Connection();
}

bool CXcbScreenGrabber::PrepareShared() {
    if (m_method != GrabMethod::kSharedMemory) return false;
    if (!m_display) {
        m_display = m_connection.Display();
        if (m_display) m_screen = ScreenOf(m_display, m_root);
        if (!m_display || !XShmQueryExtension(m_display) || m_screen < 0) {
            m_method = GrabMethod::kGetImage;
            return false;
        }
    }
    return true;
}

bool CXcbScreenGrabber::Grab(const Rect& area, GrabPixel* out, std::size_t stride) {
    if (!m_grabPixels || area.IsEmpty()) return false;
    const bool singlePixel = area.Width() == 1 && area.Height() == 1;
    if (!singlePixel && PrepareShared()) return GrabShared(area, out, stride);
    return GrabImage(area, out, stride);
}

bool CXcbScreenGrabber::ShmGetImage(const Rect& area) {
    const auto width = static_cast<unsigned>(area.Width());
    const auto height = static_cast<unsigned>(area.Height());
    const std::size_t bytes = std::size_t{width} * height * sizeof(GrabPixel);
    const auto giveUp = [this] {
        ReleaseSegment();
        m_method = GrabMethod::kGetImage;
        return false;
    };
    if (!EnsureSegment(bytes)) return giveUp();
    XImage*& image = m_segment->image;
    if (!image || static_cast<unsigned>(image->width) != width ||
        static_cast<unsigned>(image->height) != height) {
        // Only the header changes with the size; the segment stays.
        if (image) XFree(image);
        image = XShmCreateImage(m_display, DefaultVisual(m_display, m_screen),
                                static_cast<unsigned>(DefaultDepth(m_display, m_screen)), ZPixmap,
                                m_segment->info.shmaddr, &m_segment->info, width, height);
        if (!image || image->bits_per_pixel != kGrabBitsPerPixel ||
            static_cast<std::size_t>(image->bytes_per_line) * height > m_segment->bytes)
            return giveUp();
    }
    if (XShmGetImage(m_display, m_root, image, area.left, area.top, kAllPlanes)) return true;
    // An area the server refuses fails both ways: only when a plain request succeeds is the
    // segment itself to blame, and given up for good.
    XcbPtr<xcb_get_image_reply_t> probe(GetImage(area));
    if (probe) giveUp();
    return false;
}

bool CXcbScreenGrabber::GrabShared(const Rect& area, GrabPixel* out, std::size_t stride) {
    if (!ShmGetImage(area)) return GrabImage(area, out, stride);
    const XImage* image = m_segment->image;
    CopyOpaque(image->data, static_cast<std::size_t>(image->bytes_per_line), area.Width(),
               area.Height(), out, stride);
    return true;
}

std::optional<LentPixels> CXcbScreenGrabber::GrabLent(const Rect& area) {
    if (!m_grabPixels || area.Width() * area.Height() <= 1 || !PrepareShared() ||
        !ShmGetImage(area))
        return std::nullopt;
    const XImage* image = m_segment->image;
    return LentPixels{reinterpret_cast<const GrabPixel*>(image->data),
                      static_cast<std::size_t>(image->bytes_per_line) / sizeof(GrabPixel)};
}

xcb_get_image_reply_t* CXcbScreenGrabber::GetImage(const Rect& area) const {
    if (!OnConnection()) return nullptr;
    return xcb_get_image_reply(
        m_c,
        xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                      static_cast<std::int16_t>(area.left), static_cast<std::int16_t>(area.top),
                      static_cast<std::uint16_t>(area.Width()),
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
               area.Width(), area.Height(), out, stride);
    return true;
}

bool CXcbScreenGrabber::EnsureSegment(std::size_t bytes) {
    if (m_segment && m_segment->bytes >= bytes) return true;
    ReleaseSegment();
    auto segment = std::make_unique<Segment>();
    segment->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | kSegmentMode);
    if (segment->info.shmid < 0) return false;
    void* address = shmat(segment->info.shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(segment->info.shmid, IPC_RMID, nullptr);
        return false;
    }
    segment->info.shmaddr = static_cast<char*>(address);
    segment->info.readOnly = False;
    // A server on another machine refuses the segment with an error, which must not reach
    // the program's error handler.
    g_attachError = 0;
    const auto previous = XSetErrorHandler(NoteAttachError);
    const Status attached = XShmAttach(m_display, &segment->info);
    XSync(m_display, False);
    XSetErrorHandler(previous);
    // Marked for removal now: it goes away once both sides detach, even after a crash.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached || g_attachError != 0) {
        shmdt(address);
        return false;
    }
    segment->bytes = bytes;
    m_segment = std::move(segment);
    return true;
}

void CXcbScreenGrabber::ReleaseSegment() {
    if (!m_segment) return;
    if (m_segment->image) XFree(m_segment->image);
    // After a toolkit closed its display the server has let go of the segment already.
    if (m_display && m_display == m_connection.Display()) {
        XShmDetach(m_display, &m_segment->info);
        XSync(m_display, False);
    }
    shmdt(m_segment->info.shmaddr);
    m_segment.reset();
}

}  // namespace nl
