#include "gauge/CCapMea.h"

#include <cstdio>
#include <vector>

#include "base/COleDateTime.h"
#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitXY.h"

namespace nl {

CCapMea::CCapMea(IOverlayWindow& window, const CAppPrefs& prefs, MeaShape shape,
                 MeaFromCenter fromCenter, Store store)
    : CWndCapMea(window, MainWindowRule(prefs), shape, fromCenter), m_store(std::move(store)) {}

MainWindowAfter CCapMea::MainWindowRule(const CAppPrefs& prefs) {
    return (prefs.Settings().gaugeOptions & AppSettings::kGaugeShowMainWindow) != 0
               ? MainWindowAfter::kLeave
               : MainWindowAfter::kRestore;
}

void CCapMea::Finish() {
    if (State() != CapState::kFinished || !m_store) return;
    if (const std::uint32_t error = m_store(Gesture())) SetError(error);
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

std::string MeasureLiveFigures(const CUnitXY& unit, const NumberFormat& regional,
                               const CWndCapMea& open) {
    if (!open.HoldsMouse()) return {};
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
        for (std::size_t i = 0; i + 1 < rows.size(); i += 2) {
            if (rows[i] != name) continue;
            if (!text.empty()) text += "   ";
            text += name + ": " + rows[i + 1];
        }
    }
    return text;
}

}  // namespace nl
