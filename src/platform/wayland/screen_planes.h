#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "platform/IDesktop.h"

namespace nl::wayland {

// How the 32-bit words of a captured buffer hold a pixel: 0x??RRGGBB (the shared-memory
// formats XRGB8888 and ARGB8888) or 0x??BBGGRR (XBGR8888, ABGR8888).
enum class PlaneFormat { kXrgb, kXbgr };
// Whether the buffer's first row is the top of the picture or its bottom.
enum class PlaneRows { kTopDown, kBottomUp };

// One captured picture placed on the virtual screen: a monitor's frame, or the whole screen
// from a screenshot service. Its buffer holds area.Width() x area.Height() pixels.
struct ScreenPlane {
    Rect area;
    const std::uint8_t* data = nullptr;
    std::size_t strideBytes = 0;
    PlaneFormat format = PlaneFormat::kXrgb;
    PlaneRows rows = PlaneRows::kTopDown;
};

// Copies the pixels of `rect` from the planes into `out` (rows `stride` pixels apart) as
// 0xFFRRGGBB; whatever no plane covers comes out black.
void ComposePlanes(std::span<const ScreenPlane> planes, const Rect& rect, GrabPixel* out,
                   std::size_t stride);

// The pixel at `pos` as 0xFFRRGGBB; nothing where no plane covers it.
std::optional<GrabPixel> PlanePixel(std::span<const ScreenPlane> planes, Point pos);

// The pixels of `rect` straight from a plane's buffer, where one top-down 0x??RRGGBB plane
// holds all of `rect`; nothing otherwise.
std::optional<LentPixels> LendFromPlanes(std::span<const ScreenPlane> planes, const Rect& rect);

// A monitor as the compositor describes it: its place and size in the compositor's logical
// coordinates, and the size of its frames in device pixels.
struct OutputLayout {
    Rect logical;
    int pixelWidth = 0;
    int pixelHeight = 0;
};

// Every monitor's rectangle in virtual-screen device pixels. Logical positions are scaled by
// the largest ratio of device to logical pixels among the monitors, so that monitors side by
// side in the compositor stay side by side without overlapping; each rectangle has its
// frame's size.
std::vector<Rect> DeviceRects(std::span<const OutputLayout> outputs);
// The factor DeviceRects scales logical positions by (1 without monitors).
double LayoutScale(std::span<const OutputLayout> outputs);
// A logical rectangle scaled by `scale` about the origin.
Rect LogicalToDevice(const Rect& logical, double scale);
// A logical rectangle (a window's, from the compositor) in virtual-screen device pixels, by
// the monitor that holds its top-left corner (else the first one): at that monitor's place
// and scale, so that a window on a monitor of another scale lands on its pixels.
Rect WindowToDevice(std::span<const OutputLayout> outputs, const Rect& logical);

}  // namespace nl::wayland
