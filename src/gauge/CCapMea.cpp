#include "gauge/CCapMea.h"

#include <cstdio>

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

}  // namespace nl
