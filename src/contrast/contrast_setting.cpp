#include "contrast/contrast_setting.h"

#include <charconv>
#include <string>

#include "framework/CPrefs.h"
#include "model/css_color.h"

namespace nl {
namespace {

constexpr std::string_view kTextKey = "contrast.text";
constexpr std::string_view kBackgroundKey = "contrast.background";
constexpr std::string_view kLiveKey = "contrast.live";
constexpr std::string_view kPlacementKey = "contrast.placement";
constexpr std::string_view kOpenKey = "contrast.open";

COLORREF StoredColor(const CPrefs& prefs, std::string_view key, COLORREF fallback) {
    const auto text = prefs.Side().Get(key);
    if (!text || text->size() != 7 || text->front() != '#') return fallback;
    const auto color = ParseCssColor(*text);
    return color ? color->color : fallback;
}

// "left,top,width,height", each a whole number, the size at least 1.
std::optional<Rect> StoredPlacement(const CPrefs& prefs) {
    const auto text = prefs.Side().Get(kPlacementKey);
    if (!text) return std::nullopt;
    int values[4] = {};
    const char* at = text->data();
    const char* const end = at + text->size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc()) return std::nullopt;
        at = next;
        if (i < 3) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
    }
    if (at != end || values[2] < 1 || values[3] < 1) return std::nullopt;
    return Rect{values[0], values[1], values[0] + values[2], values[1] + values[3]};
}

}  // namespace

ContrastSetting StoredContrast(const CPrefs& prefs) {
    ContrastSetting setting;
    setting.text = StoredColor(prefs, kTextKey, setting.text);
    setting.background = StoredColor(prefs, kBackgroundKey, setting.background);
    setting.live = prefs.Side().Get(kLiveKey) == "1";
    setting.placement = StoredPlacement(prefs);
    return setting;
}

void StoreContrast(CPrefs& prefs, const ContrastSetting& setting) {
    prefs.SetSide(kTextKey, HashColor(setting.text));
    prefs.SetSide(kBackgroundKey, HashColor(setting.background));
    prefs.SetSide(kLiveKey, setting.live ? std::optional<std::string>("1") : std::nullopt);
    if (setting.placement) {
        const Rect& r = *setting.placement;
        prefs.SetSide(kPlacementKey, std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                         std::to_string(r.Width()) + "," +
                                         std::to_string(r.Height()));
    }
}

bool ContrastWasOpen(const CPrefs& prefs) {
    return prefs.Side().Get(kOpenKey) == "1";
}

void StoreContrastOpen(CPrefs& prefs, bool open) {
    prefs.SetSide(kOpenKey, open ? std::optional<std::string>("1") : std::nullopt);
}

}  // namespace nl
