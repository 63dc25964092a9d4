#pragma once
#include <xcb/render.h>
#include <xcb/xcb.h>

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/IServerZoom.h"
#include "platform/xcb/IXConnection.h"
#include "platform/xcb/xcb_render_support.h"

namespace nl {

// IServerZoom through the X server's RENDER extension: the root window, with the windows on
// it, is composited into the target window through a scaling transform with the "nearest"
// filter; the fill and the inverted block are plain requests on the same connection. Nothing
// waits for the server except the first frame into a window (which checks the window and
// learns its visual). Unavailable where the server has no RENDER 0.6 (transforms and filters).
class CRenderZoom final : public IServerZoom {
public:
    // At most this many target windows are known at once; one more starts over.
    static constexpr std::size_t kMaxTargets = 8;

    explicit CRenderZoom(const x11::IXConnection& connection);
    ~CRenderZoom() override;
    CRenderZoom(const CRenderZoom&) = delete;
    CRenderZoom& operator=(const CRenderZoom&) = delete;

    // Whether frames can be drawn on this server (asks it once).
    bool Available();
    bool Draw(const Frame& frame) override;

private:
    struct Target {
        xcb_render_picture_t picture = XCB_NONE;
        xcb_gcontext_t invert = XCB_NONE;
    };
    bool Open();
    // The window's picture and inverting context, made on its first frame.
    std::optional<Target> TargetOf(xcb_window_t window);
    void Release();

    const x11::IXConnection& m_connection;
    xcb_connection_t* m_c = nullptr;  // the connection the pictures below were made on
    std::optional<bool> m_available;
    xcb_render_picture_t m_root = XCB_NONE;
    x11::RenderFormats m_formats;
    std::unordered_map<xcb_window_t, Target> m_targets;
};

}  // namespace nl
