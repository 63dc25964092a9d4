#include "res/icons.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/command_ids.h"

namespace nl {
namespace {

// The keyboard of the indicator: a rounded board with two rows of five keys and a space bar.
std::string Keyboard(std::string_view board, std::string_view keys) {
    std::string svg = "<rect x=\"0\" y=\"4\" width=\"16\" height=\"10\" rx=\"1.5\" fill=\"";
    svg += board;
    svg += "\"/><g fill=\"";
    svg += keys;
    svg += "\">";
    for (const int y : {5, 8}) {
        for (int x = 1; x < 16; x += 3)
            svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                   "\" width=\"2\" height=\"2\"/>";
    }
    svg += "<rect x=\"4\" y=\"11\" width=\"8\" height=\"2\"/></g>";
    return svg;
}

// The program's lens over three colour sectors.
std::string Lens(std::string_view red, std::string_view green, std::string_view blue,
                 std::string_view outline) {
    const std::string o(outline);
    return "<path d=\"M6.5 6.5 L6.5 1.5 A5 5 0 0 1 10.83 9 Z\" fill=\"" + std::string(red) +
           "\"/><path d=\"M6.5 6.5 L10.83 9 A5 5 0 0 1 2.17 9 Z\" fill=\"" + std::string(green) +
           "\"/><path d=\"M6.5 6.5 L2.17 9 A5 5 0 0 1 6.5 1.5 Z\" fill=\"" + std::string(blue) +
           "\"/><circle cx=\"6.5\" cy=\"6.5\" r=\"5.25\" fill=\"none\" stroke=\"" + o +
           "\" stroke-width=\"1.5\"/><path d=\"M10.5 10.5 L14.5 14.5\" stroke=\"" + o +
           "\" stroke-width=\"2.5\" stroke-linecap=\"round\"/>";
}

// Crop marks around a capture area.
constexpr std::string_view kCropMarks =
    "<path d=\"M1.5 5 V1.5 H5 M11 1.5 H14.5 V5 M14.5 11 V14.5 H11 M5 14.5 H1.5 V11\" "
    "fill=\"none\" stroke=\"#2b3a4a\"/>";

// The marks of a measuring shape: where the drag starts (a corner or the center) and the
// corner where it ends.
constexpr std::string_view kStartAtCorner =
    "<g fill=\"#2b3a4a\"><rect x=\"1\" y=\"3\" width=\"2\" height=\"2\"/>"
    "<rect x=\"13\" y=\"11\" width=\"2\" height=\"2\"/></g>";
constexpr std::string_view kStartAtCenter =
    "<g fill=\"#2b3a4a\"><rect x=\"7\" y=\"7\" width=\"2\" height=\"2\"/>"
    "<rect x=\"13\" y=\"11\" width=\"2\" height=\"2\"/></g>";

// The measured rectangle and ellipse.
constexpr std::string_view kMeasureRectangle =
    "<rect x=\"2.5\" y=\"4.5\" width=\"11\" height=\"7\" fill=\"#fbe3cf\" stroke=\"#c8641e\"/>";
constexpr std::string_view kMeasureEllipse =
    "<ellipse cx=\"8\" cy=\"8\" rx=\"6\" ry=\"4\" fill=\"#fbe3cf\" stroke=\"#c8641e\"/>";

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) text += part;
    return text;
}

