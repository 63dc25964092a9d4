#pragma once
#include <cstddef>
#include <memory>
#include <optional>

#include "platform/IDesktop.h"
#include "platform/xcb/IXConnection.h"

struct xcb_get_image_reply_t;

namespace nl {

class CXcbDirectGrab;

// How the screen's pixels come from the X server: into a shared memory segment that the
// server writes and the grabber reuses from frame to frame, or in the reply of a plain
// GetImage request (any server, a remote one too).
enum class GrabMethod { kSharedMemory, kGetImage };

// Reads the root window's pixels from an X server connection, as 0xFFRRGGBB pixels. Works
// where the root window's images are 32-bit pixels with red in the third byte, least
// significant byte first (depth 24 and 32 visuals of little-endian servers), and converts the
// pixels of other true-colour visuals (depths 15, 16 and 30); ReadsRootImages() tells. A
// server without shared memory, or one that refuses to attach the segment (a remote server),
// silently gets plain GetImage requests instead.
class CXcbScreenGrabber {
public:
    CXcbScreenGrabber(const x11::IXConnection& connection, GrabMethod method);
    ~CXcbScreenGrabber();
    CXcbScreenGrabber(const CXcbScreenGrabber&) = delete;
    CXcbScreenGrabber& operator=(const CXcbScreenGrabber&) = delete;

    // Whether the grabber belongs to the connection's current server connection.
    bool OnConnection() const;
    // Whether the server's images are pixels this grabber reads.
    bool ReadsRootImages() const { return m_grabPixels || m_convert != nullptr; }
    // The method grabs use now: shared memory falls back to GetImage for good once the
    // server refuses it.
    GrabMethod Method() const { return m_method; }

    // Copies the pixels in `area` (inside the root window, not empty) to `out`, rows
    // `stride` pixels apart. Where `out` is a large PixelVector's memory and the server can,
    // the server writes there itself; otherwise the pixels come through the shared segment.
    // Single pixels always take a GetImage request: a shared segment saves nothing there.
    bool Grab(const Rect& area, GrabPixel* out, std::size_t stride);
    // Grabs `area` (inside the root window, more than one pixel) into the shared segment and
    // lends its pixels, valid until the next grab; nothing without shared memory.
    std::optional<LentPixels> GrabLent(const Rect& area);

    struct PixelLayout;

private:
    struct Segment;
    // Whether the server shares memory (asked once); false, and GetImage for good, without.
    bool SharesMemory();
    // The area read into the segment and copied out with an opaque alpha byte; false when
    // the segment cannot serve it (GetImage for good then when a plain request can).
    bool GrabShared(const Rect& area, GrabPixel* out, std::size_t stride);
    bool GrabImage(const Rect& area, GrabPixel* out, std::size_t stride);
    // A GetImage of another pixel layout, each pixel converted (no shared memory: such
    // servers are rare, and the conversion reads every pixel anyway).
    bool GrabConverted(const Rect& area, GrabPixel* out, std::size_t stride);
    // The reply of a GetImage request for `area` (the caller frees it), or null.
    xcb_get_image_reply_t* GetImage(const Rect& area) const;
    // A segment of at least `bytes`, attached to the server; false when the server refuses.
    bool EnsureSegment(std::size_t bytes);
    // Gives the segment up after the server refused it: GetImage from now on.
    bool GiveUpSharing();
    void ReleaseSegment();

    const x11::IXConnection& m_connection;
    GrabMethod m_method;
    xcb_connection_t* m_c = nullptr;  // the connection the grabber was made on
    xcb_window_t m_root = 0;
    bool m_grabPixels = false;               // the root's images are 0x??RRGGBB pixels
    std::unique_ptr<PixelLayout> m_convert;  // set where other pixels are converted
    std::unique_ptr<Segment> m_segment;
    // Grabs the server writes straight into buffers in shared pixel memory.
    std::unique_ptr<CXcbDirectGrab> m_direct;
};

// How a copy writes: through the caches, or streaming past them for a copy larger than they
// are (stores that do not read their target first move a third less memory).
enum class CopyStores { kCached, kStreaming };
// The stores for a copy of `bytes` in all.
CopyStores StoresFor(std::size_t bytes);

// Copies `height` rows of `width` 0x??RRGGBB pixels, `srcBytesPerLine` bytes apart, to `out`
// (rows `stride` pixels apart) as 0xFFRRGGBB pixels.
void CopyOpaque(const char* src, std::size_t srcBytesPerLine, int width, int height, GrabPixel* out,
                std::size_t stride, CopyStores stores);

}  // namespace nl
