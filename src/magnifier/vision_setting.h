#pragma once
#include <string>

#include "model/color_vision.h"

namespace nl {

class CPrefs;

// The Magnifier's color-vision simulation as kept beside the data file: which one, and the
// severity of the anomalous ones (the dichromacies ignore it).
struct VisionSetting {
    static constexpr double kDefaultSeverity = 0.6;
    ColorVision vision = ColorVision::kNormal;
    double severity = kDefaultSeverity;
    friend bool operator==(const VisionSetting&, const VisionSetting&) = default;
};

// The stored setting; normal vision where none is stored or it cannot be read.
VisionSetting StoredVision(const CPrefs& prefs);
void StoreVision(CPrefs& prefs, const VisionSetting& setting);

// Whether the simulation takes a severity.
bool HasSeverity(ColorVision vision);
// The simulation's name as the menus show it ("Deuteranomaly (weak green)"), and as the view
// names it over the picture ("Simulated: Deuteranomaly (weak green) 60 %"; empty for normal
// vision).
std::string VisionMenuText(ColorVision vision);
std::string SimulationCaption(const VisionSetting& setting);

}  // namespace nl