// Every icon is drawn on a 16 x 16 grid: lines of width 1 run along half-pixel coordinates and
// filled areas along whole ones, so that they stay sharp at the toolbar's size. Colours: dark
// outlines #2b3a4a, blue #2f6fbf and #1d5fbf on light blue #d6e6fa, measuring orange #c8641e
// on #fbe3cf, ruler yellow #f3d35b.
// Each icon as the elements inside its <svg> element.
std::vector<std::pair<int, std::string>> IconBodies() {
    return {
        // The program: started (in colour) and stopped (greyed).
        {res::kIconStarted, Lens("#e0403a", "#3aa850", "#3a78d8", "#23313f")},
        {res::kIconStopped, Lens("#a4a7ab", "#c6c8cb", "#85898e", "#6b6f75")},

        // The keyboard indicator: green while the keyboard helpers work, grey and struck through
        // while they do not.
        {res::kIconKeyboardAvailable, Keyboard("#2e9d46", "#ffffff")},
        {res::kIconKeyboardUnavailable, Keyboard("#9aa0a6", "#e6e7e9") +
                                            "<path d=\"M1.5 14.5 L14.5 1.5\" stroke=\"#d93025\" "
                                            "stroke-width=\"2\" stroke-linecap=\"round\"/>"},

        // The list buttons: Edit (a pencil) and Test (a loudspeaker with its sound).
        {res::kIconEdit,
         "<path d=\"M2.5 13.5 L3.5 10 L11 2.5 L13.5 5 L6 12.5 Z\" fill=\"#f3d35b\" "
         "stroke=\"#2b3a4a\" stroke-linejoin=\"round\"/>"
         "<path d=\"M9.5 4 L12 6.5\" stroke=\"#2b3a4a\"/>"
         "<path d=\"M2.5 13.5 L3.5 10 L6 12.5 Z\" fill=\"#2b3a4a\"/>"},
        {res::kIconTest,
         "<path d=\"M1.5 5.5 H4.5 L8.5 2 V14 L4.5 10.5 H1.5 Z\" fill=\"#d6e6fa\" "
         "stroke=\"#2b3a4a\" stroke-linejoin=\"round\"/>"
         "<path d=\"M10.5 5.5 Q12 8 10.5 10.5 M12.5 3.5 Q15 8 12.5 12.5\" fill=\"none\" "
         "stroke=\"#2f6fbf\" stroke-width=\"1.25\" stroke-linecap=\"round\"/>"},

        // Document commands: a page, an open folder, a disk.
        {cmd::kFileNew,
         "<path d=\"M3.5 1.5 H9.5 L12.5 4.5 V14.5 H3.5 Z\" fill=\"#ffffff\" stroke=\"#5b6670\" "
         "stroke-linejoin=\"round\"/>"
         "<path d=\"M9.5 1.5 V4.5 H12.5\" fill=\"#dfe3e8\" stroke=\"#5b6670\" "
         "stroke-linejoin=\"round\"/>"},
        {cmd::kFileOpen,
         "<path d=\"M1.5 3.5 H6 L7.5 5 H13.5 V13.5 H1.5 Z\" fill=\"#e8b730\" stroke=\"#9a7412\" "
         "stroke-linejoin=\"round\"/>"
         "<path d=\"M1.5 13.5 L4 7.5 H15.5 L13.5 13.5 Z\" fill=\"#f6d36b\" stroke=\"#9a7412\" "
         "stroke-linejoin=\"round\"/>"},
        {cmd::kFileSave,
         "<rect x=\"1.5\" y=\"1.5\" width=\"13\" height=\"13\" rx=\"1\" fill=\"#2f6fbf\" "
         "stroke=\"#1d4a80\"/>"
         "<rect x=\"4\" y=\"2\" width=\"7\" height=\"4\" fill=\"#e8eef6\"/>"
         "<rect x=\"8\" y=\"3\" width=\"2\" height=\"2\" fill=\"#2f6fbf\"/>"
         "<rect x=\"4\" y=\"9\" width=\"8\" height=\"5\" fill=\"#ffffff\"/>"},

        // The tools.
        {cmd::kToolMagnifier,
         "<circle cx=\"6.5\" cy=\"6.5\" r=\"4.75\" fill=\"#d6e6fa\" stroke=\"#2b3a4a\" "
         "stroke-width=\"1.5\"/>"
         "<path d=\"M4.5 6.5 H8.5 M6.5 4.5 V8.5\" stroke=\"#2f6fbf\"/>"
         "<path d=\"M10.5 10.5 L14.5 14.5\" stroke=\"#2b3a4a\" stroke-width=\"2.5\" "
         "stroke-linecap=\"round\"/>"},
        {cmd::kToolScreenCopier,
         Join({kCropMarks,
               "<rect x=\"4\" y=\"4\" width=\"8\" height=\"8\" fill=\"#d6e6fa\"/>"
               "<path d=\"M4 12 L7 8 L9 10.5 L10 9.5 L12 12 Z\" fill=\"#2e9d46\"/>"
               "<circle cx=\"10\" cy=\"6\" r=\"1\" fill=\"#e8b730\"/>"})},
        {cmd::kToolColorPicker,
         "<path d=\"M10.5 5.5 L4 12\" stroke=\"#9fb8d8\" stroke-width=\"3\"/>"
         "<path d=\"M7.5 8.5 L4 12\" stroke=\"#d23a2a\" stroke-width=\"2\"/>"
         "<path d=\"M4 12 L2 14\" stroke=\"#2b3a4a\" stroke-width=\"1.5\" "
         "stroke-linecap=\"round\"/>"
         "<path d=\"M8.5 3.5 L12.5 7.5\" stroke=\"#2b3a4a\" stroke-width=\"2\" "
         "stroke-linecap=\"round\"/>"
         "<circle cx=\"12.5\" cy=\"3.5\" r=\"2.5\" fill=\"#2b3a4a\"/>"},
        {cmd::kToolGauge,
         "<path d=\"M1.5 4 V12 M14.5 4 V12\" stroke=\"#2b3a4a\"/>"
         "<rect x=\"4\" y=\"7\" width=\"8\" height=\"2\" fill=\"#c8641e\"/>"
         "<path d=\"M2 8 L6 4.5 V11.5 Z M14 8 L10 4.5 V11.5 Z\" fill=\"#c8641e\"/>"},

        // The tool windows.
        {cmd::kRuler,
         "<rect x=\"0.5\" y=\"4.5\" width=\"15\" height=\"7\" fill=\"#f3d35b\" stroke=\"#8a6d00\"/>"
         "<path d=\"M3.5 5 V8 M6.5 5 V7 M9.5 5 V8 M12.5 5 V7\" stroke=\"#8a6d00\"/>"},
        {cmd::kClipboardViewer,
         "<rect x=\"2.5\" y=\"2.5\" width=\"11\" height=\"12\" rx=\"1\" fill=\"#b07a3c\" "
         "stroke=\"#6e4a1f\"/>"
         "<rect x=\"4\" y=\"4\" width=\"8\" height=\"9\" fill=\"#ffffff\"/>"
         "<rect x=\"5.5\" y=\"1.5\" width=\"5\" height=\"3\" fill=\"#c9ccd1\" stroke=\"#4d5258\"/>"
         "<path d=\"M5 7.5 H11 M5 9.5 H11 M5 11.5 H9\" stroke=\"#8a8f96\"/>"},

        // The clipboard viewer's commands: a disk with a pen, two arrows, a list, an eraser.
        {cmd::kFileSaveAs,
         "<rect x=\"1.5\" y=\"1.5\" width=\"11\" height=\"11\" fill=\"#2f6fbf\" "
         "stroke=\"#1d4f8f\"/>"
         "<rect x=\"4\" y=\"2\" width=\"6\" height=\"4\" fill=\"#ffffff\"/>"
         "<path d=\"M9 14.5 L14.5 9\" stroke=\"#c8641e\" stroke-width=\"2\"/>"},
        {cmd::kClipboardPrevious, "<path d=\"M11 2 L4 8 L11 14 Z\" fill=\"#2f6fbf\"/>"},
        {cmd::kClipboardNext, "<path d=\"M5 2 L12 8 L5 14 Z\" fill=\"#2f6fbf\"/>"},
        {cmd::kClipboardFormats,
         "<rect x=\"1.5\" y=\"1.5\" width=\"13\" height=\"13\" fill=\"#ffffff\" "
         "stroke=\"#2b3a4a\"/>"
         "<path d=\"M1.5 5.5 H14.5 M1.5 9.5 H14.5 M5.5 1.5 V14.5\" stroke=\"#8a8f96\"/>"},
        {cmd::kClipboardClear,
         "<path d=\"M2 10 L8 4 L13 9 L9 13 H5 Z\" fill=\"#e8a0a0\" stroke=\"#a33a3a\"/>"
         "<path d=\"M5 13.5 H15\" stroke=\"#2b3a4a\"/>"},

        // The window and the program.
        {cmd::kStayOnTop,
         "<rect x=\"1.5\" y=\"5.5\" width=\"9\" height=\"8\" fill=\"#c9ccd1\" stroke=\"#6b7076\"/>"
         "<rect x=\"5.5\" y=\"1.5\" width=\"9\" height=\"8\" fill=\"#ffffff\" stroke=\"#2f6fbf\"/>"
         "<rect x=\"6\" y=\"2\" width=\"8\" height=\"2\" fill=\"#2f6fbf\"/>"},
        {cmd::kOptions,
         "<g fill=\"#5b6670\">"
         "<circle cx=\"8\" cy=\"8\" r=\"5.5\"/>"
         "<rect x=\"6.5\" y=\"0.5\" width=\"3\" height=\"15\"/>"
         "<rect x=\"6.5\" y=\"0.5\" width=\"3\" height=\"15\" transform=\"rotate(45 8 8)\"/>"
         "<rect x=\"6.5\" y=\"0.5\" width=\"3\" height=\"15\" transform=\"rotate(90 8 8)\"/>"
         "<rect x=\"6.5\" y=\"0.5\" width=\"3\" height=\"15\" transform=\"rotate(135 8 8)\"/>"
         "</g>"
         "<circle cx=\"8\" cy=\"8\" r=\"2.25\" fill=\"#ffffff\"/>"},
        {cmd::kAppAbout,
         "<circle cx=\"8\" cy=\"8\" r=\"7\" fill=\"#2f6fbf\"/>"
         "<rect x=\"7\" y=\"3\" width=\"2\" height=\"2\" fill=\"#ffffff\"/>"
         "<rect x=\"7\" y=\"6\" width=\"2\" height=\"7\" fill=\"#ffffff\"/>"},

        // Auto-copy: two pages with a flash.
        {cmd::kAutoCopy,
         "<rect x=\"1.5\" y=\"1.5\" width=\"8\" height=\"10\" fill=\"#ffffff\" stroke=\"#5b6670\"/>"
         "<rect x=\"5.5\" y=\"4.5\" width=\"9\" height=\"10\" fill=\"#ffffff\" stroke=\"#5b6670\"/>"
         "<path d=\"M11 6 L8 10.5 H10 L9 13.5 L12.5 9 H10.5 L11.5 6 Z\" fill=\"#e8a317\"/>"},

        // Screen copier options.
        {cmd::kIncludeOwnWindows,
         Join({kCropMarks,
               "<rect x=\"4.5\" y=\"4.5\" width=\"7\" height=\"7\" fill=\"#ffffff\" "
               "stroke=\"#2f6fbf\"/>"
               "<rect x=\"5\" y=\"5\" width=\"6\" height=\"2\" fill=\"#2f6fbf\"/>"})},
        {cmd::kIncludeCursor,
         "<path d=\"M4.5 1.5 V13.5 L7.5 10.5 L9.5 14.5 L11.5 13.5 L9.5 9.5 H13.5 Z\" "
         "fill=\"#ffffff\" stroke=\"#2b3a4a\" stroke-linejoin=\"round\"/>"},
        {cmd::kFitToWindow,
         "<rect x=\"0.5\" y=\"1.5\" width=\"15\" height=\"13\" fill=\"#ffffff\" "
         "stroke=\"#5b6670\"/>"
         "<rect x=\"5\" y=\"5\" width=\"6\" height=\"6\" fill=\"#d6e6fa\"/>"
         "<path d=\"M2 2 H6 L2 6 Z M14 2 H10 L14 6 Z M2 14 V10 L6 14 Z M14 14 V10 L10 14 Z\" "
         "fill=\"#2f6fbf\"/>"},

        // Magnifier options.
        {cmd::kStretchCopies,
         "<rect x=\"1.5\" y=\"1.5\" width=\"13\" height=\"13\" fill=\"none\" stroke=\"#2f6fbf\" "
         "stroke-dasharray=\"2 1\"/>"
         "<rect x=\"1.5\" y=\"9.5\" width=\"5\" height=\"5\" fill=\"#c9ccd1\" stroke=\"#2b3a4a\"/>"
         "<path d=\"M6.5 9.5 L11 5\" stroke=\"#2f6fbf\" stroke-width=\"1.5\"/>"
         "<path d=\"M13 3 V8 L8 3 Z\" fill=\"#2f6fbf\"/>"},
        {cmd::kFollowRuler,
         "<rect x=\"0.5\" y=\"10.5\" width=\"15\" height=\"5\" fill=\"#f3d35b\" "
         "stroke=\"#8a6d00\"/>"
         "<path d=\"M3.5 11 V13 M6.5 11 V12 M9.5 11 V13 M12.5 11 V12\" stroke=\"#8a6d00\"/>"
         "<circle cx=\"6\" cy=\"4.5\" r=\"3.5\" fill=\"#d6e6fa\" stroke=\"#2b3a4a\"/>"
         "<path d=\"M8.5 7 L11.5 9.5\" stroke=\"#2b3a4a\" stroke-width=\"2\" "
         "stroke-linecap=\"round\"/>"},
        {cmd::kDrawCursorPosition,
         "<rect x=\"0.5\" y=\"0.5\" width=\"15\" height=\"15\" fill=\"#d6e6fa\" "
         "stroke=\"#5b6670\"/>"
         "<path d=\"M5.5 1 V15 M10.5 1 V15 M1 5.5 H15 M1 10.5 H15\" stroke=\"#9fb8d8\"/>"
         "<rect x=\"6\" y=\"6\" width=\"4\" height=\"4\" fill=\"#2b3a4a\"/>"},

        // Gauge options: the program's window beside a measurement, and the measuring grid.
        {cmd::kShowWhileMeasuring,
         "<rect x=\"1.5\" y=\"1.5\" width=\"10\" height=\"8\" fill=\"#ffffff\" "
         "stroke=\"#2f6fbf\"/>"
         "<rect x=\"2\" y=\"2\" width=\"9\" height=\"2\" fill=\"#2f6fbf\"/>"
         "<path d=\"M1.5 11 V15 M14.5 11 V15\" stroke=\"#2b3a4a\"/>"
         "<rect x=\"2\" y=\"12\" width=\"12\" height=\"2\" fill=\"#c8641e\"/>"},
        {cmd::kShowGridWhileMeasuring,
         "<rect x=\"0.5\" y=\"0.5\" width=\"15\" height=\"15\" fill=\"#fbe3cf\" "
         "stroke=\"#c8641e\"/>"
         "<path d=\"M5.5 1 V15 M10.5 1 V15 M1 5.5 H15 M1 10.5 H15\" stroke=\"#c8641e\"/>"},

        // Snapping: a corner drawn onto the edge of a box.
        {cmd::kSnapToEdges,
         "<rect x=\"4.5\" y=\"4.5\" width=\"11\" height=\"11\" fill=\"#d6e6fa\" "
         "stroke=\"#1d5fbf\"/>"
         "<path d=\"M1 4.5 H8 M4.5 1 V8\" stroke=\"#c8641e\" stroke-width=\"2\"/>"},

        // Keeping measurements: a pin over two boxes.
        {cmd::kKeepMeasurements,
         "<rect x=\"1.5\" y=\"6.5\" width=\"7\" height=\"6\" fill=\"#d6e6fa\" "
         "stroke=\"#1d5fbf\"/>"
         "<rect x=\"6.5\" y=\"9.5\" width=\"8\" height=\"5\" fill=\"#d6e6fa\" "
         "stroke=\"#1d5fbf\"/>"
         "<circle cx=\"11\" cy=\"3.5\" r=\"2.5\" fill=\"#c8641e\"/>"
         "<path d=\"M11 6 V9\" stroke=\"#2b3a4a\" stroke-width=\"1.5\"/>"},

        // Capture shapes.
        {cmd::kCaptureRectangle,
         "<rect x=\"1.5\" y=\"3.5\" width=\"13\" height=\"9\" fill=\"#d6e6fa\" "
         "stroke=\"#1d5fbf\"/>"},
        {cmd::kCaptureRoundedRectangle,
         "<rect x=\"1.5\" y=\"3.5\" width=\"13\" height=\"9\" rx=\"3\" fill=\"#d6e6fa\" "
         "stroke=\"#1d5fbf\"/>"},
        {cmd::kCaptureEllipse,
         "<ellipse cx=\"8\" cy=\"8\" rx=\"6.5\" ry=\"5\" fill=\"#d6e6fa\" stroke=\"#1d5fbf\"/>"},
        {cmd::kCaptureCustom,
         "<path d=\"M2.5 5.5 L7 2.5 L13.5 4.5 L11.5 9 L14 13.5 L5.5 13 L3.5 9.5 Z\" "
         "fill=\"#d6e6fa\" stroke=\"#1d5fbf\" stroke-linejoin=\"round\"/>"},
        {cmd::kCaptureWindow,
         "<rect x=\"1.5\" y=\"2.5\" width=\"13\" height=\"11\" fill=\"#ffffff\" "
         "stroke=\"#1d5fbf\"/>"
         "<rect x=\"2\" y=\"3\" width=\"12\" height=\"2\" fill=\"#1d5fbf\"/>"},
        {cmd::kCaptureMonitor,
         "<rect x=\"1.5\" y=\"1.5\" width=\"13\" height=\"9\" fill=\"#d6e6fa\" stroke=\"#2b3a4a\"/>"
         "<rect x=\"7\" y=\"11\" width=\"2\" height=\"2\" fill=\"#2b3a4a\"/>"
         "<path d=\"M4 13.5 H12\" stroke=\"#2b3a4a\"/>"},
        {cmd::kCaptureDesktop,
         "<rect x=\"0.5\" y=\"3.5\" width=\"7\" height=\"6\" fill=\"#d6e6fa\" stroke=\"#2b3a4a\"/>"
         "<rect x=\"8.5\" y=\"3.5\" width=\"7\" height=\"6\" fill=\"#d6e6fa\" stroke=\"#2b3a4a\"/>"
         "<rect x=\"3\" y=\"10\" width=\"2\" height=\"2\" fill=\"#2b3a4a\"/>"
         "<rect x=\"11\" y=\"10\" width=\"2\" height=\"2\" fill=\"#2b3a4a\"/>"
         "<path d=\"M1 12.5 H7 M9 12.5 H15\" stroke=\"#2b3a4a\"/>"},

        // Measuring shapes.
        {cmd::kMeasureLine,
         "<path d=\"M2.5 13.5 L13.5 2.5\" stroke=\"#c8641e\" stroke-width=\"1.5\"/>"
         "<g fill=\"#2b3a4a\"><rect x=\"1\" y=\"12\" width=\"3\" height=\"3\"/>"
         "<rect x=\"12\" y=\"1\" width=\"3\" height=\"3\"/></g>"},
        {cmd::kMeasureRectangle, Join({kMeasureRectangle, kStartAtCorner})},
        {cmd::kMeasureRectangleFromCenter, Join({kMeasureRectangle, kStartAtCenter})},
        {cmd::kMeasureEllipse, Join({kMeasureEllipse, kStartAtCorner})},
        {cmd::kMeasureEllipseFromCenter, Join({kMeasureEllipse, kStartAtCenter})},
        {cmd::kMeasurePath,
         "<path d=\"M2.5 12.5 L5.5 4.5 L10.5 9.5 L13.5 3.5\" fill=\"none\" stroke=\"#c8641e\" "
         "stroke-width=\"1.5\" stroke-linejoin=\"round\"/>"
         "<g fill=\"#2b3a4a\"><rect x=\"1.5\" y=\"11.5\" width=\"2\" height=\"2\"/>"
         "<rect x=\"4.5\" y=\"3.5\" width=\"2\" height=\"2\"/>"
         "<rect x=\"9.5\" y=\"8.5\" width=\"2\" height=\"2\"/>"
         "<rect x=\"12.5\" y=\"2.5\" width=\"2\" height=\"2\"/></g>"},
    };
}

struct Icon {
    int id;
    std::string svg;
};

std::vector<Icon> BuildIcons() {
    std::vector<Icon> icons;
    for (auto& [id, body] : IconBodies()) {
        std::string svg =
            R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 16 16" width="16" height="16">)";
        svg += body;
        svg += "</svg>";
        icons.push_back({id, std::move(svg)});
    }
    return icons;
}

}  // namespace

std::string_view FindIconSvg(int id) {
    static const std::vector<Icon> kIcons = BuildIcons();
    for (const Icon& icon : kIcons)
        if (icon.id == id) return icon.svg;
    return {};
}

}  // namespace nl
