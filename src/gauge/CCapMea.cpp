#include "gauge/CCapMea.h"

#include <cstdio>
#include <iterator>
#include <vector>

#include "base/COleDateTime.h"
#include "base/StringTable.h"
#include "base/string_ids.h"
#include "base/virtual_keys.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitXY.h"

namespace nl {
namespace {

constexpr std::string_view kKeepKey = "gauge.keep";

// The value of the row named `name` among alternating name and value entries.
const std::string* RowValue(const std::vector<std::string>& rows, const std::string& name) {
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2)
        if (rows[i] == name) return &rows[i + 1];
    return nullptr;
}

}  // namespace

CCapMea::CCapMea(IOverlayWindow& window, const CAppPrefs& prefs, MeaShape shape,
                 MeaFromCenter fromCenter, Store store)
    : CWndCapMea(window, MainWindowRule(prefs), shape, fromCenter), m_store(std::move(store)) {}

MainWindowAfter CCapMea::MainWindowRule(const CAppPrefs& prefs) {
    return (prefs.Settings().gaugeOptions & AppSettings::kGaugeShowMainWindow) != 0
               ? MainWindowAfter::kLeave
               : MainWindowAfter::kRestore;
}

void CCapMea::Finish() {
    if (m_concluded || State() != CapState::kFinished || !m_store) {
        if (m_keptError && State() == CapState::kFinished) SetError(m_keptError);
        return;
    }
    std::uint32_t error = StoreGestures(KeepNow());
    if (!error) error = m_keptError;
    if (error) SetError(error);
}

std::uint32_t CCapMea::StoreGestures(KeepMeasurement keep) {
    // A spacing cross's lines are kept together.
    std::uint32_t error = 0;
    for (const MeaGesture& gesture : Gestures()) {
        if (const std::uint32_t e = m_store(gesture, keep); e && !error) error = e;
        keep = KeepMeasurement::kYes;
    }
    return error;
}

bool CCapMea::TakeAndGoOn() {
    if (!m_keeping || !m_store) return false;
    const std::uint32_t error = StoreGestures(KeepMeasurement::kYes);
    if (error && !m_keptError) m_keptError = error;
    m_keptAny = true;
    return true;
}

bool CCapMea::WouldTakeKey(std::uint32_t virtualKey, KeyState keys) const {
    if (virtualKey == kVkReturn && keys.shift) return true;
    // Once measurements were kept, Enter and Esc end the overlay with them.
    return m_keptAny && !HoldsMouse() && (virtualKey == kVkReturn || virtualKey == kVkEscape);
}

void CCapMea::TakeKey(std::uint32_t virtualKey, KeyState keys) {
    if (virtualKey == kVkReturn && keys.shift) {
        m_keeping = !m_keeping;
        return;
    }
    m_concluded = true;
    Conclude();
}

bool StoredKeepMeasurements(const CPrefs& prefs) {
    return prefs.Side().Get(kKeepKey) == "1";
}

void StoreKeepMeasurements(CPrefs& prefs, bool keep) {
    prefs.SetSide(kKeepKey, keep ? std::optional<std::string>("1") : std::nullopt);
}

std::string MeasureKeepingText(const CCapMea& open) {
    if (open.KeptAny()) return LoadString(kIdsHintKeptMeasurements);
    return open.Keeping() ? LoadString(kIdsHintKeepingMeasurements) : std::string();
}

std::uint32_t MeasurePromptId(bool pickingStarted, const CWndCapMea* open) {
    if (!pickingStarted) return kIdsHintDisabled;
    if (!open) return kIdsHintMeasure;
    const bool path = open->Shape() == MeaShape::kPath;
    switch (open->State()) {
        case CapState::kOpen:
            return path ? kIdsHintClickPoints : kIdsHintPressToStart;
        case CapState::kTracking:
            return path ? kIdsHintDoubleClickToFinish : kIdsHintReleaseToFinish;
        default:
            return 0;
    }
}

