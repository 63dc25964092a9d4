#include "ruler/ruler_geometry.h"

#include "document/CRulerData.h"

namespace nl {

namespace {

bool IsVertical(std::uint32_t options) {
    return (options & CRulerData::kOptionVertical) != 0;
}
bool IsInverted(std::uint32_t options) {
    return (options & CRulerData::kOptionInverted) != 0;
}

// Buttons and text inside the strip, computed along the strip (a) and across it (b) and then
// turned into client rectangles.
struct StripFrame {
    bool vertical;
    Rect strip;
    Rect Make(int a0, int b0, int a1, int b1) const {
        if (vertical) return {b0, a0, b1, a1};
        return {a0, b0, a1, b1};
    }
    int Start() const { return vertical ? strip.top : strip.left; }
    int End() const { return vertical ? strip.bottom : strip.right; }
    int Near() const { return vertical ? strip.left : strip.top; }
    int Far() const { return vertical ? strip.right : strip.bottom; }
};

// How far in from the strip's end the close button stops, and how far the buttons and the
// text stand off the strip's long edges.
constexpr int kButtonEndGap = 2;
constexpr int kButtonInset = 2;
constexpr int kTextInset = 1;
constexpr int kIconOffset = 1;

}  // namespace

RulerParts RulerLayout(Size client, std::uint32_t options, int captionHeight) {
    const int s = RulerStripThickness(captionHeight);
    const int w = client.cx;
    const int h = client.cy;
    RulerParts parts;
    const bool vertical = IsVertical(options);
    const bool inverted = IsInverted(options);
    if (!vertical && !inverted) {
        parts.strip = {0, 0, w, s};
        parts.body = {0, s, w, h};
        parts.origin = {0, h};
    } else if (!vertical) {
        parts.strip = {0, h - s, w, h};
        parts.body = {0, 0, w, h - s + 1};
        parts.origin = {0, -1};
    } else if (!inverted) {
        parts.strip = {0, 0, s, h};
        parts.body = {s - 1, 0, w, h};
        parts.origin = {w, 0};
    } else {
        parts.strip = {w - s, 0, w, h};
        parts.body = {0, 0, w - s + 1, h};
        parts.origin = {-1, 0};
    }

    const StripFrame f{vertical, parts.strip};
    parts.icon = f.Make(f.Start() + kIconOffset, f.Near() + kIconOffset,
                        f.Start() + kIconOffset + s, f.Near() + kIconOffset + s);
    const int closeEnd = f.End() - kButtonEndGap;
    parts.close = f.Make(closeEnd - s, f.Near() + kButtonInset, closeEnd, f.Far() - kButtonInset);
    parts.help =
        f.Make(closeEnd - 2 * s, f.Near() + kButtonInset, closeEnd - s, f.Far() - kButtonInset);
    parts.text = f.Make(f.Start() + s + 1, f.Near() + kTextInset, f.End() - (2 * s + 1),
                        f.Far() - kTextInset);
    return parts;
}

Rect RulerDefaultRect(const Rect& monitor) {
    const int width = monitor.Width() / 2;
    const int left = monitor.left + (monitor.Width() - width) / 2;
    const int top = monitor.top + monitor.Height() / 5;
    return {left, top, left + width, top + kRulerDefaultThickness};
}

Rect KeepVisible(const Rect& rect, const Rect& bounds, int margin) {
    Rect r = rect;
    if (r.right < bounds.left + margin)
        r.Offset(bounds.left + margin - r.right, 0);
    else if (r.left > bounds.right - margin)
        r.Offset(bounds.right - margin - r.left, 0);
    if (r.bottom < bounds.top + margin)
        r.Offset(0, bounds.top + margin - r.bottom);
    else if (r.top > bounds.bottom - margin)
        r.Offset(0, bounds.bottom - margin - r.top);
    if (r.left < bounds.left && r.Width() > bounds.Width()) r.Offset(bounds.left - r.left, 0);
    if (r.top < bounds.top && r.Height() > bounds.Height()) r.Offset(0, bounds.top - r.top);
    return r;
}

Rect KeepOnWorkArea(const Rect& rect, std::span<const MonitorInfo> monitors, const Rect& desktop) {
    Rect work = desktop;
    if (const auto index = NearestMonitor(monitors, rect)) work = monitors[*index].workArea;
    // Shifting by the overhang on each side, the far edge first, leaves a rectangle too large
    // for the work area with its left or top edge on the work area's.
    Rect r = rect;
    if (r.right > work.right) r.Offset(work.right - r.right, 0);
    if (r.left < work.left) r.Offset(work.left - r.left, 0);
    if (r.bottom > work.bottom) r.Offset(0, work.bottom - r.bottom);
    if (r.top < work.top) r.Offset(0, work.top - r.top);
    return r;
}

Size RulerMinimumSize(std::uint32_t options) {
    if (IsVertical(options)) return {kRulerDefaultThickness, kRulerMinLength};
    return {kRulerMinLength, kRulerDefaultThickness};
}

Point RulerOriginOnScreen(const Rect& window, std::uint32_t options, int captionHeight) {
    const Point o = RulerLayout({window.Width(), window.Height()}, options, captionHeight).origin;
    return {window.left + o.x, window.top + o.y};
}

Rect RulerRectAfterOptions(const Rect& window, std::uint32_t oldOptions, std::uint32_t newOptions,
                           int captionHeight, const Rect& screen) {
    const Point origin = RulerOriginOnScreen(window, oldOptions, captionHeight);
    const std::uint32_t changed = oldOptions ^ newOptions;
    if (changed & CRulerData::kOptionVertical) {
        const Size size{window.Height(), window.Width()};
        const Point o = RulerLayout(size, newOptions, captionHeight).origin;
        Rect r{origin.x - o.x, origin.y - o.y, origin.x - o.x + size.cx, origin.y - o.y + size.cy};
        if (IsVertical(newOptions) && IsInverted(newOptions)) {
            // A ruler turned into the vertical inverted layout is made one column narrower
            // and goes one row lower.
            r.right -= 1;
            r.Offset(0, 1);
        }
        return KeepVisible(r, screen);
    }
    if (changed & CRulerData::kOptionInverted) {
        const Point o =
            RulerLayout({window.Width(), window.Height()}, newOptions, captionHeight).origin;
        Rect r = window;
        r.Offset(origin.x - o.x - window.left, origin.y - o.y - window.top);
        // A ruler on the screen's edge would otherwise step off it.
        return KeepVisible(r, screen);
    }
    return window;
}

RulerHit RulerHitTest(Point p, const RulerParts& parts, Size client, Size frame,
                      LeftButton button) {
    if (parts.help.Contains(p)) return RulerHit::kHelp;
    if (parts.close.Contains(p)) return RulerHit::kClose;
    if (parts.icon.Contains(p)) return RulerHit::kIcon;
    if (p.x < frame.cx) return RulerHit::kLeft;
    if (p.x >= client.cx - frame.cx) return RulerHit::kRight;
    if (p.y < frame.cy) return RulerHit::kTop;
    if (p.y >= client.cy - frame.cy) return RulerHit::kBottom;
    return button == LeftButton::kDown ? RulerHit::kCaption : RulerHit::kNone;
}

Rect LockMoveAxis(const Rect& current, const Rect& proposed, bool shift, bool ctrl) {
    if (shift == ctrl) return proposed;
    Rect r = proposed;
    if (shift)
        r.Offset(0, current.top - proposed.top);
    else
        r.Offset(current.left - proposed.left, 0);
    return r;
}

std::optional<Rect> RulerRectAtCursor(const Rect& window, Point origin, Point cursor,
                                      const Rect& screen) {
    Rect r = window;
    r.Offset(cursor.x - origin.x, cursor.y - origin.y);
    if (KeepVisible(r, screen) != r) return std::nullopt;
    return r;
}

}  // namespace nl
