#include "platform/x11/CRenderZoom.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/xcb/xcb_render_support.h"
#include "platform/xcb/xcb_support.h"

namespace nl {

using x11::XcbPtr;

namespace {

constexpr char kNearest[] = "nearest";
// 16.16 fixed point.
constexpr int kFixedShift = 16;
constexpr std::uint32_t kGxInvert = 0xA;  // the destination's bits inverted
constexpr std::uint16_t kChannelMax = 0xFFFF;
constexpr int kByte = 8;
constexpr std::uint32_t kByteMask = 0xFF;

xcb_render_fixed_t Fixed(std::int64_t whole) {
    return static_cast<xcb_render_fixed_t>(whole << kFixedShift);
}

bool FitsCoordinates(const Rect& r) {
    constexpr int kMin = std::numeric_limits<std::int16_t>::min();
    constexpr int kMax = std::numeric_limits<std::int16_t>::max();
    return r.left >= kMin && r.top >= kMin && r.right <= kMax && r.bottom <= kMax;
}

xcb_rectangle_t XRect(const Rect& r) {
    return {static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top),
            static_cast<std::uint16_t>(r.Width()), static_cast<std::uint16_t>(r.Height())};
}

// 0xRRGGBB as RENDER's 16-bit channels, opaque.
xcb_render_color_t RenderColor(std::uint32_t rgb) {
    const auto channel = [rgb](int shift) {
        return static_cast<std::uint16_t>(((rgb >> shift) & kByteMask) * (kChannelMax / kByteMask));
    };
    return {channel(2 * kByte), channel(kByte), channel(0), kChannelMax};
}

}  // namespace

CRenderZoom::CRenderZoom(const x11::IXConnection& connection) : m_connection(connection) {}

CRenderZoom::~CRenderZoom() {
    Release();
}

void CRenderZoom::Release() {
    // Only on the connection they were made on, while it is still there.
    if (m_c && m_c == m_connection.Connection()) {
        for (const auto& [window, target] : m_targets) {
            xcb_render_free_picture(m_c, target.picture);
            xcb_free_gc(m_c, target.invert);
        }
        if (m_root != XCB_NONE) xcb_render_free_picture(m_c, m_root);
        xcb_flush(m_c);
    }
    m_targets.clear();
    m_formats = {};
    m_root = XCB_NONE;
    m_c = nullptr;
}

bool CRenderZoom::Available() {
    xcb_connection_t* c = m_connection.Connection();
    if (m_available && c == m_c) return *m_available;
    // A new connection (or the first): everything made on the old one is gone with it.
    Release();
    m_c = c;
    m_available = c != nullptr && Open();
    return *m_available;
}

bool CRenderZoom::Open() {
    std::optional<x11::RenderFormats> formats = x11::QueryRenderFormats(m_c);
    if (!formats) return false;
    m_formats = std::move(*formats);
    // The root with every window drawn on it, read through a scaling transform.
    m_root = x11::CreateRootPicture(m_c, m_connection.Root(), m_formats);
    if (m_root == XCB_NONE) return false;
    xcb_render_set_picture_filter(m_c, m_root, static_cast<std::uint16_t>(std::strlen(kNearest)),
                                  kNearest, 0, nullptr);
    return true;
}

