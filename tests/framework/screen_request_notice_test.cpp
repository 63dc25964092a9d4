#include "framework/screen_request_notice.h"

#include <gtest/gtest.h>

#include "framework/CAppPrefs.h"
#include "prefs_test_support.h"

namespace nl {
namespace {

struct Rig : test::PrefsRig {
    CAppPrefs prefs{Services()};
    Rig() { prefs.SetRegistryKey(); }
};

// Two requests in one setup, then one after a restart with the settings kept: only the
// first request of the setup is explained; every long wait is told.
TEST(ScreenRequestNoticeTest, TheFirstRequestIsExplainedOnceAndLongWaitsAlways) {
    using enum ScreenRequestEvent;
    const std::string explained =
        "NerimLens asks the desktop for a screenshot; allow it once to pick colors without "
        "further questions";
    const std::string waiting = "Waiting for the desktop's screenshot portal\xE2\x80\xA6";
    const struct {
        ScreenRequestEvent event;
        std::optional<std::string> notice;
    } steps[] = {
        {kAsking, explained},    {kWaiting, waiting}, {kEnded, std::nullopt},
        {kAsking, std::nullopt}, {kWaiting, waiting}, {kEnded, std::nullopt},
    };
    Rig rig;
    rig.prefs.Initialize({});
    for (const auto& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.event));
        EXPECT_EQ(ScreenRequestNotice(rig.prefs, step.event), step.notice);
    }
    // Remembered in the settings file, so that a later start keeps quiet.
    ASSERT_TRUE(rig.prefs.Save());
    Rig next;
    next.files = rig.files;
    next.prefs.Initialize({});
    next.prefs.Load();
    EXPECT_EQ(ScreenRequestNotice(next.prefs, kAsking), std::nullopt);
}

}  // namespace
}  // namespace nl
