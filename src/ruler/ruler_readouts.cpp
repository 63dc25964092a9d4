#include "ruler/ruler_readouts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "document/CRulerData.h"
#include "model/NumberFormat.h"

namespace nl {

namespace {

constexpr int kReadoutDecimals = 2;
constexpr double kPi = 3.14159265358;
constexpr double kDegreesPerHalfTurn = 180.0;

// The zoom step: finer below this factor, coarser from it.
constexpr int kCoarseZoomFrom = 200;
constexpr int kFineZoomStep = 10;
constexpr int kCoarseZoomStep = 20;

bool IsVertical(std::uint32_t options) {
    return (options & CRulerData::kOptionVertical) != 0;
}

// Pixels per unit at true size, times the scale in percent.
double ScaledUnitPixels(const CaptionInput& in) {
    return (in.unitPixels > 0 ? in.unitPixels : 1.0) * std::max(1, in.scale) / 100.0;
}

}  // namespace

double CursorProjection(const CaptionInput& in) {
    const int along = IsVertical(in.options) ? in.cursorInClient.y : in.cursorInClient.x;
    return along / ScaledUnitPixels(in);
}

double CursorDistance(const CaptionInput& in) {
    const double dx = static_cast<double>(in.cursorOnScreen.x) - in.originOnScreen.x;
    const double dy = static_cast<double>(in.cursorOnScreen.y) - in.originOnScreen.y;
    return std::hypot(dx, dy) / ScaledUnitPixels(in);
}

double CursorAngle(const CaptionInput& in) {
    const double dx = std::abs(static_cast<double>(in.cursorOnScreen.x) - in.originOnScreen.x);
    const double dy = std::abs(static_cast<double>(in.cursorOnScreen.y) - in.originOnScreen.y);
    const bool vertical = IsVertical(in.options);
    return std::atan2(vertical ? dx : dy, vertical ? dy : dx) * kDegreesPerHalfTurn / kPi;
}

std::string RulerCaption(const CaptionInput& in, const NumberFormat& format) {
    std::string text = LoadString(kIdsRulerAppName);
    const auto number = [&format](double v) { return FormatNumber(format, v, kReadoutDecimals); };
    const auto pair = [](Point p) { return std::to_string(p.x) + " , " + std::to_string(p.y); };
    const auto label = [](std::uint32_t id) { return " | " + LoadString(id) + ": "; };
    if (in.items & CRulerData::kCaptionUnit) {
        std::vector<std::string> names = SplitLines(LoadString(kIdsRulerUnitAbbreviations));
        // The logical pixel's abbreviation is the third item of its unit row.
        const std::vector<std::string> logical = SplitLines(LoadString(kIdsLogicalPixelUnit));
        names.resize(kRulerLogicalPixelIndex);
        names.push_back(logical.size() > 2 ? logical[2] : std::string());
        const auto index = RulerUnitIndex(in.options);
        if (index && static_cast<std::size_t>(*index) < names.size())
            text += " | " + names[static_cast<std::size_t>(*index)];
    }
    if (in.items & CRulerData::kCaptionScale) text += " | " + std::to_string(in.scale) + "%";
    if (in.items & CRulerData::kCaptionRulerPosition)
        text += label(kIdsRulerCaptionOrigin) + pair(in.originOnScreen);
    if (in.items & CRulerData::kCaptionCursorPosition)
        text += label(kIdsRulerCaptionCursor) + pair(in.cursorOnScreen);
    if (in.items & CRulerData::kCaptionCursorProjection)
        text += label(kIdsRulerCaptionProjection) + number(CursorProjection(in));
    if (in.items & CRulerData::kCaptionCursorDistance)
        text += label(kIdsRulerCaptionDistance) + number(CursorDistance(in));
    if (in.items & CRulerData::kCaptionCursorAngle)
        text += label(kIdsRulerCaptionAngle) + number(CursorAngle(in)) + "\u00B0";
    return text;
}

int ZoomInScale(int scale) {
    const int step = scale >= kCoarseZoomFrom ? kCoarseZoomStep : kFineZoomStep;
    return std::min(CRulerData::kMaxScale, scale - scale % step + step);
}

int ZoomOutScale(int scale) {
    const int step = scale >= kCoarseZoomFrom ? kCoarseZoomStep : kFineZoomStep;
    return std::max(CRulerData::kMinScale, (scale - 1) - (scale - 1) % step);
}

bool CanZoomIn(int scale) {
    return scale < CRulerData::kMaxScale;
}
bool CanZoomOut(int scale) {
    return scale > CRulerData::kMinScale;
}
bool CanZoomNormal(int scale) {
    return scale != CRulerData::kTrueScale;
}

int RulerUnitCommand(int index) {
    return index == kRulerLogicalPixelIndex ? cmd::kRulerUnitLogical : cmd::kRulerUnitPixel + index;
}

std::optional<int> NextUnitCommand(std::uint32_t options) {
    const auto index = RulerUnitIndex(options);
    if (!index) return std::nullopt;
    return RulerUnitCommand((*index + 1) % kRulerUnitCount);
}

}  // namespace nl