std::string MeasurePositionText(const CUnitXY& unit, const CWndCapMea& open) {
    Rect r = open.Extent();
    r.Offset(open.ScreenOrigin().x, open.ScreenOrigin().y);
    const int count =
        open.Shape() == MeaShape::kPath ? static_cast<int>(open.Vertices().size()) : 0;
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d: ", count);
    return prefix + unit.FormatRectWithSize(r);
}

std::string MeasurementLabel(const CUnitXY& unit, const NumberFormat& regional,
                             const CWndCapMeaData& measurement) {
    std::uint32_t id = kIdsMeaPerimeter;
    switch (measurement.Shape()) {
        case MeaShape::kLine:
            id = kIdsMeaLength;
            break;
        case MeaShape::kRectangle:
            id = kIdsMeaSize;
            break;
        case MeaShape::kEllipse:
            id = kIdsMeaDiameters;
            break;
        default:
            break;
    }
    const std::vector<std::string> rows = measurement.BuildRows(unit, regional);
    const std::string* value = RowValue(rows, LoadString(id));
    return value ? *value : std::string();
}

std::vector<std::string> MeasurementsViewRows(const CUnitXY& unit, const NumberFormat& regional,
                                              std::span<const CWndCapMeaData* const> measurements) {
    if (measurements.size() == 1) return measurements.front()->BuildRows(unit, regional);
    std::vector<std::string> entries;
    int number = 0;
    for (const CWndCapMeaData* m : measurements) {
        entries.push_back(FormatString(kIdsMeasurementHeading, {std::to_string(++number)}));
        entries.push_back(MeasurementLabel(unit, regional, *m));
        std::vector<std::string> rows = m->BuildRows(unit, regional);
        entries.insert(entries.end(), std::make_move_iterator(rows.begin()),
                       std::make_move_iterator(rows.end()));
    }
    return entries;
}

std::string MeasureLiveFigures(const CUnitXY& unit, const NumberFormat& regional,
                               const CWndCapMea& open) {
    if (!open.HoldsMouse()) return {};
    if (const std::optional<SpacingCross>& cross = open.Spacing()) {
        // The space and the clicked pixel's distances to its edges.
        const Rect& r = cross->space;
        const Point& at = cross->at;
        const auto across = [&unit](int pixels) { return unit.FormatValue(unit.ToUnitX(pixels)); };
        const auto down = [&unit](int pixels) { return unit.FormatValue(unit.ToUnitY(pixels)); };
        return FormatString(kIdsMeaSpacing,
                            {unit.FormatSize(unit.ToUnitX(r.Width()), unit.ToUnitY(r.Height())),
                             across(at.x - r.left), across(r.right - at.x - 1), down(at.y - r.top),
                             down(r.bottom - at.y - 1)});
    }
    // The gesture as it would be stored, on the screen.
    MeaGesture gesture = open.Gesture();
    const Point o = open.ScreenOrigin();
    const auto onScreen = [o](Point& p) { p = {p.x + o.x, p.y + o.y}; };
    for (Point* p : {&gesture.origin, &gesture.first, &gesture.last}) onScreen(*p);
    for (Point& p : gesture.points) onScreen(p);
    CWndCapMeaData data;
    if (!data.CompleteGesture(gesture, SystemClock())) return {};
    std::vector<std::uint32_t> shown;
    switch (open.Shape()) {
        case MeaShape::kLine:
            shown = {kIdsMeaLength, kIdsMeaAngle};
            break;
        case MeaShape::kRectangle:
            shown = {kIdsMeaSize, kIdsMeaPerimeter};
            break;
        case MeaShape::kEllipse:
            shown = {kIdsMeaDiameters, kIdsMeaCircumference};
            break;
        default:
            shown = {kIdsMeaPerimeter};
            break;
    }
    const std::vector<std::string> rows = data.BuildRows(unit, regional);
    std::string text;
    for (const std::uint32_t id : shown) {
        const std::string name = LoadString(id);
        if (const std::string* value = RowValue(rows, name)) {
            if (!text.empty()) text += "   ";
            text += name + ": " + *value;
        }
    }
    return text;
}

}  // namespace nl
