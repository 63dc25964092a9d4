#include "ui/zoom_image.h"

#include <vector>

#include "platform/IDesktop.h"
#include "ui/zoom_geometry.h"

namespace nl {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

}  // namespace

BitmapImage RenderZoomImage(const IDesktop& desktop, Size size, Point centre, int zoom,
                            ZoomMark mark) {
    const Rect target{0, 0, size.cx, size.cy};
    const ZoomLayout layout = ComputeZoomLayout(target, centre, zoom, desktop.VirtualScreen());
    if (!layout.drawn || target.IsEmpty()) return {};
    const Rect& src = layout.clipped;
    const auto srcWidth = static_cast<std::size_t>(src.Width());
    std::vector<GrabPixel> grab(srcWidth * static_cast<std::size_t>(src.Height()));
    if (!desktop.Grab(src, grab.data(), srcWidth)) return {};

    BitmapImage image{size.cx, size.cy, {}};
    image.pixels.assign(static_cast<std::size_t>(size.cx) * size.cy, kZoomDesktopColor);
    const Rect& dest = layout.dest;
    // Each destination pixel shows the source pixel its centre falls on, as an unsmoothed
    // scaled drawing does.
    std::vector<int> columns(static_cast<std::size_t>(dest.Width()));
    for (int x = 0; x < dest.Width(); ++x)
        columns[static_cast<std::size_t>(x)] =
            static_cast<int>((2LL * x + 1) * src.Width() / (2LL * dest.Width()));
    for (int y = dest.top; y < dest.bottom; ++y) {
        const auto sy = static_cast<std::size_t>((2LL * (y - dest.top) + 1) * src.Height() /
                                                 (2LL * dest.Height()));
        const GrabPixel* row = grab.data() + sy * srcWidth;
        std::uint32_t* out =
            image.pixels.data() + static_cast<std::size_t>(y) * size.cx + dest.left;
        for (int x = 0; x < dest.Width(); ++x) out[x] = row[columns[static_cast<std::size_t>(x)]];
    }
    if (mark == ZoomMark::kShown) {
        const Rect block = Intersect(CentreBlock(target, zoom), target);
        for (int y = block.top; y < block.bottom; ++y)
            for (int x = block.left; x < block.right; ++x)
                image.pixels[static_cast<std::size_t>(y) * size.cx + x] ^= kColourBits;
    }
    return image;
}

}  // namespace nl
