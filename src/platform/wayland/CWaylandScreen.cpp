#include "platform/wayland/CWaylandScreen.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/CShmBuffer.h"
#include "wlr-screencopy-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"

namespace nl::wayland {
namespace {

// The protocol versions this client speaks.
constexpr std::uint32_t kOutputVersion = 3;
constexpr std::uint32_t kXdgOutputVersion = 3;
constexpr std::uint32_t kScreencopyVersion = 3;
constexpr std::uint32_t kShmVersion = 1;
// The screen copy version that announces the end of the buffer offers.
constexpr std::uint32_t kBufferDoneVersion = 3;

std::optional<PlaneFormat> FormatOf(std::uint32_t shmFormat) {
    switch (shmFormat) {
        case WL_SHM_FORMAT_XRGB8888:
        case WL_SHM_FORMAT_ARGB8888:
            return PlaneFormat::kXrgb;
        case WL_SHM_FORMAT_XBGR8888:
        case WL_SHM_FORMAT_ABGR8888:
            return PlaneFormat::kXbgr;
        default:
            return std::nullopt;
    }
}

}  // namespace

struct CWaylandScreen::Globals {
    wl_registry* registry = nullptr;
    wl_shm* shm = nullptr;
    zxdg_output_manager_v1* xdgOutputs = nullptr;
    zwlr_screencopy_manager_v1* screencopy = nullptr;
    std::uint32_t screencopyVersion = 0;
};

struct CWaylandScreen::Output {
    bool* layoutChanged = nullptr;  // the screen's flag, set when the compositor has told more
    wl_output* output = nullptr;
    zxdg_output_v1* xdg = nullptr;
    std::uint32_t name = 0;
    Point position;  // wl_output's own position, used without xdg-output
    int modeWidth = 0, modeHeight = 0, scale = 1;
    std::int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
    bool hasLogical = false;
    bool removed = false;  // the compositor took the monitor away
    Rect logical;          // from xdg-output
    Rect device;
    CShmBuffer buffer;
    bool captured = false;
    PlaneRows rows = PlaneRows::kTopDown;

    ~Output() {
        buffer.Release();
        if (xdg) zxdg_output_v1_destroy(xdg);
        if (output) wl_output_destroy(output);
    }
    // The output's size in device pixels: its mode turned as the output is.
    void PixelSize(int& width, int& height) const {
        const bool turned = (transform & 1) != 0;
        width = turned ? modeHeight : modeWidth;
        height = turned ? modeWidth : modeHeight;
    }
    Rect Logical() const {
        if (hasLogical) return logical;
        int width = 0, height = 0;
        PixelSize(width, height);
        const int s = std::max(scale, 1);
        return {position.x, position.y, position.x + width / s, position.y + height / s};
    }
};

// One monitor's capture under way.
struct CWaylandScreen::Frame {
    Output* output = nullptr;
    zwlr_screencopy_frame_v1* frame = nullptr;
    wl_shm* shm = nullptr;
    bool waitForDone = false;
    bool offered = false;
    std::uint32_t format = 0;
    int width = 0, height = 0, stride = 0;
    std::uint32_t flags = 0;
    enum class State { kWaiting, kCopying, kReady, kFailed } state = State::kWaiting;
    std::string error;

