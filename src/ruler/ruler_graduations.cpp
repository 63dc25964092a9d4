#include "ruler/ruler_graduations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "document/CRulerData.h"

namespace nl {

namespace {

// One row of the fixed units: twips per unit, then major step and subdivisions for base 10
// and for base 2.
struct FixedUnit {
    int twips;
    int majorDecimal;
    int majorBinary;
    int subDecimal;
    int subBinary;
};

constexpr int kPixelIndex = 0;
constexpr int kCentimeterIndex = 4;
constexpr int kDialogBaseIndex = 6;
constexpr int kDialogIndex = 7;

constexpr std::array<FixedUnit, 6> kFixedUnits = {{
    {0, 50, 32, 25, 16},     // Pixel (twips depend on the display)
    {240, 2, 2, 10, 8},      // Pica
    {20, 25, 24, 5, 8},      // Point
    {1, 1000, 720, 10, 16},  // Twip
    {566, 1, 1, 10, 8},      // Centimeter
    {1440, 1, 1, 20, 32},    // Inch
}};

// Dialog units are so many pixels per unit that the step is chosen to keep roughly this many
// twips between labels.
constexpr double kTargetMajorTwips = 600.0;
// A dialog unit is a quarter of the base unit across and an eighth down.
constexpr int kDialogPerBaseAcross = 4;
constexpr int kDialogPerBaseDown = 8;

constexpr std::array<int, 13> kDecimalMajors = {5,   10,  25,  50,  100, 150, 200,
                                                250, 300, 350, 400, 450, 500};
constexpr std::array<int, 8> kBinaryMajors = {4, 8, 16, 32, 64, 128, 256, 512};
constexpr int kBinaryBlock = 1024;
constexpr int kDecimalBlock = 100;

int RoundMajor(int value, int base) {
    if (base == CRulerData::kBaseDecimal) {
        for (int m : kDecimalMajors)
            if (m >= value) return m;
        return value - value % kDecimalBlock;
    }
    if (base == CRulerData::kBaseBinary) {
        for (int m : kBinaryMajors)
            if (m >= value) return m;
        // Past the list the step is a whole number of blocks; values between the list's end
        // and the first block go up to that block rather than down to nothing.
        return std::max(kBinaryBlock, value - value % kBinaryBlock);
    }
    return base > 0 ? value - value % base : value;
}

int SubdivisionsFrom(int g, int base) {
    if (base == CRulerData::kBaseBinary) {
        if (g >= kBinaryBlock) return g - g % kBinaryBlock;
        for (int n = kBinaryMajors.back(); n >= kBinaryMajors.front(); n /= 2)
            if (n <= g) return n;
        return g;
    }
    if (base == CRulerData::kBaseDecimal) {
        for (int n : {50, 25, 10, 5})
            if (g >= n) return n;
        return g;
    }
    return base > 0 ? g - g % base : g;
}

}  // namespace

std::optional<int> RulerUnitIndex(std::uint32_t options) {
    for (int i = 0; i < kRulerUnitCount; ++i)
        if (options & RulerUnitBit(i)) return i;
    return std::nullopt;
}

UnitMetrics DialogUnitSteps(int twipsPerUnit, int base, int dpi) {
    const int t = std::max(1, twipsPerUnit);
    const int d = std::max(1, dpi);
    const int major = std::max(1, RoundMajor(static_cast<int>(kTargetMajorTwips / t), base));

    const double x = static_cast<double>(t) * major * d / kTwipsPerInch;  // pixels per major
    const int e = static_cast<int>(x / 2);
    const int f = e - e % (base == CRulerData::kBaseBinary ? 8 : 5);

    int g = major;
    if (g < f)
        while (g * 2 <= f) g *= 2;
    if (f % g != 0) g = std::gcd(f % g, g);

    int n = major;
    if (g >= major || e < major) n = SubdivisionsFrom(g, base);
    if (n > 0 && x / n > 2 && x / n < 3) {
        if (base == CRulerData::kBaseBinary || n % 10 == 0 || n % 5 != 0)
            n /= 2;
        else
            n /= 5;
    }
    if (n == 0) n = 1;
    return {t, major, n};
}

UnitMetrics ComputeUnitMetrics(std::uint32_t options, int base, int dpi, int dialogBaseAlong) {
    const int d = std::max(1, dpi);
    const int index = RulerUnitIndex(options).value_or(kCentimeterIndex);
    if (index == kDialogBaseIndex || index == kDialogIndex) {
        const bool vertical = (options & CRulerData::kOptionVertical) != 0;
        int twips = 0;
        if (index == kDialogBaseIndex)
            twips = static_cast<int>(dialogBaseAlong * static_cast<double>(kTwipsPerInch) / d);
        else
            twips = dialogBaseAlong * kTwipsPerInch /
                    ((vertical ? kDialogPerBaseDown : kDialogPerBaseAcross) * d);
        return DialogUnitSteps(twips, base, d);
    }
    // The logical pixel is graduated as the pixel is.
    const bool pixel = index == kPixelIndex || index == kRulerLogicalPixelIndex;
    const FixedUnit& unit = kFixedUnits[static_cast<std::size_t>(pixel ? kPixelIndex : index)];
    const bool binary = base == CRulerData::kBaseBinary;
    const int twips = pixel ? kTwipsPerInch / d : unit.twips;
    return {std::max(1, twips), binary ? unit.majorBinary : unit.majorDecimal,
            binary ? unit.subBinary : unit.subDecimal};
}

double UnitDevicePixels(std::uint32_t options, const UnitMetrics& metrics, int dpi, double scale) {
    const int index = RulerUnitIndex(options).value_or(kCentimeterIndex);
    if (index == kPixelIndex) return 1.0;
    if (index == kRulerLogicalPixelIndex) return scale > 0 ? scale : 1.0;
    return static_cast<double>(metrics.twipsPerUnit) * std::max(1, dpi) / kTwipsPerInch;
}

std::uint32_t StoredRulerOptions(std::uint32_t options) {
    if (RulerUnitIndex(options) != kRulerLogicalPixelIndex) return options & ~kRulerLogicalPixelBit;
    return (options & ~kRulerUnitBits) | CRulerData::kOptionUnitPixel;
}

std::uint32_t RulerOptionsFromStore(std::uint32_t stored, bool logicalPixel) {
    const std::uint32_t options = stored & ~kRulerLogicalPixelBit;
    if (!logicalPixel || RulerUnitIndex(options) != kPixelIndex) return options;
    return (options & ~kRulerUnitBits) | kRulerLogicalPixelBit;
}

Size DialogBaseUnitsFromFont(int widthOfAlphabet, int textHeight) {
    constexpr int kLetters = 26;
    return {(widthOfAlphabet / kLetters + 1) / 2, textHeight};
}

namespace {

// The length of subdivision tick k of n, for a major tick `major` pixels long.
int SubdivisionLength(int k, int n, int major, bool dropShort) {
    const int shortLength = dropShort ? 0 : MulDiv(major, 1, 3);
    if (k * 2 == n) return MulDiv(major, 3, 4);
    if (n % 5 == 0) {
        const bool half = n == 20 ? k % 2 == 0 : k % 5 == 0;
        return half ? MulDiv(major, 1, 2) : shortLength;
    }
    if (n % 2 == 0) {
        if (k % 4 == 0) return MulDiv(major, 2, 3);
        if (k % 4 == 2) return MulDiv(major, 1, 2);
    }
    return shortLength;
}

// No layout draws more major ticks than this, whatever the figures.
constexpr int kMaxMajors = 100000;

// Every how many majors a label goes, starting from `stride`: doubled while the widest label
// (the last one's number has the most digits) would come closer than the gap to the next.
int LabelStride(const GraduationInput& in, double pixelsPerMajor, int stride, int end) {
    if (!in.labelWidth || pixelsPerMajor <= 0) return stride;
    double spacing = pixelsPerMajor;
    if (in.scale >= 1) spacing = spacing * in.scale / CRulerData::kTrueScale;
    if (spacing <= 0) return stride;
    const double lastMajor = std::min<double>(kMaxMajors, std::ceil(end / spacing));
    const auto widest = static_cast<std::int64_t>(lastMajor) * in.metrics.majorStep;
    const int width = in.labelWidth(std::to_string(widest)) + in.labelGap;
    while (stride < kMaxMajors && spacing * stride < width) stride *= 2;
    return stride;
}

}  // namespace

GraduationLayout LayoutGraduations(const GraduationInput& in) {
    GraduationLayout out;
    const int end = in.vertical ? in.client.cy : in.client.cx;
    const int across = in.vertical ? in.client.cx : in.client.cy;
    out.edge = in.inverted ? -1 : across;
    out.direction = in.inverted ? 1 : -1;

    const UnitMetrics& m = in.metrics;
    const double pixelsPerMajor = in.unitPixels * m.majorStep;
    const bool scaled = in.scale >= 1 && in.scale != CRulerData::kTrueScale;
    const bool dropShort = in.scale < CRulerData::kTrueScale;
    const bool allLabels = in.scale >= CRulerData::kTrueScale || in.inch;
    const int labelEvery = LabelStride(in, pixelsPerMajor, allLabels ? 1 : 2, end);
    const int textTop =
        in.inverted ? out.edge + in.majorLength + 1 : out.edge - in.majorLength - in.textHeight;

    int previous = 0;
    for (int i = 0; i < kMaxMajors; ++i) {
        auto p = static_cast<std::int64_t>(pixelsPerMajor * i);
        if (scaled) p = in.scale * p / CRulerData::kTrueScale;
        const int pos = SaturateToInt(p + in.originOffset);
        if (i > 0 && m.subdivisions > 0) {
            for (int k = 1; k < m.subdivisions; ++k) {
                const int length = SubdivisionLength(k, m.subdivisions, in.majorLength, dropShort);
                if (length > 0)
                    out.minors.push_back(
                        {previous + MulDiv(pos - previous, k, m.subdivisions), length});
            }
        }
        out.majors.push_back({pos, in.majorLength});
        if (i % labelEvery == 0)
            out.labels.push_back(
                {pos, textTop, std::to_string(static_cast<std::int64_t>(i) * m.majorStep)});
        previous = pos;
        if (pos >= end) break;
    }
    return out;
}

int LabelStart(int along, int width, int length) {
    const int centred = along - width / 2;
    if (along < 0 || along > length) return centred;
    return std::max(0, std::min(centred, length - width));
}

std::pair<Point, Point> TickLine(const GraduationLayout& layout, const RulerTick& tick,
                                 bool vertical) {
    const int from = layout.edge + layout.direction;
    const int to = layout.edge + layout.direction * tick.length;
    if (vertical) return {{from, tick.along}, {to, tick.along}};
    return {{tick.along, from}, {tick.along, to}};
}

}  // namespace nl
