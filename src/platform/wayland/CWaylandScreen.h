#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/wayland/screen_planes.h"

struct wl_display;

namespace nl::wayland {

// The program's own connection to the Wayland compositor: the monitors (outputs) with their
// logical places, device sizes and scales, and their pictures through the wlroots screen
// copy protocol where the compositor offers it. Each monitor keeps one shared-memory buffer
// that every capture reuses.
class CWaylandScreen {
public:
    // Connects to the compositor that WAYLAND_DISPLAY names. Nothing, with the reason in
    // `error`, when it cannot be reached or shows no monitor.
    static std::unique_ptr<CWaylandScreen> Connect(std::string* error);
    ~CWaylandScreen();
    CWaylandScreen(const CWaylandScreen&) = delete;
    CWaylandScreen& operator=(const CWaylandScreen&) = delete;

    // Whether the compositor lets clients copy the screen.
    bool CanCapture() const;
    // Every monitor's rectangle in virtual-screen device pixels, in the compositor's order.
    std::vector<Rect> MonitorRects() const;
    // Every monitor's scale, in the same order: its device pixels per logical pixel (the
    // fractional scale where the compositor uses one), 1 where its size is not known.
    std::vector<double> MonitorScales() const;
    // The factor from the compositor's logical coordinates to device pixels.
    double Scale() const { return m_scale; }
    // A window's logical rectangle in virtual-screen device pixels.
    Rect WindowToDevice(const Rect& logical) const;

    // Captures every monitor that meets `area` (device pixels) into its buffer; the others
    // keep what they had. False, with the reason in `error`, when a capture fails.
    bool Capture(const Rect& area, std::string* error);
    // The monitors' last captures as planes on the virtual screen (valid until the next
    // capture); monitors never captured are left out.
    std::vector<ScreenPlane> Planes() const;

    // A monitor and one capture of it, as the protocol's event handlers fill them in.
    struct Output;
    struct Frame;

private:
    struct Globals;
    CWaylandScreen();
    bool Roundtrip();
    // Asks xdg-output for the logical place of every monitor that has none yet.
    void AddXdgOutputs();
    void UpdateLayout();

    wl_display* m_display = nullptr;
    std::unique_ptr<Globals> m_globals;
    std::vector<std::unique_ptr<Output>> m_outputs;
    std::vector<OutputLayout> m_layouts;
    double m_scale = 1.0;
    bool m_layoutChanged = false;
};

}  // namespace nl::wayland
