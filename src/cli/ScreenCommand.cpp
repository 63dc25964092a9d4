#include "cli/ScreenCommand.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "base/COleDateTime.h"
#include "capture/capture_copy.h"
#include "cli/CCliSession.h"
#include "cli/CompletionCommand.h"
#include "cli/command_support.h"
#include "cli/doc_info.h"
#include "cli/screen_support.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitsCol.h"
#include "model/area_sample.h"
#include "model/color_vision.h"
#include "picking/CDesktopSampler.h"
#include "platform/IDesktop.h"
#include "ui/zoom_geometry.h"
#include "ui/zoom_image.h"

namespace nl::cli {
namespace {

// The rectangle forms on the command line.
constexpr std::string_view kRectForm = "X,Y,W,H in whole pixels with W and H above 0";
// The longest wait before a capture.
constexpr std::int64_t kMaxDelayMs = 600'000;
// A magnified image of the zoom control's default size.
constexpr std::string_view kDefaultZoomSize = "200x200";
constexpr std::int64_t kMaxZoomSide = 8192;
// A polygon needs this many corners at least.
constexpr std::size_t kMinPolygonCorners = 3;
constexpr int kHexBase = 16;

std::string RectText(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.Width()) +
           "," + std::to_string(r.Height());
}

// Fails unless `rect` lies wholly on the virtual screen.
void CheckOnScreen(const IDesktop& desktop, const Rect& rect, std::string_view what) {
    const Rect screen = desktop.VirtualScreen();
    if (rect.IsEmpty() || Intersect(rect, screen) != rect)
        throw UsageError(std::string(what) + " " + RectText(rect) +
                         " does not lie on the virtual screen " + RectText(screen));
}

Rect ParseRectArgument(std::string_view text, std::string_view what) {
    const std::vector<int> v = ParseNumbersArgument(text, 4, what, kRectForm);
    if (v[2] <= 0 || v[3] <= 0)
        throw UsageError("empty " + std::string(what) + " \"" + std::string(text) +
                         "\": expected " + std::string(kRectForm));
    return {v[0], v[1], v[0] + v[2], v[1] + v[3]};
}

// ---- Pick ----

// A whole value as a JSON integer ("2", not "2.0"), others as they are.
nlohmann::ordered_json JsonNumber(double value) {
    constexpr double kLargestExact = 9007199254740992.0;  // 2^53
    if (std::trunc(value) == value && std::fabs(value) < kLargestExact)
        return static_cast<std::int64_t>(value);
    return value;
}

struct PickArgs {
    std::vector<std::string> at;
    bool cursor = false;
    std::string format;
    bool json = false;
    int sample = 1;
    std::string stat{SampleStatName(SampleStat::kMean)};
};

std::string RunPick(const PickArgs& args, bool formatGiven) {
    if (args.cursor == !args.at.empty()) throw UsageError("pick needs either X Y or --cursor");
    if (!IsSampleSize(args.sample))
        throw UsageError("invalid --sample " + std::to_string(args.sample) +
                         ": expected 1, 3, 5, 7, 9, 11, 15, 21 or 31");
    const std::optional<SampleStat> stat = SampleStatFromName(args.stat);
    if (!stat)
        throw UsageError("invalid --stat \"" + args.stat +
                         "\": expected mean, linear-mean, median or mode");
    Point point;
    if (!args.cursor) {
        if (args.at.size() != 2) throw UsageError("pick needs two numbers X Y");
        point = ParsePointArgument(args.at[0] + "," + args.at[1], "point");
    }
    CUnitsCol formats;
    if (!formats.LoadColorFormats()) throw std::runtime_error("the color formats are missing");
    int row = 0;
    if (formatGiven) {
        std::vector<std::string> names;
        for (const CUnitCol& format : formats) names.push_back(format.Name());
        row = ChooseRow(names, args.format, "color format");
    } else {
        // The color form the program shows, as its data file keeps it.
        const std::int32_t index = CCliSession().DataFileSettings().colorFormatIndex;
        if (index >= 0 && index < formats.GetSize()) row = index;
    }

    const std::unique_ptr<IDesktop> desktop = OpenDesktop(ScreenUse::kPixels);
    if (args.cursor) {
        // A Wayland compositor tells no program where the pointer is.
        if (!desktop->FollowsPointer())
            throw std::runtime_error("the pointer's position is unknown on this desktop: give X Y");
        point = desktop->CursorPos();
    }
    const Rect screen = desktop->VirtualScreen();
    if (!screen.Contains(point))
        throw UsageError("point " + std::to_string(point.x) + "," + std::to_string(point.y) +
                         " does not lie on the virtual screen " + RectText(screen));
    const SystemClock clock;
    CColPick sample;
    CDesktopSampler::SamplePixel(*desktop, clock, point, sample);
    if (sample.Color() == kNoColor) throw std::runtime_error("the screen cannot be read");
    const SampleMethod method{args.sample, *stat};
    const COLORREF color = method.IsSinglePixel()
                               ? sample.Color()
                               : CDesktopSampler::SampleColorAt(*desktop, point, method);
    if (color == kNoColor) throw std::runtime_error("the screen cannot be read");
    const std::string text = formats.FormatColor(color, row);
    if (args.json) {
        // The point as a program scaled by Qt places it, on the monitor that holds it.
        const LogicalPosition logical = ToLogicalPosition(desktop->Monitors(), point);
        nlohmann::ordered_json out = {
            {"color", text},
            {"x", point.x},
            {"y", point.y},
            {"logicalX", JsonNumber(logical.x)},
            {"logicalY", JsonNumber(logical.y)},
            {"scale", JsonNumber(logical.scale)},
            {"title", sample.SourceTitle()},
            {"class", sample.WindowClass()},
        };
        if (args.sample > 1) {
            out["sample"] = args.sample;
            out["stat"] = args.stat;
        }
        AddColorFields(out, color);
        return out.dump(2) + "\n";
    }
    return text + "\t" + std::to_string(point.x) + "," + std::to_string(point.y) + "\t" +
           sample.SourceTitle() + "\t" + sample.WindowClass() + "\n";
}

// ---- Capture ----

struct CaptureArgs {
    std::vector<std::string> words;
    std::string under;
    bool cursor = false;
    std::string fill;
    std::int64_t delay = 0;
};

WindowId ParseWindowId(const std::string& text) {
    std::size_t used = 0;
    unsigned long long id = 0;
    try {
        id = std::stoull(text, &used, text.starts_with("0x") ? kHexBase : 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || text.front() == '-' || id == 0)
        throw UsageError("invalid window id \"" + text +
                         "\": expected a number such as 0x1a00007 or 27262983");
    return id;
}

// The region the shape words name, checked against the desktop.
CRegion CaptureRegion(const IDesktop& desktop, const CaptureArgs& args,
                      const std::vector<std::string>& shapeArgs) {
    const std::string& shape = args.words.front();
    const auto needArgs = [&](std::size_t count, std::string_view form) {
        if (shapeArgs.size() != count)
            throw UsageError("capture " + shape + " takes " + std::string(form) + " and OUT");
    };
    if (shape == "rect" || shape == "ellipse") {
        needArgs(1, "X,Y,W,H");
        const Rect rect = ParseRectArgument(shapeArgs[0], shape);
        CheckOnScreen(desktop, rect, shape == "rect" ? "rectangle" : "ellipse");
        return ShapeRegion(shape == "rect" ? CapShape::kRectangle : CapShape::kEllipse, rect, {});
    }
    if (shape == "polygon") {
        if (shapeArgs.size() < kMinPolygonCorners)
            throw UsageError("capture polygon takes at least three corners X,Y X,Y X,Y and OUT");
        std::vector<Point> corners;
        for (const std::string& corner : shapeArgs)
            corners.push_back(ParsePointArgument(corner, "polygon corner"));
        CRegion region = ShapeRegion(CapShape::kCustom, {}, corners);
        if (region.IsEmpty()) throw UsageError("the polygon encloses no pixel");
        CheckOnScreen(desktop, region.BoundingBox(), "polygon");
        return region;
    }
    if (shape == "window") {
        WindowId window = kNoWindow;
        if (!args.under.empty()) {
            needArgs(0, "--under X,Y");
            const Point at = ParsePointArgument(args.under, "--under point");
            CheckOnScreen(desktop, {at.x, at.y, at.x + 1, at.y + 1}, "point");
            window = desktop.Ancestor(desktop.WindowFromPoint(at), WindowAncestor::kRoot);
        } else {
            needArgs(1, "a window ID or --under X,Y");
            window = ParseWindowId(shapeArgs[0]);
            if (!desktop.IsWindow(window))
                throw UsageError("unknown window id \"" + shapeArgs[0] + "\"");
        }
        const Rect rect = Intersect(desktop.WindowRect(window), desktop.VirtualScreen());
        if (rect.IsEmpty()) throw UsageError("the window does not show on the screen");
        return ShapeRegion(CapShape::kWindow, rect, {});
    }
    if (shape == "monitor") {
        needArgs(1, "a monitor number N");
        const std::vector<MonitorInfo> monitors = desktop.Monitors();
        const auto index =
            ParseWholeNumber(shapeArgs[0], 0, static_cast<std::int64_t>(monitors.size()) - 1);
        if (!index)
            throw UsageError("unknown monitor \"" + shapeArgs[0] + "\": expected 0 to " +
                             std::to_string(monitors.size() - 1) + " (0 is the primary one)");
        return ShapeRegion(CapShape::kMonitor, monitors[static_cast<std::size_t>(*index)].monitor,
                           {});
    }
    if (shape == "desktop") {
        needArgs(0, "nothing more");
        return ShapeRegion(CapShape::kDesktop, desktop.VirtualScreen(), {});
    }
    throw UsageError("unknown capture shape \"" + shape +
                     "\": expected rect, ellipse, polygon, window, monitor or desktop");
}

std::string RunCapture(const CaptureArgs& args) {
    if (args.words.size() < 2) throw UsageError("capture needs a shape and an output file OUT");
    const std::string& out = args.words.back();
    CheckImagePath(out);
    const std::vector<std::string> shapeArgs(args.words.begin() + 1, args.words.end() - 1);
    const COLORREF fill = args.fill.empty() ? CCliSession().DataFileSettings().screenCopierFillColor
                                            : ParseColorArgument(args.fill);
    if (args.delay < 0 || args.delay > kMaxDelayMs)
        throw UsageError("invalid --delay " + std::to_string(args.delay) +
                         ": expected milliseconds from 0 to " + std::to_string(kMaxDelayMs));

    const std::unique_ptr<IDesktop> desktop = OpenDesktop(ScreenUse::kAreas);
    const CRegion region = CaptureRegion(*desktop, args, shapeArgs);
    if (args.delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(args.delay));
    std::optional<CursorImage> cursor;
    if (args.cursor) cursor = desktop->CurrentCursor();
    if (!cursor && region.IsRectangle()) {
        // A plain rectangle without the cursor is written from the screen's pixels where the
        // desktop lends them: no copy of the whole image.
        const Rect box = region.BoundingBox();
        if (const std::optional<LentPixels> lent = desktop->GrabLent(box)) {
            WriteImage(PixelRows{lent->pixels, lent->stride, box.Width(), box.Height()}, out);
            return {};
        }
    }
    BitmapImage image;
    if (CopyScreenRegion(*desktop, region, fill, cursor ? &*cursor : nullptr, image) != 0)
        throw std::runtime_error("the screen cannot be read");
    WriteImage(image, out);
    return {};
}

// ---- Magnify ----

struct MagnifyArgs {
    std::vector<std::string> words;
    std::int64_t zoom = kZoomMin * 2;
    std::string size{kDefaultZoomSize};
    std::string simulate{ColorVisionName(ColorVision::kNormal)};
    std::int64_t severity = 60;
};

// The names --simulate takes, for its message.
std::string ColorVisionNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kColorVisionCount; ++i)
        names.emplace_back(ColorVisionName(static_cast<ColorVision>(i)));
    return JoinNames(names);
}

