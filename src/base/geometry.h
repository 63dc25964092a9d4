#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>

namespace nl {

// Screen geometry in integer device pixels, with the system's conventions: a rectangle
// holds its left and top edges and excludes its right and bottom ones.

// Two's-complement arithmetic that wraps like the system's instead of overflowing.
constexpr int WrapAdd(int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}
constexpr int WrapSub(int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b));
}

// The nearest int to a 64-bit value (the range's end when it lies outside).
constexpr int SaturateToInt(std::int64_t v) {
    constexpr std::int64_t kMin = INT32_MIN;
    constexpr std::int64_t kMax = INT32_MAX;
    return static_cast<int>(std::clamp(v, kMin, kMax));
}

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Width and height as the system computes them (wrapping for rectangles wider than the
    // int range); 64-bit callers use Area or compute from the edges.
    constexpr int Width() const { return WrapSub(right, left); }
    constexpr int Height() const { return WrapSub(bottom, top); }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    // The number of pixels covered: 0 for an empty rectangle. Unsigned 64-bit because a
    // rectangle spanning the whole int range in both directions exceeds the signed range.
    constexpr std::uint64_t Area() const {
        if (IsEmpty()) return 0;
        const auto w = static_cast<std::uint64_t>(std::int64_t{right} - left);
        const auto h = static_cast<std::uint64_t>(std::int64_t{bottom} - top);
        return w * h;
    }

    // The same rectangle with left <= right and top <= bottom.
    constexpr Rect Normalized() const {
        Rect r = *this;
        if (r.left > r.right) std::swap(r.left, r.right);
        if (r.top > r.bottom) std::swap(r.top, r.bottom);
        return r;
    }

    // Moves the rectangle by (dx, dy), wrapping like the system at the int range's ends.
    constexpr void Offset(int dx, int dy) {
        left = WrapAdd(left, dx);
        right = WrapAdd(right, dx);
        top = WrapAdd(top, dy);
        bottom = WrapAdd(bottom, dy);
    }

    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// The common part of two rectangles; the all-zero rectangle when they do not overlap.
constexpr Rect Intersect(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty rectangle contributes nothing, and two empty
// ones give the all-zero rectangle.
constexpr Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with halves away from
// zero. Returns -1, as the system does, when c is 0 or when the result's magnitude exceeds
// INT_MAX (so INT_MIN itself is reported as an overflow too).
constexpr int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    std::int64_t n = std::int64_t{a} * b;  // |n| <= 2^62, so negating it is safe
    std::int64_t d = c;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const std::int64_t q = n >= 0 ? (n + d / 2) / d : (n - d / 2) / d;
    if (q > INT32_MAX || q < -INT32_MAX) return -1;
    return static_cast<int>(q);
}

// The device pixel under a pointer that a window scaled by `ratio` reports at `logical` (its
// own pixels, which may be fractional). The pixel holding the point, except that a
// position a hair below a pixel's edge counts as on it: a scaled window gets the device
// pixel N as N / ratio, which multiplied back may fall short of N by a rounding error, or by
// the 1/256 of a pixel to which a Wayland compositor cuts positions. A ratio of 0 or less
// counts as one.
inline int DevicePixelAt(double logical, double ratio) {
    constexpr double kRoundingSlack = 0.01;  // of a device pixel
    return static_cast<int>(std::floor(logical * (ratio > 0 ? ratio : 1.0) + kRoundingSlack));
}

// The rectangle from the smallest to the largest coordinates of `points`, both ends included
// as coordinates (no extra pixel); the empty rectangle for no points.
inline Rect VertexBounds(std::span<const Point> points) {
    if (points.empty()) return {};
    Rect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

}  // namespace nl
