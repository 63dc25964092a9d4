#include "magnifier/vision_setting.h"

#include <cmath>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "framework/CPrefs.h"

namespace nl {
namespace {

constexpr std::string_view kVisionKey = "magnifier.vision";
constexpr std::string_view kSeverityKey = "magnifier.severity";

}  // namespace

VisionSetting StoredVision(const CPrefs& prefs) {
    VisionSetting setting;
    if (const auto name = prefs.Side().Get(kVisionKey)) {
        if (!ColorVisionFromName(*name, setting.vision)) setting.vision = ColorVision::kNormal;
    }
    if (const auto text = prefs.Side().Get(kSeverityKey)) {
        if (const std::optional<int> percent = ParseWholeInt(*text);
            percent && *percent > 0 && *percent <= 100)
            setting.severity = *percent / 100.0;
    }
    return setting;
}

void StoreVision(CPrefs& prefs, const VisionSetting& setting) {
    const bool normal = setting.vision == ColorVision::kNormal;
    prefs.SetSide(kVisionKey, normal ? std::nullopt
                                     : std::optional(std::string(ColorVisionName(setting.vision))));
    prefs.SetSide(kSeverityKey, std::to_string(std::lround(setting.severity * 100)));
}

bool HasSeverity(ColorVision vision) {
    return vision == ColorVision::kProtanomaly || vision == ColorVision::kDeuteranomaly ||
           vision == ColorVision::kTritanomaly;
}

std::string VisionMenuText(ColorVision vision) {
    return LoadStringRow(kIdsColorVisionNames, static_cast<int>(vision));
}

std::string SimulationCaption(const VisionSetting& setting) {
    if (setting.vision == ColorVision::kNormal) return {};
    std::string name = VisionMenuText(setting.vision);
    if (HasSeverity(setting.vision))
        name += " " + std::to_string(std::lround(setting.severity * 100)) + " %";
    return FormatString(kIdsSimulationCaption, {name});
}

}  // namespace nl
