#include "platform/xcb/xcb_render_support.h"

#include <cstdint>

#include "platform/xcb/xcb_support.h"

namespace nl::x11 {

namespace {

// RENDER 0.6 brought picture transforms and filters.
constexpr std::uint32_t kRenderMajor = 0;
constexpr std::uint32_t kRenderMinor = 6;
constexpr int kArgbDepth = 32;
constexpr std::uint16_t kByteMask = 0xFF;
constexpr std::uint16_t kAlphaShift = 24;
constexpr std::uint16_t kRedShift = 16;
constexpr std::uint16_t kGreenShift = 8;

bool IsArgb32(const xcb_render_pictforminfo_t& f) {
    return f.type == XCB_RENDER_PICT_TYPE_DIRECT && f.depth == kArgbDepth &&
           f.direct.alpha_mask == kByteMask && f.direct.alpha_shift == kAlphaShift &&
           f.direct.red_mask == kByteMask && f.direct.red_shift == kRedShift &&
           f.direct.green_mask == kByteMask && f.direct.green_shift == kGreenShift &&
           f.direct.blue_mask == kByteMask && f.direct.blue_shift == 0;
}

}  // namespace

xcb_render_pictformat_t RenderFormats::FormatOf(xcb_visualid_t visual) const {
    for (const VisualFormat& f : visuals)
        if (f.visual == visual) return f.format;
    return XCB_NONE;
}

std::optional<RenderFormats> QueryRenderFormats(xcb_connection_t* c) {
    if (!c) return std::nullopt;
    const xcb_query_extension_reply_t* render = xcb_get_extension_data(c, &xcb_render_id);
    if (!render || !render->present) return std::nullopt;
    const auto versionCookie = xcb_render_query_version(c, kRenderMajor, kRenderMinor);
    const auto formatsCookie = xcb_render_query_pict_formats(c);
    XcbPtr<xcb_render_query_version_reply_t> version(
        xcb_render_query_version_reply(c, versionCookie, nullptr));
    XcbPtr<xcb_render_query_pict_formats_reply_t> reply(
        xcb_render_query_pict_formats_reply(c, formatsCookie, nullptr));
    if (!version || !reply ||
        (version->major_version == kRenderMajor && version->minor_version < kRenderMinor))
        return std::nullopt;
    RenderFormats formats;
    for (auto f = xcb_render_query_pict_formats_formats_iterator(reply.get()); f.rem;
         xcb_render_pictforminfo_next(&f))
        if (formats.argb32 == XCB_NONE && IsArgb32(*f.data)) formats.argb32 = f.data->id;
    for (auto screen = xcb_render_query_pict_formats_screens_iterator(reply.get()); screen.rem;
         xcb_render_pictscreen_next(&screen))
        for (auto depth = xcb_render_pictscreen_depths_iterator(screen.data); depth.rem;
             xcb_render_pictdepth_next(&depth))
            for (auto v = xcb_render_pictdepth_visuals_iterator(depth.data); v.rem;
                 xcb_render_pictvisual_next(&v))
                formats.visuals.push_back({v.data->visual, v.data->format});
    return formats;
}

xcb_render_picture_t CreateRootPicture(xcb_connection_t* c, xcb_window_t root,
                                       const RenderFormats& formats) {
    const xcb_screen_t* screen = nullptr;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
        if (it.data->root == root) screen = it.data;
    if (!screen) return XCB_NONE;
    const xcb_render_pictformat_t format = formats.FormatOf(screen->root_visual);
    if (format == XCB_NONE) return XCB_NONE;
    const xcb_render_picture_t picture = xcb_generate_id(c);
    const std::uint32_t include = XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS;
    const auto made = xcb_render_create_picture_checked(c, picture, root, format,
                                                        XCB_RENDER_CP_SUBWINDOW_MODE, &include);
    if (XcbPtr<xcb_generic_error_t> error{xcb_request_check(c, made)}) return XCB_NONE;
    return picture;
}

}  // namespace nl::x11
