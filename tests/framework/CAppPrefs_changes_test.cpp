#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "framework/hot_keys.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using Notices = std::vector<ViewNotify>;

class NoticeLog final : public IViewNotifySink {
public:
    void OnViewNotify(ViewNotify type, std::intptr_t) override { notices.push_back(type); }
    Notices notices;
};

// Preferences with filled tables, a hub and a log of what the hub sent.
struct ChangeRig : test::PrefsRig {
    ViewNotifyHub hub;
    NoticeLog log;
    CAppPrefs prefs{Services(), &hub};

    ChangeRig() {
        prefs.Initialize({});
        hub.Register(&log);
    }
};

TEST(CAppPrefsChangesTest, EachOperationClampsMarksAndNotifiesOnce) {
    using Op = std::function<bool(CAppPrefs&)>;
    using Read = std::function<std::int64_t(const CAppPrefs&)>;
    const Read zoom = [](const CAppPrefs& p) { return p.Settings().zoomFactor; };
    const Read format = [](const CAppPrefs& p) { return p.Settings().colorFormatIndex; };
    const Read unit = [](const CAppPrefs& p) { return p.Settings().lengthUnitIndex; };
    const Read display = [](const CAppPrefs& p) { return p.Settings().displayOptions; };
    const Read general = [](const CAppPrefs& p) { return p.Settings().generalOptions; };
    const Read sound = [](const CAppPrefs& p) { return p.Settings().soundOptions; };
    const Read delay = [](const CAppPrefs& p) { return p.Settings().pickDelay; };
    const Read exportOption = [](const CAppPrefs& p) { return p.Settings().exportOption; };
    const Read recent = [](const CAppPrefs& p) { return p.Settings().recentFileCount; };
    const Read tool = [](const CAppPrefs& p) { return p.Settings().activeTool; };
    const Read hotKey1 = [](const CAppPrefs& p) { return p.HotKeys()[1]; };
    const Read contrastKey = [](const CAppPrefs& p) {
        return p.HotKeyTable()[kHotKeyContrast] | (p.Side().Get("hotkey.contrast") ? 1u << 31 : 0);
    };
    const Read custom15 = [](const CAppPrefs& p) { return p.CustomColors()[15]; };
    const int lastFormat = ChangeRig().prefs.ColorFormats().GetSize() - 1;
    const int lastUnit = ChangeRig().prefs.Units().GetSize() - 1;
    constexpr auto kGrid = AppSettings::kDisplayGridLines;
    constexpr auto kTips = AppSettings::kGeneralToolTips;
    constexpr std::uint32_t kDisplayDefault = 0x03010100;
    constexpr std::uint32_t kGeneralDefault = 0x00010701;

    struct Case {
        const char* name;
        Op op;
        Read read;
        std::int64_t want;
        bool changed;
        Notices notices;
    };
    const Case cases[] = {
        {"zoom",
         [](CAppPrefs& p) { return p.SetZoomFactor(700); },
         zoom,
         700,
         true,
         {ViewNotify::kZoomChanged}},
        {"zoom below",
         [](CAppPrefs& p) { return p.SetZoomFactor(-5); },
         zoom,
         100,
         true,
         {ViewNotify::kZoomChanged}},
        {"zoom above",
         [](CAppPrefs& p) { return p.SetZoomFactor(5000); },
         zoom,
         1000,
         true,
         {ViewNotify::kZoomChanged}},
        {"zoom unchanged", [](CAppPrefs& p) { return p.SetZoomFactor(400); }, zoom, 400, false, {}},
        {"format",
         [](CAppPrefs& p) { return p.SetColorFormat(3); },
         format,
         3,
         true,
         {ViewNotify::kUnitOrNumberFormatChanged}},
        {"format above",
         [](CAppPrefs& p) { return p.SetColorFormat(999); },
         format,
         lastFormat,
         true,
         {ViewNotify::kUnitOrNumberFormatChanged}},
        {"format below, same row",
         [](CAppPrefs& p) { return p.SetColorFormat(-3); },
         format,
         0,
         false,
         {}},
        {"unit above",
         [](CAppPrefs& p) { return p.SetLengthUnit(99); },
         unit,
         lastUnit,
         true,
         {ViewNotify::kUnitOrNumberFormatChanged}},
        {"grid lines",
         [](CAppPrefs& p) { return p.ToggleOption(OptionWord::kDisplay, kGrid); },
         display,
         kDisplayDefault & ~kGrid,
         true,
         {ViewNotify::kGridLinesChanged}},
        {"tool tips off",
         [](CAppPrefs& p) { return p.SetOption(OptionWord::kGeneral, kTips, OptionState::kOff); },
         general,
         kGeneralDefault & ~kTips,
         true,
         {ViewNotify::kToolTipsChanged}},
        {"tool tips already on",
         [](CAppPrefs& p) { return p.SetOption(OptionWord::kGeneral, kTips, OptionState::kOn); },
         general,
         kGeneralDefault,
         false,
         {}},
        {"grid and on-top at once: one notice",
         [](CAppPrefs& p) {
             return p.SetOptions(OptionWord::kDisplay,
                                 kDisplayDefault ^ (kGrid | AppSettings::kDisplayOnTop));
         },
         display,
         kDisplayDefault ^ (kGrid | AppSettings::kDisplayOnTop),
         true,
         {ViewNotify::kGridLinesChanged}},
        {"a bit no view draws",
         [](CAppPrefs& p) { return p.ToggleOption(OptionWord::kSound, AppSettings::kSoundPlay); },
         sound,
         0,
         true,
         {}},
        {"delay below", [](CAppPrefs& p) { return p.SetPickDelay(-100); }, delay, 0, true, {}},
        {"delay above",
         [](CAppPrefs& p) { return p.SetPickDelay(1 << 30); },
         delay,
         AppSettings::kMaxPickDelay,
         true,
         {}},
        {"export above",
         [](CAppPrefs& p) { return p.SetExportOption(9); },
         exportOption,
         AppSettings::kExportXml,
         true,
         {}},
        {"export below, same value",
         [](CAppPrefs& p) { return p.SetExportOption(-1); },
         exportOption,
         AppSettings::kExportTabs,
         false,
         {}},
        {"recent files above",
         [](CAppPrefs& p) { return p.SetRecentFileCount(40); },
         recent,
         AppSettings::kMaxRecentFiles,
         true,
         {}},
        {"tool outside the tools is kept",
         [](CAppPrefs& p) { return p.SetActiveTool(0); },
         tool,
         0,
         true,
         {}},
        {"hot key",
         [](CAppPrefs& p) { return p.SetHotKey(1, 0x2007B); },
         hotKey1,
         0x2007B,
         true,
         {ViewNotify::kHotKeysChanged}},
        // The Contrast window's hot key lives in the side file, the data file's table stays.
        {"contrast hot key",
         [](CAppPrefs& p) {
             return p.SetHotKey(kHotKeyContrast, 0x2007B) && p.HotKeys().size() == 4;
         },
         contrastKey,
         0x8002007B,
         true,
         {ViewNotify::kHotKeysChanged}},
        {"hot key outside the table",
         [](CAppPrefs& p) { return p.SetHotKey(5, 0x2007B); },
         hotKey1,
         0,
         false,
         {}},
        {"last custom color",
         [](CAppPrefs& p) { return p.SetCustomColor(15, 0x123456); },
         custom15,
         0x123456,
         true,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChangeRig rig;
        EXPECT_EQ(c.op(rig.prefs), c.changed);
        EXPECT_EQ(c.read(rig.prefs), c.want);
        EXPECT_EQ(rig.prefs.IsChanged(), c.changed);
        EXPECT_EQ(rig.log.notices, c.notices);
    }
}

TEST(CAppPrefsChangesTest, CurrentRowsAreNullOutsideTheTables) {
    test::PrefsRig services;
    CAppPrefs prefs(services.Services());
    // Before the tables are filled nothing is selected; an index kept then stays as given.
    EXPECT_EQ(prefs.CurrentColorFormat(), nullptr);
    EXPECT_EQ(prefs.CurrentLengthUnit(), nullptr);
    EXPECT_TRUE(prefs.SetColorFormat(50));
    EXPECT_EQ(prefs.Settings().colorFormatIndex, 50);
    EXPECT_EQ(prefs.CurrentColorFormat(), nullptr);

    prefs.Initialize({});
    EXPECT_EQ(prefs.CurrentColorFormat(), nullptr);
    EXPECT_TRUE(prefs.SetColorFormat(2));
    EXPECT_TRUE(prefs.SetLengthUnit(1));
    EXPECT_EQ(prefs.CurrentColorFormat(), &prefs.ColorFormats().GetAt(2));
    EXPECT_EQ(prefs.CurrentLengthUnit(), &prefs.Units().GetAt(1));
}

TEST(CAppPrefsChangesTest, FlushSendsSaveStateThenSubscribersInOrder) {
    ChangeRig rig;
    std::vector<std::string> calls;
    rig.prefs.SetRegistryKey();
    CSubscription window = rig.prefs.SubscribeFlush([&] { calls.push_back("window"); });
    const CSubscription application =
        rig.prefs.SubscribeFlush([&] { calls.push_back("application"); });
    rig.prefs.Flush();
    EXPECT_EQ(rig.log.notices, Notices{ViewNotify::kSaveState});
    EXPECT_EQ(calls, (std::vector<std::string>{"window", "application"}));

    // The window goes away: the application's subscription stays.
    window.Reset();
    rig.prefs.Flush();
    EXPECT_EQ(calls, (std::vector<std::string>{"window", "application", "application"}));
    EXPECT_EQ(rig.log.notices, (Notices{ViewNotify::kSaveState, ViewNotify::kSaveState}));
}

TEST(CAppPrefsChangesTest, NewDisplayFiguresAreAnnouncedOnceTheTablesExist) {
    test::PrefsRig services;
    ViewNotifyHub hub;
    NoticeLog log;
    hub.Register(&log);
    CAppPrefs prefs(services.Services(), &hub);
    prefs.SetDisplay(DisplayMetrics{}, NumberFormat{});
    EXPECT_TRUE(log.notices.empty());
    prefs.Initialize({});
    prefs.SetDisplay(DisplayMetrics{}, NumberFormat{});
    EXPECT_EQ(log.notices, Notices{ViewNotify::kUnitOrNumberFormatChanged});
    EXPECT_FALSE(prefs.IsChanged());
}

}  // namespace
}  // namespace nl
