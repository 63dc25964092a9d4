#include "platform/xcb/xwayland_server.h"

#include <string_view>

#include "platform/xcb/xcb_support.h"

namespace nl::x11 {

bool IsXWaylandServer(const IXConnection& connection) {
    xcb_connection_t* c = connection.Connection();
    if (c == nullptr) return false;
    // Newer XWayland servers offer an extension by this name.
    constexpr std::string_view kExtension = "XWAYLAND";
    const XcbPtr<xcb_query_extension_reply_t> extension(xcb_query_extension_reply(
        c, xcb_query_extension(c, kExtension.size(), kExtension.data()), nullptr));
    if (extension && extension->present) return true;
    // Older ones are told by their root window, whose pixels they cannot give out (an X server
    // with a screen of its own always can).
    xcb_generic_error_t* error = nullptr;
    const XcbPtr<xcb_get_image_reply_t> image(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, connection.Root(), 0, 0, 1, 1, ~0u),
        &error));
    const bool unreadable = error != nullptr || !image;
    std::free(error);
    return unreadable;
}

}  // namespace nl::x11
