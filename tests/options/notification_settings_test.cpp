#include "options/notification_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

class NoticeLog final : public IViewNotifySink {
public:
    void OnViewNotify(ViewNotify type, std::intptr_t) override { notices.push_back(type); }
    std::vector<ViewNotify> notices;
};

struct Rig : test::PrefsRig {
    ViewNotifyHub hub;
    NoticeLog log;
    CAppPrefs prefs{Services(), &hub};
    Rig() {
        prefs.Initialize({});
        prefs.SetDefaults();
        prefs.ClearChanged();
        hub.Register(&log);
    }
};

TEST(NotificationSettingsTest, WriteStoresEveryFieldAndReadGivesItBack) {
    struct Case {
        const char* name;
        NotificationSettings edited;
        std::vector<ViewNotify> notices;
    };
    Rig probe;
    const NotificationSettings defaults = NotificationSettings::Read(probe.prefs);
    NotificationSettings all = defaults;
    all.startupHotKeyList = !all.startupHotKeyList;
    all.toolTips = !all.toolTips;
    all.soundsOn = !all.soundsOn;
    all.eventSounds = {6, 0, 2};
    NotificationSettings soundsOnly = defaults;
    soundsOnly.eventSounds = {1, 2, 3};
    const Case cases[] = {
        // A save with nothing changed still marks the settings, and announces nothing.
        {"unchanged", defaults, {}},
        {"every field", all, {ViewNotify::kToolTipsChanged}},
        {"sounds only", soundsOnly, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        c.edited.Write(rig.prefs);
        EXPECT_TRUE(rig.prefs.IsChanged());
        EXPECT_EQ(rig.log.notices, c.notices);
        EXPECT_EQ(NotificationSettings::Read(rig.prefs), c.edited);
    }
}

TEST(NotificationSettingsTest, SoundMenuCommandsMapToSoundNumbersAndNames) {
    EXPECT_EQ(SoundFromMenuCommand(kSoundMenuFirst), 0u);
    EXPECT_EQ(SoundFromMenuCommand(10006), 6u);
    EXPECT_FALSE(SoundFromMenuCommand(10007));
    EXPECT_FALSE(SoundFromMenuCommand(kSoundMenuFirst - 1));
    EXPECT_EQ(SoundName(0), "None");
    EXPECT_EQ(SoundName(6), "Tick6");
    EXPECT_EQ(SoundName(9), "9");
}

}  // namespace
}  // namespace nl
