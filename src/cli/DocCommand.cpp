#include "cli/DocCommand.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/CSystemError.h"
#include "base/text.h"
#include "cli/CompletionCommand.h"
#include "cli/command_support.h"
#include "cli/doc_info.h"
#include "document/CDocApp.h"
#include "document/measurements_json.h"
#include "export/export_colors.h"
#include "export/palette_files.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "platform/ILocale.h"
#include "platform/local/LocalFileSystem.h"
#include "platform/local/PosixLocale.h"
#include "platform/local/PosixSystemInfo.h"
#include "platform/locale_names.h"

namespace nl::cli {
namespace {

constexpr std::int64_t kMaxDpi = 1'000'000;
// What a pick over the desktop background calls its source.
constexpr const char* kDesktopTitle = CColPick::kDesktopTitle;
// The export file names that work.
constexpr std::string_view kExportFileForms =
    "the export file must end in .txt (tab-delimited text), .csv (CSV with semicolons), .htm "
    "(HTML), .xml (XML), .gpl (GIMP palette), .css (CSS custom properties), .json (JSON) or "
    ".ase (Adobe Swatch Exchange)";
// The output name that stands for standard output.
constexpr std::string_view kStdout = "-";
// Notices on stderr begin as the program's error lines do.
constexpr std::string_view kProgramPrefix = "nerimlens-cli: ";

// A failure of the command itself rather than of its arguments: exits 1 like a bad file.
class DocFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Arguments ----

std::optional<int> ParseInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const auto value = ParseWholeNumber(text, std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max());
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
}

// `count` comma-separated whole numbers.
std::optional<std::vector<int>> ParseInts(std::string_view text, std::size_t count) {
    std::vector<int> values;
    for (;;) {
        const std::size_t comma = text.find(',');
        const auto value = ParseInt(text.substr(0, comma));
        if (!value) return std::nullopt;
        values.push_back(*value);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (values.size() != count) return std::nullopt;
    return values;
}

Point ParsePoint(const std::string& text, std::string_view what) {
    const auto values = ParseInts(text, 2);
    if (!values)
        throw UsageError("invalid " + std::string(what) + " \"" + text +
                         "\": expected X,Y in whole pixels such as 120,-40");
    return {(*values)[0], (*values)[1]};
}

std::pair<Point, Point> ParseTwoPoints(const std::string& text, std::string_view what) {
    const auto values = ParseInts(text, 4);
    if (!values)
        throw UsageError("invalid " + std::string(what) + " \"" + text +
                         "\": expected X1,Y1,X2,Y2 in whole pixels such as 10,10,250,90");
    return {{(*values)[0], (*values)[1]}, {(*values)[2], (*values)[3]}};
}

DisplayMetrics ParseDpi(const std::string& text) {
    DisplayMetrics metrics;
    metrics.dpiX = metrics.dpiY = kDefaultDpi;
    if (text.empty()) return metrics;
    const std::size_t comma = text.find(',');
    const auto x = ParseWholeNumber(std::string_view(text).substr(0, comma), 1, kMaxDpi);
    std::optional<std::int64_t> y = x;
    if (comma != std::string::npos)
        y = ParseWholeNumber(std::string_view(text).substr(comma + 1), 1, kMaxDpi);
    if (!x || !y)
        throw UsageError("invalid --dpi \"" + text +
                         "\": expected dots per inch as N or X,Y, whole numbers from 1 to " +
                         std::to_string(kMaxDpi));
    metrics.dpiX = static_cast<int>(*x);
    metrics.dpiY = static_cast<int>(*y);
    return metrics;
}

// The number format of --locale (C: the neutral one; none: the user's locale). Dates and
// times follow the same locale.
NumberFormat RegionalFormat(const std::string& locale, bool given) {
    const char* name = given ? locale.c_str() : "";
    if (given && IsNeutralLocale(locale)) {
        std::setlocale(LC_TIME, "C");
        return NumberFormat::Neutral();
    }
    const auto format = PosixLocale::NumberFormatOf(name);
    if (!format) {
        if (given)
            throw UsageError("unknown --locale \"" + locale +
                             "\": expected C or the name of a locale installed on this system");
        std::setlocale(LC_TIME, "C");
        return NumberFormat::Neutral();  // a broken locale environment: the neutral form
    }
    if (std::setlocale(LC_TIME, name) == nullptr) std::setlocale(LC_TIME, "C");
    return *format;
}

// The length unit that --unit names (index or abbreviation); pixels by default.
const CUnitXY& ChooseUnit(const CUnitsXY& units, const std::string& query, bool given) {
    if (!given) return units.GetAt(0);
    std::vector<std::string> abbreviations;
    for (const CUnitXY& unit : units) abbreviations.push_back(unit.Abbreviation());
    return units.GetAt(ChooseRow(abbreviations, query, "unit"));
}

// ---- Documents ----

struct Services {
    SystemClock clock;
    LocalFileSystem files;
};

// ---- Info ----

struct InfoArgs {
    std::string file;
};

// Writes the report straight to standard output once the whole document has been read.
std::string RunInfo(const InfoArgs& args) {
    Services services;
    CDocApp doc(services.clock, services.files);
    doc.OnOpenDocument(args.file);
    WriteDocumentInfoJson(doc, std::cout);
    if (!std::cout.flush()) throw std::runtime_error("cannot write the output");
    return {};
}

// ---- Add ----

struct AddArgs {
    std::string file;
    std::string color;
    std::string at = "0,0";
    std::string title = kDesktopTitle;
    std::string windowClass;
};

std::string RunAdd(const AddArgs& args) {
    const COLORREF color = ParseColorArgument(args.color);
    const Point at = ParsePoint(args.at, "--at");
    Services services;
    CDocApp doc(services.clock, services.files);
    std::optional<CColPick> dropped;
    doc.UpdateDocument(args.file, MissingDocument::kStartEmpty, [&] {
        // The live sample as a pick over a window at `at` leaves it, then the pick itself.
        CColPick& sample = doc.Colors().Sample();
        sample = CColPick(CColPick::StampNow(services.clock));
        sample.SetVersion(1);
        sample.SetColor(color);
        sample.SetPosition(at);
        sample.SetRelativePosition(at);
        sample.SetSourceTitle(args.title);
        sample.SetWindowClass(args.windowClass);
        // A full list makes room by dropping its oldest color, as a pick does.
        dropped.reset();
        if (doc.Colors().GetCount() >= CColorPicker::kMaxColors) dropped = doc.Colors().GetAt(0);
        doc.Colors().InsertColor(doc.Colors().GetCount(), sample);
        return true;
    });
    // Said only once the document is saved; the command's result stays on stdout.
    if (dropped)
        std::cerr << kProgramPrefix << args.file << " held " << CColorPicker::kMaxColors
                  << " colors, the most a document keeps: the oldest, "
                  << HashColor(dropped->Color()) << ", was dropped\n";
    return {};
}

// ---- Measure ----

struct UnitArgs {
    std::string unit;
    std::string dpi;
    std::string locale;
};

struct MeasureArgs {
    std::string file;
    std::string line;
    std::string rect;
    std::string ellipse;
    std::vector<std::string> path;
    bool center = false;
    bool keep = false;
    bool json = false;
    std::string from;
    UnitArgs units;
};

// The unit and number format the figures are written in.
struct FigureUnit {
    NumberFormat regional;
    CUnitsXY units;
    const CUnitXY* unit = nullptr;
};

void LoadFigureUnit(FigureUnit& figures, const UnitArgs& args, bool unitGiven, bool localeGiven) {
    const DisplayMetrics metrics = ParseDpi(args.dpi);
    figures.regional = RegionalFormat(args.locale, localeGiven);
    if (!figures.units.LoadUnits(metrics, &figures.regional))
        throw DocFailure("the length units are missing");
    figures.unit = &ChooseUnit(figures.units, args.unit, unitGiven);
}

bool HasGesture(const MeasureArgs& args) {
    return !args.line.empty() || !args.rect.empty() || !args.ellipse.empty() || !args.path.empty();
}

// The bytes of `path`, or of the standard input for "-".
std::string ReadTextFile(IFileSystem& files, const std::string& path) {
    if (path == kStdout) {
        std::string text((std::istreambuf_iterator<char>(std::cin)),
                         std::istreambuf_iterator<char>());
        return text;
    }
    std::vector<std::uint8_t> bytes;
    if (const std::uint32_t code = files.ReadFile(path, bytes)) throw CSystemError(code, path);
    return std::string(bytes.begin(), bytes.end());
}

MeaGesture GestureOf(const MeasureArgs& args) {
    const int shapes =
        !args.line.empty() + !args.rect.empty() + !args.ellipse.empty() + !args.path.empty();
    if (shapes != 1) throw UsageError("give exactly one of --line, --rect, --ellipse or --path");
    MeaGesture gesture;
    if (!args.path.empty()) {
        if (args.center) throw UsageError("--center goes with --rect or --ellipse only");
        gesture.shape = MeaShape::kPath;
        for (const std::string& vertex : args.path)
            gesture.points.push_back(ParsePoint(vertex, "--path vertex"));
        gesture.origin = gesture.first = gesture.points.front();
        gesture.last = gesture.points.back();
        return gesture;
    }
    std::string corners;
    if (!args.line.empty()) {
        if (args.center) throw UsageError("--center goes with --rect or --ellipse only");
        gesture.shape = MeaShape::kLine;
        corners = args.line;
    } else if (!args.rect.empty()) {
        gesture.shape = MeaShape::kRectangle;
        corners = args.rect;
    } else {
        gesture.shape = MeaShape::kEllipse;
        corners = args.ellipse;
    }
    const auto [from, to] = ParseTwoPoints(corners, "corners");
    gesture.fromCenter = args.center ? MeaFromCenter::kYes : MeaFromCenter::kNo;
    gesture.origin = from;  // the start, or the center when measuring from the center
    gesture.first = from;
    gesture.last = to;
    return gesture;
}

std::string RunMeasure(const MeasureArgs& args, bool unitGiven, bool localeGiven) {
    if (!args.from.empty() && HasGesture(args))
        throw UsageError("--from replaces the measurements; give no gesture with it");
    if (args.keep && !HasGesture(args)) throw UsageError("--keep goes with a gesture");
    if (!HasGesture(args) && args.from.empty() && !args.json)
        throw UsageError("give one of --line, --rect, --ellipse, --path, --from or --json");
    FigureUnit figures;
    if (args.json) LoadFigureUnit(figures, args.units, unitGiven, localeGiven);
    Services services;
    CDocApp doc(services.clock, services.files);
    if (HasGesture(args)) {
        const MeaGesture gesture = GestureOf(args);
        doc.UpdateDocument(args.file, MissingDocument::kRefuse, [&] {
            if (!doc.CompleteMeasurement(gesture,
                                         args.keep ? KeepMeasurement::kYes : KeepMeasurement::kNo))
                throw DocFailure(
                    "the gesture covers at most one pixel each way, which is no measurement; " +
                    args.file + " was left as it was");
            return true;
        });
    } else if (!args.from.empty()) {
        const std::string name = args.from == kStdout ? std::string("standard input") : args.from;
        std::vector<CWndCapMeaData> read =
            ReadMeasurementsJson(ReadTextFile(services.files, args.from), name);
        doc.UpdateDocument(args.file, MissingDocument::kRefuse, [&] {
            doc.ReplaceMeasurements(std::move(read));
            return true;
        });
    } else {
        doc.OnOpenDocument(args.file);
    }
    if (!args.json) return {};
    return MeasurementsJson(doc.Measurements(), figures.unit, figures.regional);
}

// ---- Rows ----

struct RowsArgs {
    std::string file;
    UnitArgs units;
};

std::string RunRows(const RowsArgs& args, bool unitGiven, bool localeGiven) {
    FigureUnit figures;
    LoadFigureUnit(figures, args.units, unitGiven, localeGiven);
    const CUnitXY& unit = *figures.unit;
    const NumberFormat& regional = figures.regional;

    Services services;
    CDocApp doc(services.clock, services.files);
    doc.OnOpenDocument(args.file);
    const CWndCapMeaData& measurement = doc.Measurement();
    const std::vector<std::string> rows = measurement.BuildRows(unit, regional);
    std::string out;
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) out += rows[i] + "\t" + rows[i + 1] + "\n";
    out += "primary\t" + measurement.PrimaryFigure(unit, regional) + "\n";
    return out;
}

// ---- Export ----

struct ExportArgs {
    std::string file;
    std::string out;
    std::string colorFormat;
    std::string clipboardForm;
    bool details = false;
    bool gridlines = false;
    UnitArgs units;
};

// Which of the export's optional settings the command line gave.
struct ExportGiven {
    bool format = false;
    bool unit = false;
    bool locale = false;
    bool clipboard = false;
};

std::string RunExport(const ExportArgs& args, const ExportGiven& given) {
    const auto [formatGiven, unitGiven, localeGiven, clipboardGiven] = given;
    const bool toStdout = args.out == kStdout;
    if (toStdout != clipboardGiven)
        throw UsageError(toStdout
                             ? "output \"-\" needs --clipboard-form N (0-4)"
                             : "--clipboard-form goes with the output \"-\" (standard output)");
    std::int32_t exportOption = 0;
    if (clipboardGiven) {
        const auto value =
            ParseWholeNumber(args.clipboardForm, AppSettings::kExportTabs, AppSettings::kExportXml);
        if (!value)
            throw UsageError("invalid --clipboard-form \"" + args.clipboardForm +
                             "\": expected 0 tab-delimited text, 1 CSV with commas, 2 CSV with "
                             "semicolons, 3 HTML or 4 XML");
        exportOption = static_cast<std::int32_t>(*value);
    } else if (!FileFormFromPath(args.out) && !PaletteFormFromPath(args.out)) {
        throw UsageError("cannot export to \"" + args.out + "\": " + std::string(kExportFileForms));
    }

    const DisplayMetrics metrics = ParseDpi(args.units.dpi);
    const NumberFormat regional = RegionalFormat(args.units.locale, localeGiven);
    CUnitsXY units;
    if (!units.LoadUnits(metrics, &regional)) throw DocFailure("the length units are missing");
    const CUnitXY& unit = ChooseUnit(units, args.units.unit, unitGiven);
    CUnitsCol formats;
    if (!formats.LoadColorFormats()) throw DocFailure("the color formats are missing");
    int formatRow = 0;
    if (formatGiven) {
        std::vector<std::string> names;
        for (const CUnitCol& format : formats) names.push_back(format.Name());
        formatRow = ChooseRow(names, args.colorFormat, "color format");
    }

    Services services;
    CDocApp doc(services.clock, services.files);
    doc.OnOpenDocument(args.file);

    const PosixLocale locale(regional);
    const PosixSystemInfo systemInfo;
    ExportContext context;
    context.colorFormats = &formats;
    context.colorFormat = formatRow;
    context.unit = &unit;
    context.gridlines = args.gridlines;
    context.details = args.details;
    context.documentTitle = doc.Title();
    context.clock = &services.clock;
    context.locale = &locale;
    context.systemInfo = &systemInfo;

    if (toStdout) {
        return ExportColorsToText(doc.Colors(), context, ClipboardFormFromOption(exportOption),
                                  ExportDestination::kClipboard);
    }
    ExportToFile(services.files, args.out, doc.Colors(), context);
    return {};
}

// The options of the length unit and number format, for asking whether each was given.
struct UnitOptions {
    CLI::Option* unit = nullptr;
    CLI::Option* locale = nullptr;
};

UnitOptions AddUnitOptions(CLI::App* command, UnitArgs& args) {
    UnitOptions options;
    options.unit = command->add_option(
        "-u,--unit", args.unit,
        "Length unit: px, pc, pt, tw, cm, in, lpx or its index 0-6 (default px)");
    CompleteValues(options.unit, LengthUnitAbbreviations());
    command->add_option("--dpi", args.dpi,
                        "Dots per inch: N for both directions or X,Y (default 96)");
    options.locale = command->add_option(
        "--locale", args.locale,
        "Number format: C for the neutral one, or a locale name (default: the user's locale)");
    return options;
}

// A subcommand on one document file; `args` lives as long as the callbacks that share it.
template <class Args>
CLI::App* AddFileCommand(CLI::App* doc, const char* name, const char* description,
                         std::shared_ptr<Args>& args) {
    args = std::make_shared<Args>();
    CLI::App* command = doc->add_subcommand(name, description);
    command->add_option("FILE", args->file, "The document file (.nlz)")->required();
    return command;
}

}  // namespace

