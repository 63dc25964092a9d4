#include "cli/LengthCommand.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "base/text.h"
#include "cli/CompletionCommand.h"
#include "cli/command_support.h"
#include "model/CUnitsXY.h"
#include "platform/local/PosixLocale.h"
#include "platform/locale_names.h"

namespace nl::cli {
namespace {

constexpr std::int64_t kMaxDpi = 1'000'000;
// Far beyond any monitor's scale factor.
constexpr double kMaxScale = 1000.0;

struct LengthArgs {
    std::string pixels;
    std::string dpi;
    std::string unit;
    std::string axis = "x";
    std::string locale;
    std::string scale;
};

std::int32_t ParsePixels(const std::string& text) {
    const auto value = ParseWholeNumber(text, std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max());
    if (!value) {
        throw UsageError("invalid pixel count \"" + text +
                         "\": expected a whole number of pixels such as 96 or -20");
    }
    return static_cast<std::int32_t>(*value);
}

DisplayMetrics ParseDpi(const std::string& text) {
    DisplayMetrics metrics;
    metrics.dpiX = metrics.dpiY = kDefaultDpi;
    if (text.empty()) return metrics;
    const size_t comma = text.find(',');
    const auto x = ParseWholeNumber(std::string_view(text).substr(0, comma), 1, kMaxDpi);
    std::optional<std::int64_t> y = x;
    if (comma != std::string::npos) {
        y = ParseWholeNumber(std::string_view(text).substr(comma + 1), 1, kMaxDpi);
    }
    if (!x || !y) {
        throw UsageError("invalid --dpi \"" + text +
                         "\": expected dots per inch as X or X,Y, whole numbers from 1 to " +
                         std::to_string(kMaxDpi));
    }
    metrics.dpiX = static_cast<int>(*x);
    metrics.dpiY = static_cast<int>(*y);
    return metrics;
}

double ParseScale(const std::string& text) {
    if (text.empty()) return 1.0;
    double scale = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(scale) ||
        scale <= 0.0 || scale > kMaxScale) {
        throw UsageError("invalid --scale \"" + text +
                         "\": expected the monitor's scale factor, above 0 and up to 1000, such "
                         "as 1.5");
    }
    return scale;
}

NumberFormat RegionalFormat(const std::string& locale, bool given) {
    if (given && IsNeutralLocale(locale)) return NumberFormat::Neutral();
    const auto format = PosixLocale::NumberFormatOf(given ? locale.c_str() : "");
    if (format) return *format;
    if (given) {
        throw UsageError("unknown --locale \"" + locale +
                         "\": expected C or the name of a locale installed on this system");
    }
    return NumberFormat::Neutral();  // a broken locale environment: the neutral form
}

std::string RunLength(const LengthArgs& args, bool unitGiven, bool localeGiven) {
    const std::int32_t pixels = ParsePixels(args.pixels);
    const DisplayMetrics metrics = ParseDpi(args.dpi);
    bool down = false;
    if (EqualsNoCase(args.axis, "y")) {
        down = true;
    } else if (!EqualsNoCase(args.axis, "x")) {
        throw UsageError("invalid --axis \"" + args.axis + "\": expected x (across) or y (down)");
    }
    const NumberFormat regional = RegionalFormat(args.locale, localeGiven);

    const double scale = ParseScale(args.scale);

    CUnitsXY units;
    // The logical pixel of a monitor at that scale; the pixel count is a length on it.
    units.SetMonitors({MonitorInfo{Rect{}, Rect{}, scale}});
    if (!units.LoadUnits(metrics, &regional))
        throw std::runtime_error("the length units are missing");
    const auto text = [&](const CUnitXY& unit) {
        return unit.FormatValue(down ? unit.ToUnitY(pixels) : unit.ToUnitX(pixels));
    };
    if (unitGiven) {
        std::vector<std::string> abbreviations;
        for (const CUnitXY& unit : units) abbreviations.push_back(unit.Abbreviation());
        return text(units.GetAt(ChooseRow(abbreviations, args.unit, "unit"))) + "\n";
    }
    std::string out;
    for (const CUnitXY& unit : units) out += unit.Abbreviation() + "\t" + text(unit) + "\n";
    return out;
}

}  // namespace

void RegisterLengthCommand(CLI::App& app, std::string& output) {
    auto args = std::make_shared<LengthArgs>();
    CLI::App* command = app.add_subcommand("length", "Show a pixel count in the length units");
    command->add_option("PIXELS", args->pixels, "A whole number of pixels (may be negative)")
        ->required();
    command->add_option("--dpi", args->dpi,
                        "Dots per inch: X for both directions or X,Y (default 96)");
    CLI::Option* unit = command->add_option(
        "-u,--unit", args->unit, "Only this unit: px, pc, pt, tw, cm, in, lpx or its index 0-6");
    CompleteValues(unit, LengthUnitAbbreviations());
    CompleteValues(
        command->add_option("--axis", args->axis, "x to convert across (default) or y for down"),
        {"x", "y"});
    command->add_option("--scale", args->scale,
                        "The monitor's scale factor for lpx, such as 1.25 or 2 (default 1)");
    CLI::Option* locale = command->add_option(
        "--locale", args->locale,
        "Number format: C for the neutral one, or a locale name (default: the user's locale)");
    command->callback([args, unit, locale, &output] {
        output = RunLength(*args, unit->count() > 0, locale->count() > 0);
    });
}

}  // namespace nl::cli
