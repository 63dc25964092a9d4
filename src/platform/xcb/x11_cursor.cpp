#include "platform/xcb/x11_cursor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>

namespace nl::x11 {

namespace {

constexpr int kAlphaShift = 24;
constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr std::uint32_t kChannel = 0xFF;

// `value` divided by alpha / 255, rounded, and kept within a channel.
std::uint32_t Divide(std::uint32_t value, std::uint32_t alpha) {
    return std::min<std::uint32_t>((value * kChannel + alpha / 2) / alpha, kChannel);
}

}  // namespace

std::uint32_t StraightAlpha(std::uint32_t premultiplied) {
    const std::uint32_t alpha = premultiplied >> kAlphaShift;
    if (alpha == kChannel) return premultiplied;
    if (alpha == 0) return 0;
    const std::uint32_t red = Divide((premultiplied >> kRedShift) & kChannel, alpha);
    const std::uint32_t green = Divide((premultiplied >> kGreenShift) & kChannel, alpha);
    const std::uint32_t blue = Divide(premultiplied & kChannel, alpha);
    return alpha << kAlphaShift | red << kRedShift | green << kGreenShift | blue;
}

std::optional<CursorImage> ReadCursorImage(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase)) return std::nullopt;
    // The server answers a client's requests only after it has told its version.
    int major = 0;
    int minor = 0;
    if (!XFixesQueryVersion(display, &major, &minor)) return std::nullopt;
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) return std::nullopt;
    CursorImage cursor;
    cursor.width = image->width;
    cursor.height = image->height;
    cursor.hotSpot = {image->xhot, image->yhot};
    cursor.position = {image->x, image->y};
    // Xlib hands the 32-bit pixels out in unsigned longs, 64 bits wide on 64-bit systems.
    const std::size_t count = std::size_t{image->width} * image->height;
    cursor.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        cursor.pixels[i] = StraightAlpha(static_cast<std::uint32_t>(image->pixels[i]));
    XFree(image);
    if (cursor.pixels.empty()) return std::nullopt;
    return cursor;
}

}  // namespace nl::x11
