#include "platform/xcb/CXcbDirectGrab.h"

#include <sys/socket.h>
#include <unistd.h>

#include <limits>

#include "base/shared_pixels.h"
#include "platform/xcb/xcb_render_support.h"
#include "platform/xcb/xcb_support.h"

namespace nl {

using x11::XcbPtr;

namespace {

// Shared pixmaps over a passed memory file came with MIT-SHM 1.2.
constexpr int kShmMajor = 1;
constexpr int kShmMinor = 2;
constexpr std::uint8_t kArgbDepth = 32;

// Whether `c` runs over a local socket, the only kind that carries files to the server.
bool PassesFiles(xcb_connection_t* c) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return getsockname(xcb_get_file_descriptor(c), reinterpret_cast<sockaddr*>(&address),
                       &length) == 0 &&
           address.ss_family == AF_UNIX;
}

}  // namespace

CXcbDirectGrab::CXcbDirectGrab(xcb_connection_t* c, xcb_window_t root) : m_c(c), m_root(root) {}

bool CXcbDirectGrab::Supported() {
    if (m_supported) return *m_supported;
    m_supported = false;
    if (xcb_connection_has_error(m_c) || !PassesFiles(m_c)) return false;
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(m_c, &xcb_shm_id);
    if (!shm || !shm->present) return false;
    XcbPtr<xcb_shm_query_version_reply_t> version(
        xcb_shm_query_version_reply(m_c, xcb_shm_query_version(m_c), nullptr));
    if (!version || !version->shared_pixmaps ||
        version->pixmap_format != XCB_IMAGE_FORMAT_Z_PIXMAP ||
        (version->major_version == kShmMajor && version->minor_version < kShmMinor))
        return false;
    const std::optional<x11::RenderFormats> formats = x11::QueryRenderFormats(m_c);
    if (!formats || formats->argb32 == XCB_NONE) return false;
    m_rootPicture = x11::CreateRootPicture(m_c, m_root, *formats);
    if (m_rootPicture == XCB_NONE) return false;
    m_argb = formats->argb32;
    m_supported = true;
    return true;
}

void CXcbDirectGrab::ForgetFreed() {
    if (m_attached && !SharedPixelBlockKept(m_attached->block)) Detach();
}

bool CXcbDirectGrab::Grab(const Rect& area, GrabPixel* out, std::size_t stride) {
    // A pixmap's rows follow each other: only a buffer as wide as the area takes it whole.
    if (stride != static_cast<std::size_t>(area.Width()) || !Supported()) return false;
    const std::size_t bytes = stride * static_cast<std::size_t>(area.Height()) * sizeof(GrabPixel);
    Attached* attached = AttachedFor(out, bytes);
    if (!attached) return false;
    // A server that refuses a shared pixmap on an attached file will refuse the next too.
    if (!EnsurePicture(*attached, area)) return GiveUp();
    // SRC replaces the pixels; the root's format has no alpha, so every pixel comes out
    // opaque. Checking the request waits until the server has written them.
    XcbPtr<xcb_generic_error_t> error(xcb_request_check(
        m_c, xcb_render_composite_checked(m_c, XCB_RENDER_PICT_OP_SRC, m_rootPicture, XCB_NONE,
                                          attached->picture, static_cast<std::int16_t>(area.left),
                                          static_cast<std::int16_t>(area.top), 0, 0, 0, 0,
                                          static_cast<std::uint16_t>(area.Width()),
                                          static_cast<std::uint16_t>(area.Height()))));
    return !error || GiveUp();
}

bool CXcbDirectGrab::GiveUp() {
    Release(true);
    m_supported = false;
    return false;
}

CXcbDirectGrab::Attached* CXcbDirectGrab::AttachedFor(const GrabPixel* out, std::size_t bytes) {
    const std::optional<SharedPixelBlock> block = FindSharedPixelBlock(out, bytes);
    // The request names the pixmap's start in 32 bits.
    if (!block || block->offset > std::numeric_limits<std::uint32_t>::max()) return nullptr;
    if (m_attached && m_attached->block == block->id) {
        if (m_attached->offset != block->offset) FreePicture(*m_attached);
        m_attached->offset = block->offset;
        return &*m_attached;
    }
    Detach();
    // xcb closes the file it passes: the server gets a duplicate.
    const int fd = dup(block->fd);
    if (fd < 0) return nullptr;
    Attached a;
    a.block = block->id;
    a.offset = block->offset;
    a.segment = xcb_generate_id(m_c);
    XcbPtr<xcb_generic_error_t> error(
        xcb_request_check(m_c, xcb_shm_attach_fd_checked(m_c, a.segment, fd, 0)));
    if (error) {
        // A server on another machine cannot map the file.
        m_supported = false;
        return nullptr;
    }
    m_attached = a;
    return &*m_attached;
}

bool CXcbDirectGrab::EnsurePicture(Attached& a, const Rect& area) {
    if (a.picture != XCB_NONE && a.width == area.Width() && a.height == area.Height()) return true;
    FreePicture(a);
    a.pixmap = xcb_generate_id(m_c);
    XcbPtr<xcb_generic_error_t> error(xcb_request_check(
        m_c, xcb_shm_create_pixmap_checked(m_c, a.pixmap, m_root,
                                           static_cast<std::uint16_t>(area.Width()),
                                           static_cast<std::uint16_t>(area.Height()), kArgbDepth,
                                           a.segment, static_cast<std::uint32_t>(a.offset))));
    if (error) {
        a.pixmap = XCB_NONE;
        return false;
    }
    a.picture = xcb_generate_id(m_c);
    xcb_render_create_picture(m_c, a.picture, a.pixmap, m_argb, 0, nullptr);
    a.width = area.Width();
    a.height = area.Height();
    return true;
}

void CXcbDirectGrab::FreePicture(Attached& a) {
    if (a.picture != XCB_NONE) xcb_render_free_picture(m_c, a.picture);
    if (a.pixmap != XCB_NONE) xcb_free_pixmap(m_c, a.pixmap);
    a.picture = XCB_NONE;
    a.pixmap = XCB_NONE;
    a.width = a.height = 0;
}

void CXcbDirectGrab::Detach() {
    if (!m_attached) return;
    FreePicture(*m_attached);
    xcb_shm_detach(m_c, m_attached->segment);
    xcb_flush(m_c);
    m_attached.reset();
}

void CXcbDirectGrab::Release(bool connected) {
    if (connected) {
        Detach();
        if (m_rootPicture != XCB_NONE) xcb_render_free_picture(m_c, m_rootPicture);
        xcb_flush(m_c);
    }
    m_attached.reset();
    m_rootPicture = XCB_NONE;
    m_supported.reset();
}

}  // namespace nl
