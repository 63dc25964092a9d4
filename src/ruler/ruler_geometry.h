#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "base/geometry.h"
#include "base/monitor_layout.h"

namespace nl {

// The parts of the ruler's client area (client pixels) for one layout. The caption strip lies
// on the side away from the graduations; the origin point is the zero of the graduations,
// just outside the graduated edge.
struct RulerParts {
    Rect strip;
    Rect icon;
    Rect help;
    Rect close;
    Rect text;
    Rect body;
    Point origin;
};

// The thickness of the caption strip for a small-caption height `captionHeight`.
constexpr int RulerStripThickness(int captionHeight) {
    return captionHeight + 2;
}

RulerParts RulerLayout(Size client, std::uint32_t options, int captionHeight);

// The ruler's size and place limits.
inline constexpr int kRulerDefaultThickness = 64;
inline constexpr int kRulerMinLength = 128;
inline constexpr int kKeepVisibleMargin = 32;

// The rectangle a new or arranged ruler takes on `monitor`: half its width, the default
// thickness, centred across and a fifth of the way down.
Rect RulerDefaultRect(const Rect& monitor);

// Moves `rect` so that at least `margin` pixels of it stay inside `bounds` each way; a
// rectangle wider or taller than the bounds gets its left or top edge on theirs.
Rect KeepVisible(const Rect& rect, const Rect& bounds, int margin = kKeepVisibleMargin);

// After a change of layout: a ruler that fits in the work area of its monitor is moved
// wholly inside it; a larger one keeps its left and top edges on the work area.
Rect KeepOnWorkArea(const Rect& rect, std::span<const MonitorInfo> monitors, const Rect& desktop);

// The smallest size the user can size the ruler to.
Size RulerMinimumSize(std::uint32_t options);

// Where the ruler window goes when its option bits change from `oldOptions` to `newOptions`
// while it is at `window` (screen): turned about its origin point (width and height
// swapped), or moved so the origin keeps its screen position when only the graduation side
// changed, then kept on `screen` either way. Any other change leaves the rectangle as it is.
Rect RulerRectAfterOptions(const Rect& window, std::uint32_t oldOptions, std::uint32_t newOptions,
                           int captionHeight, const Rect& screen);

// The origin point in screen coordinates of a ruler at `window`.
Point RulerOriginOnScreen(const Rect& window, std::uint32_t options, int captionHeight);

// What a point of the ruler's client area does under the mouse.
enum class RulerHit {
    kNone,   // nothing (the left button is up over the body)
    kIcon,   // the icon button
    kHelp,   // the help button
    kClose,  // the close button
    kLeft,   // sizing edges
    kRight,
    kTop,
    kBottom,
    kCaption,  // dragging moves the ruler
};

// The state of the left mouse button during a hit test.
enum class LeftButton { kUp, kDown };

// The hit at client point `p`, with sizing bands `frame` pixels wide at the client edges.
// Points that are neither buttons nor edges drag the ruler while the left button is down.
RulerHit RulerHitTest(Point p, const RulerParts& parts, Size client, Size frame, LeftButton button);

// A move from `current` to `proposed` with one of the locking keys held: Shift keeps the top
// edge (moves across only), Ctrl keeps the left edge (moves down only). Both or neither held,
// the move is free.
Rect LockMoveAxis(const Rect& current, const Rect& proposed, bool shift, bool ctrl);

// Where the ruler at `window` goes when its origin point (`origin`, screen) is brought to the
// cursor; nothing when that place breaks the keep-visible rule on `screen`.
std::optional<Rect> RulerRectAtCursor(const Rect& window, Point origin, Point cursor,
                                      const Rect& screen);

}  // namespace nl
