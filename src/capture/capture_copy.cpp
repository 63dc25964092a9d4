#include "capture/capture_copy.h"

#include <algorithm>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "platform/IDesktop.h"

namespace nl {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr int kAlphaShift = 24;
constexpr std::uint32_t kChannel = 0xFF;

// A color as an image pixel: 0xFFRRGGBB.
std::uint32_t ToPixel(COLORREF color) {
    return kOpaque | (static_cast<std::uint32_t>(RgbRed(color)) << 16) |
           (static_cast<std::uint32_t>(RgbGreen(color)) << 8) |
           static_cast<std::uint32_t>(RgbBlue(color));
}

// `over` with straight alpha laid on the opaque pixel `under`.
std::uint32_t Blend(std::uint32_t under, std::uint32_t over) {
    const std::uint32_t alpha = over >> kAlphaShift;
    std::uint32_t out = kOpaque;
    for (int shift = 0; shift < kAlphaShift; shift += 8) {
        const std::uint32_t a = (over >> shift) & kChannel;
        const std::uint32_t b = (under >> shift) & kChannel;
        out |= ((a * alpha + b * (kChannel - alpha) + kChannel / 2) / kChannel) << shift;
    }
    return out;
}

}  // namespace

CapShape ShapeFromCommand(int command) {
    if (command < cmd::kCaptureRectangle || command > cmd::kCaptureDesktop) return CapShape::kNone;
    return static_cast<CapShape>(command - cmd::kCaptureRectangle + 1);
}

bool IsDragShape(CapShape shape) {
    return shape == CapShape::kRectangle || shape == CapShape::kRoundRect ||
           shape == CapShape::kEllipse;
}

CRegion ShapeRegion(CapShape shape, const Rect& selection, std::span<const Point> vertices) {
    switch (shape) {
        case CapShape::kCustom:
            return CRegion::FromPolygon(vertices);
        case CapShape::kRoundRect:
            return CRegion::FromRoundRect(selection, kCaptureCorner);
        case CapShape::kEllipse:
            return CRegion::FromEllipse(selection);
        default:
            return CRegion::FromRect(selection);
    }
}

std::uint32_t CopyScreenRegion(const IDesktop& desktop, const CRegion& screenRegion, COLORREF fill,
                               const CursorImage* cursor, BitmapImage& out) {
    const Rect box = screenRegion.BoundingBox();
    if (box.IsEmpty()) return kErrorInvalidParameter;
    const auto width = static_cast<std::size_t>(box.Width());
    const std::size_t count = width * static_cast<std::size_t>(box.Height());
    BitmapImage image{box.Width(), box.Height(), {}};
    CRegion mask = screenRegion;
    mask.Offset(-box.left, -box.top);
    if (screenRegion.IsRectangle()) {
        // Nothing to fill around the shape: the grab goes straight into the image.
        image.pixels.resize(count);
        if (!desktop.Grab(box, image.pixels.data(), width)) return kErrorAccessDenied;
        if (cursor) DrawCursor(image, box.TopLeft(), mask, *cursor);
        out = std::move(image);
        return kErrorSuccess;
    }
    PixelVector screen(count);
    if (!desktop.Grab(box, screen.data(), width)) return kErrorAccessDenied;
    image.pixels.assign(count, ToPixel(fill));
    for (const RegionSpan& s : mask.Spans()) {
        const std::size_t row = static_cast<std::size_t>(s.y) * width;
        std::copy(screen.begin() + static_cast<std::ptrdiff_t>(row + s.left),
                  screen.begin() + static_cast<std::ptrdiff_t>(row + s.right),
                  image.pixels.begin() + static_cast<std::ptrdiff_t>(row + s.left));
    }
    if (cursor) DrawCursor(image, box.TopLeft(), mask, *cursor);
    out = std::move(image);
    return kErrorSuccess;
}

void DrawCursor(BitmapImage& image, Point origin, const CRegion& mask, const CursorImage& cursor) {
    if (cursor.pixels.size() != static_cast<std::size_t>(cursor.width) * cursor.height) return;
    // Where the cursor picture's top-left pixel falls in the image.
    const int left = cursor.position.x - cursor.hotSpot.x - origin.x;
    const int top = cursor.position.y - cursor.hotSpot.y - origin.y;
    for (const RegionSpan& s : mask.Spans()) {
        const int cy = s.y - top;
        if (cy < 0 || cy >= cursor.height) continue;
        const int from = std::max(s.left, left);
        const int to = std::min(s.right, left + cursor.width);
        for (int x = from; x < to; ++x) {
            std::uint32_t& pixel = image.pixels[static_cast<std::size_t>(s.y) * image.width + x];
            pixel = Blend(pixel,
                          cursor.pixels[static_cast<std::size_t>(cy) * cursor.width + (x - left)]);
        }
    }
}

}  // namespace nl