std::string RunMagnify(const MagnifyArgs& args) {
    if (args.words.size() != 3) throw UsageError("magnify needs X Y and an output file OUT");
    const Point centre = ParsePointArgument(args.words[0] + "," + args.words[1], "point");
    const std::string& out = args.words[2];
    CheckImagePath(out);
    if (args.zoom < kZoomMin || args.zoom > kZoomMax)
        throw UsageError("invalid --zoom " + std::to_string(args.zoom) + ": expected " +
                         std::to_string(kZoomMin) + " to " + std::to_string(kZoomMax) + " percent");
    const std::size_t x = args.size.find('x');
    const auto width = ParseWholeNumber(std::string_view(args.size).substr(0, x), 1, kMaxZoomSide);
    const auto height =
        x == std::string::npos
            ? std::nullopt
            : ParseWholeNumber(std::string_view(args.size).substr(x + 1), 1, kMaxZoomSide);
    if (!width || !height)
        throw UsageError("invalid --size \"" + args.size + "\": expected WxH such as 200x150, " +
                         "each 1 to " + std::to_string(kMaxZoomSide));

    ColorVision vision = ColorVision::kNormal;
    if (!ColorVisionFromName(args.simulate, vision))
        throw UsageError("invalid --simulate \"" + args.simulate + "\": expected " +
                         ColorVisionNames());
    if (args.severity < 1 || args.severity > 100)
        throw UsageError("invalid --severity " + std::to_string(args.severity) +
                         ": expected 1 to 100 percent");

    const std::unique_ptr<IDesktop> desktop = OpenDesktop(ScreenUse::kAreas);
    CheckOnScreen(*desktop, {centre.x, centre.y, centre.x + 1, centre.y + 1}, "point");
    BitmapImage image =
        RenderZoomImage(*desktop, {static_cast<int>(*width), static_cast<int>(*height)}, centre,
                        static_cast<int>(args.zoom), ZoomMark::kShown);
    if (image.IsEmpty()) throw std::runtime_error("the screen cannot be read");
    const CColorVisionFilter filter(vision, static_cast<double>(args.severity) / 100);
    if (!filter.IsIdentity()) {
        for (std::uint32_t& pixel : image.pixels) pixel = filter.ApplyArgb(pixel);
    }
    WriteImage(image, out);
    return {};
}

}  // namespace

