#pragma once
#include <xcb/render.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

#include "platform/IDesktop.h"

namespace nl {

// Lets the X server write a grab straight into the caller's buffer where that lies in shared
// pixel memory (a large PixelVector): the buffer's memory file is attached to the server, a
// pixmap made over the buffer, and the root window composited into it with RENDER, which also
// makes every pixel opaque. The pixels cross memory once, as with a grab into the server's
// own segment, and no copy follows. One buffer's memory is attached at a time; it is given
// back when another is asked for, when the memory itself was given back (noticed at the next
// grab; freed buffers keep theirs for a while, see SharedPixelBlockKept) and with the grabber.
// Servers without shared pixmaps on passed files (MIT-SHM 1.2) or without RENDER's 32-bit format
// are never asked again.
class CXcbDirectGrab {
public:
    CXcbDirectGrab(xcb_connection_t* c, xcb_window_t root);
    CXcbDirectGrab(const CXcbDirectGrab&) = delete;
    CXcbDirectGrab& operator=(const CXcbDirectGrab&) = delete;

    // Grabs `area` (inside the root window) into `out`, rows `stride` pixels apart, when the
    // server can write there; false, with nothing written, otherwise.
    bool Grab(const Rect& area, GrabPixel* out, std::size_t stride);
    // Gives the attached memory back to the server when it was given back here meanwhile.
    void ForgetFreed();
    // Frees everything made on the server; `connected`: the connection is still there to
    // ask (after it closed, the server has let go of everything already).
    void Release(bool connected);

private:
    // The server's view of one shared buffer.
    struct Attached {
        std::uint64_t block = 0;
        xcb_shm_seg_t segment = XCB_NONE;
        // The pixmap over the last area grabbed into the buffer: where it starts and its size.
        std::size_t offset = 0;
        int width = 0;
        int height = 0;
        xcb_pixmap_t pixmap = XCB_NONE;
        xcb_render_picture_t picture = XCB_NONE;
    };
    bool Supported();
    // The buffer holding `bytes` from `out`, attached; nothing where it is not shared memory.
    Attached* AttachedFor(const GrabPixel* out, std::size_t bytes);
    bool EnsurePicture(Attached& a, const Rect& area);
    void FreePicture(Attached& a);
    void Detach();
    // Frees everything and never asks the server again; false.
    bool GiveUp();

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    std::optional<bool> m_supported;
    xcb_render_pictformat_t m_argb = XCB_NONE;
    xcb_render_picture_t m_rootPicture = XCB_NONE;
    std::optional<Attached> m_attached;
};

}  // namespace nl
