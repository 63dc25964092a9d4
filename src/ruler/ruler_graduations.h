#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace nl {

// How the ruler graduates one length unit: the unit's size in twips, the units between two
// labelled (major) ticks and the number of ticks per major interval (0 = none).
struct UnitMetrics {
    int twipsPerUnit = 1;
    int majorStep = 1;
    int subdivisions = 0;
    friend bool operator==(const UnitMetrics&, const UnitMetrics&) = default;
};

inline constexpr int kTwipsPerInch = 1440;
// Pixel .. Dialog, then the logical pixel: a device pixel divided by the monitor's scale.
inline constexpr int kRulerUnitCount = 9;
inline constexpr int kRulerLogicalPixelIndex = 8;

// The index (0 Pixel .. 7 Dialog, 8 Logical pixel) of the unit bit set in the ruler's option
// word, or nothing when no unit bit is set. The lowest set bit wins.
std::optional<int> RulerUnitIndex(std::uint32_t options);
// The option bit of unit `index`.
constexpr std::uint32_t RulerUnitBit(int index) {
    return 1u << index;
}
// All the unit bits of the window's option word. The logical pixel's is the window's own: the
// stored options know eight units, so it is stored as Pixel with a side setting that says
// which pixel.
inline constexpr std::uint32_t kRulerUnitBits = 0x01FF;
inline constexpr std::uint32_t kRulerLogicalPixelBit = 1u << kRulerLogicalPixelIndex;
// The window's options as stored, and the stored options as the window takes them.
std::uint32_t StoredRulerOptions(std::uint32_t options);
std::uint32_t RulerOptionsFromStore(std::uint32_t stored, bool logicalPixel);

// The major step and subdivisions of a unit `twipsPerUnit` twips long, graduated in base
// `base`, on a display of `dpi` dots per inch: round values that keep the ticks readable.
UnitMetrics DialogUnitSteps(int twipsPerUnit, int base, int dpi);

// The metrics of the unit whose bit is set in `options` (any word without one graduates in
// centimeters). `dialogBaseAlong` is the dialog base unit along the ruler (across for a
// horizontal ruler, down for a vertical one). A unit shorter than a twip at this density is
// taken as one twip long, so the readouts never divide by zero.
UnitMetrics ComputeUnitMetrics(std::uint32_t options, int base, int dpi, int dialogBaseAlong);

// The device pixels one unit of `metrics` spans at true size on a display of `dpi` device
// dots per inch: the pixel unit is one device pixel at any density, the logical pixel `scale`
// of them (the scale of the monitor the ruler is on), the others so many twips of the
// display's inch.
double UnitDevicePixels(std::uint32_t options, const UnitMetrics& metrics, int dpi,
                        double scale = 1.0);

// The dialog base units of a font from its text figures: `widthOfAlphabet` is the width of
// "A..Za..z" (52 letters), `textHeight` the font's height.
Size DialogBaseUnitsFromFont(int widthOfAlphabet, int textHeight);

// What the graduations are drawn from.
struct GraduationInput {
    Size client;            // the ruler's client size in pixels
    bool vertical = false;  // the ruler runs down
    bool inverted = false;  // graduations on the top (horizontal) or left (vertical) edge
    int scale = 100;        // the scaling factor in percent
    double unitPixels = 1;  // pixels per unit at true size (UnitDevicePixels)
    UnitMetrics metrics;    // of the current unit
    bool inch = false;      // the unit is Inch (every major tick keeps its label)
    int originOffset = 0;   // pixels from the client start to the zero tick
    int majorLength = 12;   // pixels
    int textHeight = 0;     // the label font's height in pixels
    // The width in pixels of a label's text; when given, labels are thinned out (every
    // second, fourth, ... major keeps one) until neighbours are `labelGap` pixels apart.
    std::function<int(std::string_view)> labelWidth;
    int labelGap = 0;
};

// One tick: its position along the ruler (client pixels) and its length in pixels from the
// graduated edge inward.
struct RulerTick {
    int along = 0;
    int length = 0;
    friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

// A major tick's label: the text, centred at `along`; its text box spans `textHeight` pixels
// across the ruler starting at `acrossTop` (the smaller client coordinate across).
struct RulerLabel {
    int along = 0;
    int acrossTop = 0;
    std::string text;
    friend bool operator==(const RulerLabel&, const RulerLabel&) = default;
};

struct GraduationLayout {
    // The client coordinate across the ruler just outside the graduated edge (the origin
    // point's); a tick of length λ covers the λ pixels inward from there.
    int edge = 0;
    int direction = -1;  // +1 when ticks grow toward larger coordinates, -1 otherwise
    std::vector<RulerTick> majors;
    std::vector<RulerTick> minors;
    std::vector<RulerLabel> labels;
};

// The ticks and labels for `input`: majors at every major step from the zero tick, the
// subdivisions between them, stopping after the first major tick at or beyond the client's
// end. Labels go on every major at true size and above (or in inches), on every second one
// below, and on fewer where their texts would touch.
GraduationLayout LayoutGraduations(const GraduationInput& input);

// Where the text of a label `width` pixels wide starts along a ruler `length` pixels long:
// centred on its tick at `along`, but moved back inside the ruler when it would cross either
// end, so the first and last labels show whole. A tick outside the ruler keeps the centred
// place.
int LabelStart(int along, int width, int length);

// The end points (client pixels, both inclusive) of the line that draws `tick`.
std::pair<Point, Point> TickLine(const GraduationLayout& layout, const RulerTick& tick,
                                 bool vertical);

}  // namespace nl
