#include "platform/xcb/qt_scale.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/text.h"

namespace nl::x11 {
namespace {

// The dots per inch at which Qt's X11 platform scales by 1.
constexpr double kBaseDpi = 96.0;
constexpr std::string_view kXftDpi = "Xft.dpi:";

std::optional<double> ParseFactor(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The screen's entry of QT_SCREEN_SCALE_FACTORS: entries are separated by ";", a named one
// ("DP-1=2") applies to the screen of that name, an unnamed one to the screen at its place.
std::optional<double> ScreenEntry(std::string_view factors, std::size_t index,
                                  std::string_view name) {
    std::size_t place = 0;
    while (!factors.empty()) {
        const std::size_t end = factors.find(';');
        const std::string_view entry = factors.substr(0, end);
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (place == index) return ParseFactor(entry);
        } else if (entry.substr(0, equals) == name) {
            return ParseFactor(entry.substr(equals + 1));
        }
        ++place;
        if (end == std::string_view::npos) break;
        factors.remove_prefix(end + 1);
    }
    return std::nullopt;
}

double Rounded(double factor, std::string_view policy) {
    if (policy == "Round") return std::round(factor);
    if (policy == "Ceil") return std::ceil(factor);
    if (policy == "Floor") return std::floor(factor);
    if (policy == "RoundPreferFloor") {
        // Up only from three quarters on.
        constexpr double kUpFrom = 0.75;
        return factor - std::floor(factor) >= kUpFrom ? std::ceil(factor) : std::floor(factor);
    }
    return factor;  // PassThrough, Qt 6's default
}

}  // namespace

QtScaleSettings QtScaleSettingsFromEnvironment(int xftDpi) {
    QtScaleSettings settings;
    settings.global = ParseFactor(Environment("QT_SCALE_FACTOR"));
    settings.screenFactors = Environment("QT_SCREEN_SCALE_FACTORS");
    settings.dpiScaling = Environment("QT_ENABLE_HIGHDPI_SCALING") != "0";
    settings.roundingPolicy = Environment("QT_SCALE_FACTOR_ROUNDING_POLICY");
    settings.xftDpi = xftDpi;
    return settings;
}

int XftDpiOf(std::string_view resources) {
    for (const std::string& line : SplitLines(resources)) {
        if (!line.starts_with(kXftDpi)) continue;
        std::string_view value = std::string_view(line).substr(kXftDpi.size());
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
            value.remove_prefix(1);
        int dpi = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
        return error == std::errc() && end == value.data() + value.size() && dpi > 0 ? dpi : 0;
    }
    return 0;
}

double QtScreenScale(const QtScaleSettings& settings, std::size_t index, std::string_view name) {
    double screen = 1.0;
    if (const auto entry = ScreenEntry(settings.screenFactors, index, name)) {
        screen = *entry;
    } else if (settings.dpiScaling && settings.xftDpi > 0) {
        const double rounded = Rounded(settings.xftDpi / kBaseDpi, settings.roundingPolicy);
        if (rounded > 0.0) screen = rounded;
    }
    return settings.global.value_or(1.0) * screen;
}

}  // namespace nl::x11
