#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/geometry.h"

namespace nl {

class CPrefs;

// A still picture of the screen under a measuring overlay: 0x00RRGGBB pixels, row after row,
// `stride` pixels from one row's start to the next; (0, 0) is the overlay's client origin.
struct SnapPicture {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    bool Contains(Point p) const { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; }
    std::uint32_t At(Point p) const {
        return pixels[static_cast<std::size_t>(p.y) * stride + static_cast<std::size_t>(p.x)];
    }
};

// Which color change an end point snaps to: the nearest one beyond the tolerance, or the
// steepest within reach, which passes over the soft steps of shadows and gradients.
enum class EdgeMode { kNearest, kSteepest };

// How end points snap, kept in the settings file beside the data file.
struct SnapSetting {
    // Chosen on screenshots of the program's own Fusion-styled windows: a button's shading
    // steps by 1 or 2 levels a pixel, the faintest frame (a group box's light line on its
    // near-white page) by 19 to 26, a button's outline by 68.
    static constexpr int kDefaultTolerance = 16;
    static constexpr int kMinTolerance = 1;
    static constexpr int kMaxTolerance = 254;
    // How far, in device pixels, an end point looks for an edge on each side.
    static constexpr int kReach = 6;

    bool on = false;
    EdgeMode mode = EdgeMode::kSteepest;
    int tolerance = kDefaultTolerance;
    friend bool operator==(const SnapSetting&, const SnapSetting&) = default;
};
// The tolerances the Gauge's menu offers, in the order of its commands.
inline constexpr int kSnapTolerances[] = {8, 16, 24, 32, 48};
SnapSetting StoredSnapSetting(const CPrefs& prefs);
void StoreSnapSetting(CPrefs& prefs, const SnapSetting& setting);

// The largest difference of one channel between two 0x00RRGGBB colors.
int ChannelDistance(std::uint32_t a, std::uint32_t b);

// The edge along one axis near `p`: the boundary b between pixel b - 1 and pixel b (on the
// row of `p` for kX, on its column for kY) within `reach` boundaries of `p`'s own, where the
// color changes by more than `tolerance` on some channel. kNearest takes the boundary nearest
// to `p`'s pixel, kSteepest the one with the largest change (the nearer one of equal ones).
enum class Axis { kX, kY };
std::optional<int> FindEdge(const SnapPicture& picture, Point p, Axis axis, int reach,
                            int tolerance, EdgeMode mode);

// `p` snapped for a gesture towards `toward` (the other end): on each axis where the two
// differ, `p` moves onto the boundary of the edge within reach (the first pixel after it),
// so that the Gauge's figures, which run from position to position, give an element's size
// exactly: its first pixel at one end, the first pixel past it at the other. An axis without
// an edge in reach, or on which the ends agree, keeps `p`'s value.
Point SnapEndPoint(const SnapPicture& picture, Point p, Point toward, const SnapSetting& setting);
// The snapped value of `p` on one axis, as SnapEndPoint gives it; nullopt where it keeps its
// own (no edge in reach, or the ends agree on that axis).
std::optional<int> SnapCoordinate(const SnapPicture& picture, Point p, Point toward, Axis axis,
                                  const SnapSetting& setting);

// The box around `p` that a click measures: along `p`'s row from the first edge (a change of
// more than `tolerance` between neighbours) on its left to the first on its right, and along
// its column from the one above to the one below, or the picture's borders. Clicked inside
// an element it is the element's bounds; clicked in the space between elements, that space.
// Right and bottom are the first pixels past the box. Nothing outside the picture.
std::optional<Rect> BoxAround(const SnapPicture& picture, Point p, int tolerance);

}  // namespace nl