void RegisterScreenCommands(CLI::App& app, std::string& output) {
    auto pick = std::make_shared<PickArgs>();
    CLI::App* pickCommand = app.add_subcommand(
        "pick", "Sample a screen pixel as a pick does: color, position, window title and class");
    pickCommand->add_option("X Y", pick->at, "The screen position")->expected(0, 2);
    pickCommand->add_flag("--cursor", pick->cursor, "Sample under the mouse cursor");
    CLI::Option* format = pickCommand->add_option(
        "-f,--format", pick->format,
        "The color form by name or index (default: the program's current one)");
    pickCommand->add_flag("--json", pick->json, "Print one JSON object");
    pickCommand->add_option("--sample", pick->sample,
                            "The side of the square sampled around the point: 1 (the pixel), 3, "
                            "5, 7, 9, 11, 15, 21 or 31");
    CompleteValues(format, ColorFormatNames());
    std::vector<std::string> stats;
    for (const SampleStat stat :
         {SampleStat::kMean, SampleStat::kLinearMean, SampleStat::kMedian, SampleStat::kMode})
        stats.emplace_back(SampleStatName(stat));
    CompleteValues(pickCommand->add_option("--stat", pick->stat,
                                           "How the square becomes one color: mean (default), "
                                           "linear-mean, median or mode"),
                   stats);
    pickCommand->callback(
        [pick, format, &output] { output = RunPick(*pick, format->count() > 0); });

    auto capture = std::make_shared<CaptureArgs>();
    CLI::App* captureCommand = app.add_subcommand(
        "capture",
        "Copy screen pixels into an image: rect X,Y,W,H | ellipse X,Y,W,H | polygon X,Y X,Y ... "
        "| window ID | window --under X,Y | monitor N | desktop, then OUT (.png, .jpg, .bmp or -)");
    captureCommand->add_option("SHAPE ARGS OUT", capture->words, "The shape, its values and OUT")
        ->required();
    captureCommand->add_option("--under", capture->under, "The window under the point X,Y");
    captureCommand->add_flag("--cursor", capture->cursor, "Draw the mouse cursor into the image");
    captureCommand->add_option("--fill", capture->fill,
                               "The color outside the shape (default: the program's fill color): " +
                                   std::string(kColorArgumentForms));
    captureCommand->add_option("--delay", capture->delay, "Wait this many milliseconds first");
    captureCommand->callback([capture, &output] { output = RunCapture(*capture); });

    auto magnify = std::make_shared<MagnifyArgs>();
    CLI::App* magnifyCommand = app.add_subcommand(
        "magnify", "Write what the zoom control shows around X Y, centre block included");
    magnifyCommand->add_option("X Y OUT", magnify->words, "The centre and the output file")
        ->required();
    magnifyCommand->add_option("--zoom", magnify->zoom, "Percent, 100 to 1000 (default 200)");
    magnifyCommand->add_option("--size", magnify->size, "The image size WxH (default 200x200)");
    magnifyCommand->add_option("--simulate", magnify->simulate,
                               "As seen with a color-vision deficiency: " + ColorVisionNames());
    magnifyCommand->add_option(
        "--severity", magnify->severity,
        "Percent, for protanomaly, deuteranomaly and tritanomaly (default 60)");
    magnifyCommand->callback([magnify, &output] { output = RunMagnify(*magnify); });
}

}  // namespace nl::cli
