#include "framework/screen_request_notice.h"

#include <string_view>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/CPrefs.h"

namespace nl {

namespace {

// Set once the first screenshot request of this setup was explained.
constexpr std::string_view kExplainedKey = "portal.screenshotExplained";

}  // namespace

std::optional<std::string> ScreenRequestNotice(CPrefs& prefs, ScreenRequestEvent event) {
    switch (event) {
        case ScreenRequestEvent::kAsking:
            if (prefs.Side().Get(kExplainedKey)) return std::nullopt;
            prefs.SetSide(kExplainedKey, "1");
            return LoadString(kIdsScreenshotFirstAsk);
        case ScreenRequestEvent::kWaiting:
            return LoadString(kIdsScreenshotWaiting);
        case ScreenRequestEvent::kEnded:
            break;
    }
    return std::nullopt;
}

}  // namespace nl