std::optional<CRenderZoom::Target> CRenderZoom::TargetOf(xcb_window_t window) {
    if (const auto it = m_targets.find(window); it != m_targets.end()) return it->second;
    // A new window: it must exist (it is made on another connection) and tell its visual.
    XcbPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr));
    if (!attributes) return std::nullopt;
    const xcb_render_pictformat_t format = m_formats.FormatOf(attributes->visual);
    if (format == XCB_NONE) return std::nullopt;
    if (m_targets.size() >= kMaxTargets) {
        // Windows that are gone answer with errors the connection's reader passes over.
        for (const auto& [old, target] : m_targets) {
            xcb_render_free_picture(m_c, target.picture);
            xcb_free_gc(m_c, target.invert);
        }
        m_targets.clear();
    }
    // A native child window is no application window: without the class and titles the
    // toolkit puts on every native window, tools that list a program's windows by class or
    // title (xdotool, window switchers) do not count it.
    for (const char* name : {"WM_CLASS", "WM_NAME", "_NET_WM_NAME", "WM_ICON_NAME",
                             "_NET_WM_ICON_NAME", "_NET_WM_PID", "WM_CLIENT_MACHINE"})
        xcb_delete_property(m_c, window, x11::Atom(m_c, name));
    Target target;
    target.picture = xcb_generate_id(m_c);
    xcb_render_create_picture(m_c, target.picture, window, format, 0, nullptr);
    target.invert = xcb_generate_id(m_c);
    xcb_create_gc(m_c, target.invert, window, XCB_GC_FUNCTION, &kGxInvert);
    m_targets[window] = target;
    return target;
}

bool CRenderZoom::Draw(const Frame& frame) {
    const auto window = static_cast<xcb_window_t>(frame.window);
    if (window == XCB_NONE || !Available()) return false;
    if (frame.dest.IsEmpty() || frame.source.IsEmpty() || !FitsCoordinates(frame.dest) ||
        !FitsCoordinates(frame.source))
        return false;
    const std::optional<Target> target = TargetOf(window);
    if (!target) return false;
    // Destination pixel (x, y) of the composite reads the source at the transform of
    // (x + 0.5, y + 0.5): the scale fits the source to the destination, the translation puts
    // its corner at the source area's.
    const std::int64_t sx =
        (std::int64_t{frame.source.Width()} << kFixedShift) / frame.dest.Width();
    const std::int64_t sy =
        (std::int64_t{frame.source.Height()} << kFixedShift) / frame.dest.Height();
    const xcb_render_transform_t transform{static_cast<xcb_render_fixed_t>(sx),
                                           0,
                                           Fixed(frame.source.left),
                                           0,
                                           static_cast<xcb_render_fixed_t>(sy),
                                           Fixed(frame.source.top),
                                           0,
                                           0,
                                           Fixed(1)};
    xcb_render_set_picture_transform(m_c, m_root, transform);
    xcb_render_composite(m_c, XCB_RENDER_PICT_OP_SRC, m_root, XCB_NONE, target->picture, 0, 0, 0, 0,
                         static_cast<std::int16_t>(frame.dest.left),
                         static_cast<std::int16_t>(frame.dest.top),
                         static_cast<std::uint16_t>(frame.dest.Width()),
                         static_cast<std::uint16_t>(frame.dest.Height()));
    std::vector<xcb_rectangle_t> fill;
    for (const Rect& r : frame.fill)
        if (!r.IsEmpty() && FitsCoordinates(r)) fill.push_back(XRect(r));
    if (!fill.empty())
        xcb_render_fill_rectangles(m_c, XCB_RENDER_PICT_OP_SRC, target->picture,
                                   RenderColor(frame.fillColor),
                                   static_cast<std::uint32_t>(fill.size()), fill.data());
    if (frame.invert && !frame.invert->IsEmpty() && FitsCoordinates(*frame.invert)) {
        const xcb_rectangle_t block = XRect(*frame.invert);
        xcb_poly_fill_rectangle(m_c, window, target->invert, 1, &block);
    }
    for (const Frame::Paint& paint : frame.over) {
        std::vector<xcb_rectangle_t> rects;
        for (const Rect& r : paint.rects)
            if (!r.IsEmpty() && FitsCoordinates(r)) rects.push_back(XRect(r));
        if (!rects.empty())
            xcb_render_fill_rectangles(m_c, XCB_RENDER_PICT_OP_SRC, target->picture,
                                       RenderColor(paint.color),
                                       static_cast<std::uint32_t>(rects.size()), rects.data());
    }
    xcb_flush(m_c);
    return true;
}

}  // namespace nl