    void StartCopy() {
        if (!offered || !FormatOf(format)) {
            Fail("the compositor offers no screen copy in a known pixel format");
            return;
        }
        if (!output->buffer.Fit(shm, format, width, height, stride)) {
            Fail("no shared memory for the screen copy");
            return;
        }
        zwlr_screencopy_frame_v1_copy(frame, output->buffer.Buffer());
        state = State::kCopying;
    }
    void Fail(std::string why) {
        state = State::kFailed;
        error = std::move(why);
    }
};

namespace {

const wl_output_listener kOutputListener = {
    .geometry =
        [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
           std::int32_t, const char*, const char*, std::int32_t transform) {
            auto* out = static_cast<CWaylandScreen::Output*>(data);
            out->position = {x, y};
            out->transform = transform;
        },
    .mode =
        [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
           std::int32_t) {
            if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
            auto* out = static_cast<CWaylandScreen::Output*>(data);
            out->modeWidth = width;
            out->modeHeight = height;
        },
    .done = [](void* data,
               wl_output*) { *static_cast<CWaylandScreen::Output*>(data)->layoutChanged = true; },
    .scale =
        [](void* data, wl_output*, std::int32_t factor) {
            static_cast<CWaylandScreen::Output*>(data)->scale = factor;
        },
    .name = [](void*, wl_output*, const char*) {},
    .description = [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener kXdgOutputListener = {
    .logical_position =
        [](void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
            auto* out = static_cast<CWaylandScreen::Output*>(data);
            out->logical = {x, y, x + out->logical.Width(), y + out->logical.Height()};
            out->hasLogical = true;
        },
    .logical_size =
        [](void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
            auto* out = static_cast<CWaylandScreen::Output*>(data);
            out->logical.right = out->logical.left + width;
            out->logical.bottom = out->logical.top + height;
            out->hasLogical = true;
        },
    .done =
        [](void* data, zxdg_output_v1*) {
            *static_cast<CWaylandScreen::Output*>(data)->layoutChanged = true;
        },
    .name = [](void*, zxdg_output_v1*, const char*) {},
    .description = [](void*, zxdg_output_v1*, const char*) {},
};

const zwlr_screencopy_frame_v1_listener kFrameListener = {
    .buffer =
        [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
           std::uint32_t height, std::uint32_t stride) {
            auto* f = static_cast<CWaylandScreen::Frame*>(data);
            // The first offer in a known format wins.
            if (f->offered && FormatOf(f->format)) return;
            f->offered = true;
            f->format = format;
            f->width = static_cast<int>(width);
            f->height = static_cast<int>(height);
            f->stride = static_cast<int>(stride);
            if (!f->waitForDone) f->StartCopy();
        },
    .flags = [](void* data, zwlr_screencopy_frame_v1*,
                std::uint32_t flags) { static_cast<CWaylandScreen::Frame*>(data)->flags = flags; },
    .ready =
        [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {
            static_cast<CWaylandScreen::Frame*>(data)->state = CWaylandScreen::Frame::State::kReady;
        },
    .failed =
        [](void* data, zwlr_screencopy_frame_v1*) {
            static_cast<CWaylandScreen::Frame*>(data)->Fail(
                "the compositor could not copy the screen");
        },
    .damage = [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
                 std::uint32_t) {},
    .linux_dmabuf = [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t,
                       std::uint32_t) {},
    .buffer_done =
        [](void* data, zwlr_screencopy_frame_v1*) {
            auto* f = static_cast<CWaylandScreen::Frame*>(data);
            if (f->state == CWaylandScreen::Frame::State::kWaiting) f->StartCopy();
        },
};

}  // namespace

CWaylandScreen::CWaylandScreen() : m_globals(std::make_unique<Globals>()) {}

CWaylandScreen::~CWaylandScreen() {
    m_outputs.clear();
    if (m_globals->screencopy) zwlr_screencopy_manager_v1_destroy(m_globals->screencopy);
    if (m_globals->xdgOutputs) zxdg_output_manager_v1_destroy(m_globals->xdgOutputs);
    if (m_globals->shm) wl_shm_destroy(m_globals->shm);
    if (m_globals->registry) wl_registry_destroy(m_globals->registry);
    if (m_display) wl_display_disconnect(m_display);
}

std::unique_ptr<CWaylandScreen> CWaylandScreen::Connect(std::string* error) {
    std::unique_ptr<CWaylandScreen> screen(new CWaylandScreen());
    screen->m_display = wl_display_connect(nullptr);
    if (!screen->m_display) {
        if (error) *error = "cannot connect to the Wayland compositor (WAYLAND_DISPLAY)";
        return nullptr;
    }
    static const wl_registry_listener registryListener = {
        .global =
            [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
                auto* self = static_cast<CWaylandScreen*>(data);
                Globals& g = *self->m_globals;
                const auto bind = [&](const wl_interface* iface, std::uint32_t most) {
                    return wl_registry_bind(registry, name, iface, std::min(version, most));
                };
                if (std::strcmp(interface, wl_output_interface.name) == 0) {
                    auto out = std::make_unique<Output>();
                    out->layoutChanged = &self->m_layoutChanged;
                    out->name = name;
                    out->output =
                        static_cast<wl_output*>(bind(&wl_output_interface, kOutputVersion));
                    wl_output_add_listener(out->output, &kOutputListener, out.get());
                    self->m_outputs.push_back(std::move(out));
                    self->AddXdgOutputs();
                } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
                    g.shm = static_cast<wl_shm*>(bind(&wl_shm_interface, kShmVersion));
                } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
                    g.xdgOutputs = static_cast<zxdg_output_manager_v1*>(
                        bind(&zxdg_output_manager_v1_interface, kXdgOutputVersion));
                    self->AddXdgOutputs();
                } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
                    g.screencopyVersion = std::min(version, kScreencopyVersion);
                    g.screencopy = static_cast<zwlr_screencopy_manager_v1*>(
                        bind(&zwlr_screencopy_manager_v1_interface, kScreencopyVersion));
                }
            },
        .global_remove =
            [](void* data, wl_registry*, std::uint32_t name) {
                // Dropped at the next layout update: a capture under way may still hold it.
                auto* self = static_cast<CWaylandScreen*>(data);
                for (auto& out : self->m_outputs)
                    if (out->name == name) out->removed = true;
                self->m_layoutChanged = true;
            },
    };
    screen->m_globals->registry = wl_display_get_registry(screen->m_display);
    wl_registry_add_listener(screen->m_globals->registry, &registryListener, screen.get());
    if (!screen->Roundtrip()) {
        if (error) *error = "the Wayland compositor closed the connection";
        return nullptr;
    }
    screen->AddXdgOutputs();
    // The outputs' own events, then xdg-output's.
    if (!screen->Roundtrip() || !screen->Roundtrip()) {
        if (error) *error = "the Wayland compositor closed the connection";
        return nullptr;
    }
    screen->UpdateLayout();
    if (screen->m_outputs.empty()) {
        if (error) *error = "the Wayland compositor shows no monitor";
        return nullptr;
    }
    return screen;
}

bool CWaylandScreen::Roundtrip() {
    return wl_display_roundtrip(m_display) >= 0;
}

void CWaylandScreen::AddXdgOutputs() {
    if (!m_globals->xdgOutputs) return;
    for (auto& out : m_outputs) {
        if (out->xdg) continue;
        out->xdg = zxdg_output_manager_v1_get_xdg_output(m_globals->xdgOutputs, out->output);
        zxdg_output_v1_add_listener(out->xdg, &kXdgOutputListener, out.get());
    }
}

void CWaylandScreen::UpdateLayout() {
    m_layoutChanged = false;
    std::erase_if(m_outputs, [](const auto& out) { return out->removed; });
    std::vector<OutputLayout> layouts;
    for (const auto& out : m_outputs) {
        OutputLayout layout{out->Logical()};
        out->PixelSize(layout.pixelWidth, layout.pixelHeight);
        layouts.push_back(layout);
    }
    const std::vector<Rect> rects = DeviceRects(layouts);
    for (std::size_t i = 0; i < rects.size(); ++i) m_outputs[i]->device = rects[i];
    m_scale = LayoutScale(layouts);
    m_layouts = std::move(layouts);
}

Rect CWaylandScreen::WindowToDevice(const Rect& logical) const {
    return wayland::WindowToDevice(m_layouts, logical);
}

bool CWaylandScreen::CanCapture() const {
    return m_globals->screencopy && m_globals->shm;
}

std::vector<Rect> CWaylandScreen::MonitorRects() const {
    std::vector<Rect> rects;
    for (const auto& out : m_outputs) rects.push_back(out->device);
    return rects;
}

std::vector<double> CWaylandScreen::MonitorScales() const {
    std::vector<double> scales;
    for (const OutputLayout& layout : m_layouts) {
        const int logicalWidth = layout.logical.Width();
        scales.push_back(logicalWidth > 0 && layout.pixelWidth > 0
                             ? static_cast<double>(layout.pixelWidth) / logicalWidth
                             : 1.0);
    }
    return scales;
}

bool CWaylandScreen::Capture(const Rect& area, std::string* error) {
    if (!CanCapture()) {
        if (error) *error = "the Wayland compositor does not let programs copy the screen";
        return false;
    }
    std::vector<Frame> frames;
    frames.reserve(m_outputs.size());
    for (const auto& out : m_outputs) {
        if (Intersect(out->device, area).IsEmpty()) continue;
        Frame& f = frames.emplace_back();
        f.output = out.get();
        f.shm = m_globals->shm;
        f.waitForDone = m_globals->screencopyVersion >= kBufferDoneVersion;
        // The cursor stays out of the picture (a software cursor may still show).
        f.frame = zwlr_screencopy_manager_v1_capture_output(m_globals->screencopy, 0, out->output);
    }
    // Listeners are added once the vector no longer moves.
    for (Frame& f : frames) zwlr_screencopy_frame_v1_add_listener(f.frame, &kFrameListener, &f);
    const auto pending = [&] {
        return std::any_of(frames.begin(), frames.end(), [](const Frame& f) {
            return f.state == Frame::State::kWaiting || f.state == Frame::State::kCopying;
        });
    };
    bool connected = true;
    while (connected && pending()) connected = wl_display_dispatch(m_display) >= 0;
    std::string failure =
        connected ? std::string() : "the Wayland compositor closed the connection";
    for (Frame& f : frames) {
        zwlr_screencopy_frame_v1_destroy(f.frame);
        f.output->captured = f.state == Frame::State::kReady;
        f.output->rows = (f.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0
                             ? PlaneRows::kBottomUp
                             : PlaneRows::kTopDown;
        if (f.state == Frame::State::kFailed && failure.empty()) failure = f.error;
    }
    // Monitors added, moved, changed or removed meanwhile count from the next read on.
    if (m_layoutChanged) UpdateLayout();
    if (!failure.empty()) {
        if (error) *error = failure;
        return false;
    }
    return true;
}

std::vector<ScreenPlane> CWaylandScreen::Planes() const {
    std::vector<ScreenPlane> planes;
    for (const auto& out : m_outputs) {
        if (!out->captured) continue;
        const CShmBuffer& b = out->buffer;
        planes.push_back({{out->device.left, out->device.top, out->device.left + b.Width(),
                           out->device.top + b.Height()},
                          b.Data(),
                          static_cast<std::size_t>(b.Stride()),
                          *FormatOf(b.Format()),
                          out->rows});
    }
    return planes;
}

}  // namespace nl::wayland
