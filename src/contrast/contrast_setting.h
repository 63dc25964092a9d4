#pragma once
#include <optional>

#include "base/geometry.h"
#include "model/color_math.h"

namespace nl {

class CPrefs;

// What the Contrast window keeps beside the data file: the pair, whether the text color
// follows the pointer while picking, and where the window was.
struct ContrastSetting {
    static constexpr COLORREF kDefaultText = 0x00333333;
    static constexpr COLORREF kDefaultBackground = 0x00FFFFFF;
    COLORREF text = kDefaultText;
    COLORREF background = kDefaultBackground;
    bool live = false;
    std::optional<Rect> placement;  // the normal frame, in device-independent pixels
    friend bool operator==(const ContrastSetting&, const ContrastSetting&) = default;
};

// The stored setting; the defaults for what is not stored or cannot be read.
ContrastSetting StoredContrast(const CPrefs& prefs);
void StoreContrast(CPrefs& prefs, const ContrastSetting& setting);
// Whether the window was open when the settings were last saved, so that it comes back at
// the next start as the Ruler and the Clipboard Viewer do.
bool ContrastWasOpen(const CPrefs& prefs);
void StoreContrastOpen(CPrefs& prefs, bool open);

}  // namespace nl
