#include "overlay/edge_snap.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/text.h"
#include "framework/CPrefs.h"

namespace nl {
namespace {

constexpr std::string_view kSnapKey = "gauge.snap";
constexpr std::string_view kModeKey = "gauge.snapMode";
constexpr std::string_view kToleranceKey = "gauge.snapTolerance";
constexpr std::string_view kNearestName = "nearest";
constexpr std::string_view kSteepestName = "steepest";

int Channel(std::uint32_t color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

// How far boundary `b` (between pixels b - 1 and b) lies from the middle of pixel `p`, in
// half pixels: 1 for either side of the pixel itself.
int HalfPixelsAway(int b, int p) {
    return std::abs(2 * b - 2 * p - 1);
}

}  // namespace

SnapSetting StoredSnapSetting(const CPrefs& prefs) {
    SnapSetting setting;
    setting.on = prefs.Side().Get(kSnapKey) == "1";
    if (prefs.Side().Get(kModeKey) == kNearestName) setting.mode = EdgeMode::kNearest;
    if (const auto text = prefs.Side().Get(kToleranceKey)) {
        if (const std::optional<int> value = ParseWholeInt(*text);
            value && *value >= SnapSetting::kMinTolerance && *value <= SnapSetting::kMaxTolerance)
            setting.tolerance = *value;
    }
    return setting;
}

void StoreSnapSetting(CPrefs& prefs, const SnapSetting& setting) {
    prefs.SetSide(kSnapKey, setting.on ? std::optional<std::string>("1") : std::nullopt);
    prefs.SetSide(kModeKey,
                  std::string(setting.mode == EdgeMode::kNearest ? kNearestName : kSteepestName));
    prefs.SetSide(kToleranceKey, std::to_string(setting.tolerance));
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (const int shift : {0, 8, 16})
        most = std::max(most, std::abs(Channel(a, shift) - Channel(b, shift)));
    return most;
}

std::optional<int> FindEdge(const SnapPicture& picture, Point p, Axis axis, int reach,
                            int tolerance, EdgeMode mode) {
    if (picture.pixels == nullptr || !picture.Contains(p) || reach < 1) return std::nullopt;
    const int at = axis == Axis::kX ? p.x : p.y;
    const int size = axis == Axis::kX ? picture.width : picture.height;
    const auto pixel = [&](int i) {
        return picture.At(axis == Axis::kX ? Point{i, p.y} : Point{p.x, i});
    };
    std::optional<int> best;
    int bestChange = 0;
    // Boundaries from `reach` pixels before p's pixel to `reach` after it; the picture's own
    // border is none.
    for (int b = std::max(1, at - reach + 1); b <= std::min(size - 1, at + reach); ++b) {
        const int change = ChannelDistance(pixel(b - 1), pixel(b));
        if (change <= tolerance) continue;
        bool better = !best;
        if (best) {
            const int away = HalfPixelsAway(b, at);
            const int bestAway = HalfPixelsAway(*best, at);
            better = mode == EdgeMode::kNearest
                         ? away < bestAway || (away == bestAway && change > bestChange)
                         : change > bestChange || (change == bestChange && away < bestAway);
        }
        if (better) {
            best = b;
            bestChange = change;
        }
    }
    return best;
}

std::optional<Rect> BoxAround(const SnapPicture& picture, Point p, int tolerance) {
    if (picture.pixels == nullptr || !picture.Contains(p)) return std::nullopt;
    const auto step = [&](Point a, Point b) {
        return ChannelDistance(picture.At(a), picture.At(b)) > tolerance;
    };
    Rect box{p.x, p.y, p.x + 1, p.y + 1};
    while (box.left > 0 && !step({box.left - 1, p.y}, {box.left, p.y})) --box.left;
    while (box.right < picture.width && !step({box.right - 1, p.y}, {box.right, p.y})) ++box.right;
    while (box.top > 0 && !step({p.x, box.top - 1}, {p.x, box.top})) --box.top;
    while (box.bottom < picture.height && !step({p.x, box.bottom - 1}, {p.x, box.bottom}))
        ++box.bottom;
    return box;
}

std::optional<int> SnapCoordinate(const SnapPicture& picture, Point p, Point toward, Axis axis,
                                  const SnapSetting& setting) {
    const int here = axis == Axis::kX ? p.x : p.y;
    const int there = axis == Axis::kX ? toward.x : toward.y;
    if (here == there) return std::nullopt;
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    // A corner dropped outside an element has no edge on its own row or column: the rows
    // (columns) up to the reach towards the other end are searched too. The nearest mode takes
    // the first of them with an edge; the steepest mode the strongest edge of all, so that a
    // shadow's rows do not hide the element's side a few rows on.
    const int across = axis == Axis::kX ? sign(toward.y - p.y) : sign(toward.x - p.x);
    std::optional<int> edge;
    int strongest = 0;
    for (int k = 0; k <= SnapSetting::kReach && (k == 0 || across != 0); ++k) {
        const Point q =
            axis == Axis::kX ? Point{p.x, p.y + k * across} : Point{p.x + k * across, p.y};
        const std::optional<int> found =
            FindEdge(picture, q, axis, SnapSetting::kReach, setting.tolerance, setting.mode);
        if (!found) continue;
        const Point before = axis == Axis::kX ? Point{*found - 1, q.y} : Point{q.x, *found - 1};
        const Point after = axis == Axis::kX ? Point{*found, q.y} : Point{q.x, *found};
        const int change = ChannelDistance(picture.At(before), picture.At(after));
        if (change > strongest) {
            edge = found;
            strongest = change;
        }
        if (setting.mode == EdgeMode::kNearest) break;
    }
    return edge;
}

Point SnapEndPoint(const SnapPicture& picture, Point p, Point toward, const SnapSetting& setting) {
    return {SnapCoordinate(picture, p, toward, Axis::kX, setting).value_or(p.x),
            SnapCoordinate(picture, p, toward, Axis::kY, setting).value_or(p.y)};
}

}  // namespace nl