void RegisterDocCommand(CLI::App& app, std::string& output) {
    CLI::App* doc = app.add_subcommand("doc", "Read and change NerimLens document files (.nlz)");
    doc->require_subcommand(1);

    std::shared_ptr<InfoArgs> info;
    AddFileCommand(doc, "info", "Show a document's colors and measurement as JSON", info)
        ->callback([info, &output] {
            output = RunNamingFile(FileUse::kRead, info->file, [&] { return RunInfo(*info); });
        });

    std::shared_ptr<AddArgs> added;
    CLI::App* add = AddFileCommand(
        doc, "add", "Append a color the way a pick does, creating the document when it is missing",
        added);
    add->add_option("COLOR", added->color, std::string(kColorArgumentForms))->required();
    add->add_option("--at", added->at, "Screen position X,Y of the picked pixel (default 0,0)");
    add->add_option("--title", added->title,
                    std::string("Title of the source window (default \"") + kDesktopTitle + "\")");
    add->add_option("--class", added->windowClass, "Class name of the window under the pixel");
    add->callback([added, &output] {
        output = RunNamingFile(FileUse::kWrite, added->file, [&] { return RunAdd(*added); });
    });

    std::shared_ptr<MeasureArgs> gesture;
    CLI::App* measure = AddFileCommand(
        doc, "measure",
        "Complete a gesture the way the Gauge does and keep it as the measurement, take the "
        "measurements of a JSON file, or write them as JSON",
        gesture);
    measure->add_option("--line", gesture->line, "A line from X1,Y1 to X2,Y2");
    measure->add_option("--rect", gesture->rect, "A rectangle dragged from X1,Y1 to X2,Y2");
    measure->add_option("--ellipse", gesture->ellipse, "An ellipse dragged from X1,Y1 to X2,Y2");
    measure->add_flag("--center", gesture->center,
                      "The rectangle or ellipse was dragged from its center X1,Y1");
    measure->add_option("--path", gesture->path, "The vertices X,Y X,Y ... of an open path");
    measure->add_flag("--keep", gesture->keep,
                      "Keep the measurement the gesture replaces in the list of measurements");
    measure->add_option("--from", gesture->from,
                        "Take the measurements of a JSON file (- for standard input) in place of "
                        "the document's");
    measure->add_flag("--json", gesture->json,
                      "Write the measurements, with their figures, as JSON to standard output");
    const UnitOptions measureUnits = AddUnitOptions(measure, gesture->units);
    measure->callback([gesture, measureUnits, &output] {
        const bool writes = HasGesture(*gesture) || !gesture->from.empty();
        output = RunNamingFile(writes ? FileUse::kWrite : FileUse::kRead, gesture->file, [&] {
            return RunMeasure(*gesture, measureUnits.unit->count() > 0,
                              measureUnits.locale->count() > 0);
        });
    });

    std::shared_ptr<RowsArgs> rowArgs;
    CLI::App* rows = AddFileCommand(
        doc, "rows", "Show the measurement's property rows (NAME<TAB>VALUE) and its primary figure",
        rowArgs);
    const UnitOptions rowUnits = AddUnitOptions(rows, rowArgs->units);
    rows->callback([rowArgs, rowUnits, &output] {
        output = RunNamingFile(FileUse::kRead, rowArgs->file, [&] {
            return RunRows(*rowArgs, rowUnits.unit->count() > 0, rowUnits.locale->count() > 0);
        });
    });

    std::shared_ptr<ExportArgs> exported;
    CLI::App* exportCommand =
        AddFileCommand(doc, "export",
                       "Export the colors to OUT (.txt, .csv, .htm, .xml, .gpl, .css or .json), or "
                       "with --clipboard-form N and OUT "
                       "\"-\" write the clipboard text to standard output",
                       exported);
    exportCommand->add_option("OUT", exported->out, "The export file, or - for standard output")
        ->required();
    CLI::Option* format = exportCommand->add_option(
        "--color-format", exported->colorFormat,
        "Color format: its name or index in the color format table (default 0)");
    CompleteValues(format, ColorFormatNames());
    CLI::Option* clipboard = exportCommand->add_option(
        "--clipboard-form", exported->clipboardForm,
        "The clipboard form: 0 text, 1 CSV with commas, 2 CSV with semicolons, 3 HTML, 4 XML");
    exportCommand->add_flag("--details", exported->details, "HTML as a report table, not tiles");
    exportCommand->add_flag("--gridlines", exported->gridlines, "Grid lines on (HTML spacing)");
    const UnitOptions exportUnits = AddUnitOptions(exportCommand, exported->units);
    exportCommand->callback([exported, format, exportUnits, clipboard, &output] {
        output = RunNamingFile(FileUse::kWrite, exported->file, [&] {
            return RunExport(*exported, {.format = format->count() > 0,
                                         .unit = exportUnits.unit->count() > 0,
                                         .locale = exportUnits.locale->count() > 0,
                                         .clipboard = clipboard->count() > 0});
        });
    });
}

}  // namespace nl::cli
