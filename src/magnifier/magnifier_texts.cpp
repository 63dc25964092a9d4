#include "magnifier/magnifier_texts.h"

#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitXY.h"

namespace nl {

std::string MagnifiedAreaText(Picking picking, const Rect& source, const CUnitXY& unit) {
    if (picking == Picking::kStopped) return LoadString(kIdsStartToEnable);
    return unit.FormatRectWithSize(source);
}

std::uint32_t MagnifierHintId(const MagnifierHintState& state) {
    if (!state.started) return kIdsHintDisabled;
    if (!state.mainIsForeground) return kIdsHintActivate;
    if (state.keyboardAvailable) return kIdsHintCopyMagnified;
    return kIdsHintMoveOutside;
}

bool FollowRulerActive(std::uint32_t magnifierOptions, bool rulerExists, bool rulerForeground) {
    return (magnifierOptions & AppSettings::kMagnifierFollowRuler) != 0 && rulerExists &&
           rulerForeground;
}

}  // namespace nl
