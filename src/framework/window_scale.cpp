#include "framework/window_scale.h"

#include <array>
#include <charconv>
#include <cmath>

#include "framework/CPrefs.h"

namespace nl {
namespace {

// Scales are compared to this precision (Qt's are multiples of 1/120 and the like).
constexpr double kScaleTolerance = 1e-6;

bool ReadNumber(std::string_view& text, double& value) {
    while (text.starts_with(' ')) text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

std::string Number(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("1");
}

}  // namespace

std::string PlacementScaleKey(int index) {
    return "window." + std::to_string(index) + ".scale";
}

std::string PlacementScaleValue(const Rect& rect, double scale) {
    return Number(scale) + " " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

std::optional<double> PlacementScaleOf(std::string_view value, const Rect& rect) {
    std::array<double, 5> numbers{};
    for (double& n : numbers)
        if (!ReadNumber(value, n)) return std::nullopt;
    if (!value.empty() || !(numbers[0] > 0) || !std::isfinite(numbers[0])) return std::nullopt;
    const Rect noted{static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
                     static_cast<int>(numbers[3]), static_cast<int>(numbers[4])};
    if (noted != rect) return std::nullopt;
    return numbers[0];
}

Rect RescalePlacement(const Rect& rect, double then, double now) {
    if (!(then > 0) || !(now > 0) || std::abs(then - now) < kScaleTolerance) return rect;
    const auto scaled = [&](int length) {
        return SaturateToInt(std::llround(static_cast<double>(length) * now / then));
    };
    return {rect.left, rect.top, rect.left + scaled(rect.Width()),
            rect.top + scaled(rect.Height())};
}

void NotePlacementScale(CPrefs& prefs, int index, double scale) {
    const Rect& rect = prefs.WinState(index).Placement().normalPosition;
    prefs.SetSide(PlacementScaleKey(index), PlacementScaleValue(rect, scale));
}

void RescaleSavedPlacement(CPrefs& prefs, int index, double now) {
    Rect& saved = prefs.WinState(index).Placement().normalPosition;
    const auto value = prefs.Side().Get(PlacementScaleKey(index));
    if (!value) return;
    const auto then = PlacementScaleOf(*value, saved);
    if (then) saved = RescalePlacement(saved, *then, now);
}

}  // namespace nl
