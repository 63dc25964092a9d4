#include "platform/wayland/screen_planes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace nl::wayland {
namespace {

constexpr GrabPixel kOpaque = 0xFF000000;
constexpr GrabPixel kBlack = kOpaque;

// The first row of the plane's picture row `y` (0 at the picture's top) in its buffer.
const std::uint32_t* PlaneRow(const ScreenPlane& plane, int y) {
    const int bufferRow = plane.rows == PlaneRows::kTopDown ? y : plane.area.Height() - 1 - y;
    return reinterpret_cast<const std::uint32_t*>(plane.data + static_cast<std::size_t>(bufferRow) *
                                                                   plane.strideBytes);
}

GrabPixel ToGrabPixel(std::uint32_t word, PlaneFormat format) {
    if (format == PlaneFormat::kXrgb) return word | kOpaque;
    return kOpaque | ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF);
}

}  // namespace

void ComposePlanes(std::span<const ScreenPlane> planes, const Rect& rect, GrabPixel* out,
                   std::size_t stride) {
    for (int y = 0; y < rect.Height(); ++y)
        std::fill_n(out + static_cast<std::size_t>(y) * stride, rect.Width(), kBlack);
    for (const ScreenPlane& plane : planes) {
        const Rect part = Intersect(plane.area, rect);
        if (part.IsEmpty() || plane.data == nullptr) continue;
        const int width = part.Width();
        for (int y = part.top; y < part.bottom; ++y) {
            const std::uint32_t* from =
                PlaneRow(plane, y - plane.area.top) + (part.left - plane.area.left);
            GrabPixel* to =
                out + static_cast<std::size_t>(y - rect.top) * stride + (part.left - rect.left);
            if (plane.format == PlaneFormat::kXrgb) {
                std::memcpy(to, from, static_cast<std::size_t>(width) * sizeof(GrabPixel));
                for (int x = 0; x < width; ++x) to[x] |= kOpaque;
            } else {
                for (int x = 0; x < width; ++x) to[x] = ToGrabPixel(from[x], plane.format);
            }
        }
    }
}

std::optional<GrabPixel> PlanePixel(std::span<const ScreenPlane> planes, Point pos) {
    for (const ScreenPlane& plane : planes) {
        if (!plane.area.Contains(pos) || plane.data == nullptr) continue;
        const std::uint32_t word = PlaneRow(plane, pos.y - plane.area.top)[pos.x - plane.area.left];
        return ToGrabPixel(word, plane.format);
    }
    return std::nullopt;
}

std::optional<LentPixels> LendFromPlanes(std::span<const ScreenPlane> planes, const Rect& rect) {
    if (rect.IsEmpty()) return std::nullopt;
    for (const ScreenPlane& plane : planes) {
        if (Intersect(plane.area, rect) != rect) continue;
        if (plane.data == nullptr || plane.format != PlaneFormat::kXrgb ||
            plane.rows != PlaneRows::kTopDown || plane.strideBytes % sizeof(GrabPixel) != 0)
            return std::nullopt;
        const std::size_t stride = plane.strideBytes / sizeof(GrabPixel);
        const auto* base = reinterpret_cast<const GrabPixel*>(plane.data);
        return LentPixels{base + static_cast<std::size_t>(rect.top - plane.area.top) * stride +
                              (rect.left - plane.area.left),
                          stride};
    }
    return std::nullopt;
}

double LayoutScale(std::span<const OutputLayout> outputs) {
    double scale = 1.0;
    bool first = true;
    for (const OutputLayout& output : outputs) {
        if (output.logical.Width() <= 0) continue;
        const double ratio = static_cast<double>(output.pixelWidth) / output.logical.Width();
        scale = first ? ratio : std::max(scale, ratio);
        first = false;
    }
    return scale > 0 ? scale : 1.0;
}

Rect LogicalToDevice(const Rect& logical, double scale) {
    const auto at = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
    return {at(logical.left), at(logical.top), at(logical.right), at(logical.bottom)};
}

std::vector<Rect> DeviceRects(std::span<const OutputLayout> outputs) {
    const double scale = LayoutScale(outputs);
    std::vector<Rect> rects;
    rects.reserve(outputs.size());
    for (const OutputLayout& output : outputs) {
        const Rect origin = LogicalToDevice(output.logical, scale);
        rects.push_back({origin.left, origin.top, origin.left + output.pixelWidth,
                         origin.top + output.pixelHeight});
    }
    return rects;
}

Rect WindowToDevice(std::span<const OutputLayout> outputs, const Rect& logical) {
    if (outputs.empty()) return logical;
    std::size_t index = 0;
    for (std::size_t i = 0; i < outputs.size(); ++i)
        if (outputs[i].logical.Contains(logical.TopLeft())) {
            index = i;
            break;
        }
    const OutputLayout& output = outputs[index];
    const Rect device = DeviceRects(outputs)[index];
    const double scale = output.logical.Width() > 0
                             ? static_cast<double>(output.pixelWidth) / output.logical.Width()
                             : 1.0;
    const auto at = [scale](int v, int from, int to) {
        return to + static_cast<int>(std::lround((v - from) * scale));
    };
    return {at(logical.left, output.logical.left, device.left),
            at(logical.top, output.logical.top, device.top),
            at(logical.right, output.logical.left, device.left),
            at(logical.bottom, output.logical.top, device.top)};
}

}  // namespace nl::wayland
