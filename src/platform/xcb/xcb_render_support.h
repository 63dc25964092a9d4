#pragma once
#include <xcb/render.h>
#include <xcb/xcb.h>

#include <optional>
#include <vector>

namespace nl::x11 {

// The server's RENDER picture formats: one per visual, and the 32-bit format with alpha in
// the top byte and red in the third (XCB_NONE where the server has none).
struct RenderFormats {
    struct VisualFormat {
        xcb_visualid_t visual;
        xcb_render_pictformat_t format;
    };
    std::vector<VisualFormat> visuals;
    xcb_render_pictformat_t argb32 = XCB_NONE;

    xcb_render_pictformat_t FormatOf(xcb_visualid_t visual) const;
};

// The formats of a server with RENDER 0.6 or later (picture transforms and filters); nothing
// where RENDER is missing or older.
std::optional<RenderFormats> QueryRenderFormats(xcb_connection_t* c);

// A picture of `root` that reads the windows on it too; XCB_NONE where the server refuses
// (waits for its answer).
xcb_render_picture_t CreateRootPicture(xcb_connection_t* c, xcb_window_t root,
                                       const RenderFormats& formats);

}  // namespace nl::x11
