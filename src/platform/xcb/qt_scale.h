// How Qt's X11 platform scales each screen of a program, worked out without Qt, so that the
// command line reports the scale the program's windows use on the same display.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nl::x11 {

// The settings Qt derives the scale from.
struct QtScaleSettings {
    std::optional<double> global;  // QT_SCALE_FACTOR
    std::string screenFactors;     // QT_SCREEN_SCALE_FACTORS: "name=f;f;..."
    bool dpiScaling = true;        // QT_ENABLE_HIGHDPI_SCALING is not 0
    std::string roundingPolicy;    // QT_SCALE_FACTOR_ROUNDING_POLICY (PassThrough if empty)
    int xftDpi = 0;                // the X resource Xft.dpi; 0 where it is not set
};

// The settings from the process's environment and the given Xft.dpi.
QtScaleSettings QtScaleSettingsFromEnvironment(int xftDpi);

// Xft.dpi in the X resources text (the root window's RESOURCE_MANAGER): its whole number,
// 0 where it is missing or not above 0.
int XftDpiOf(std::string_view resources);

// The device pixel ratio of the screen at `index` in Qt's list (the primary first) named
// `name`: QT_SCALE_FACTOR times either the screen's entry of QT_SCREEN_SCALE_FACTORS (by
// name, or an unnamed entry by its place in the list) or, for a screen without one, Xft.dpi
// over 96 rounded by the rounding policy; 1 for what is not set or not usable.
double QtScreenScale(const QtScaleSettings& settings, std::size_t index, std::string_view name);

}  // namespace nl::x11
