// Desktop sampling and picking on the fake desktop: the sampled record, the refresh rule, the
// pick flow with auto-copy, auto-stop and sound, replace, the delayed pick and Goto color.
#include "picking/CDesktopSampler.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/CColorPicker.h"
#include "document/document_test_support.h"
#include "framework/CAppPrefs.h"
#include "framework/event_sounds.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeSound.h"

namespace nl {
namespace {

using testing_support::RecordingSink;
using testing_support::TestClock;

constexpr COLORREF kDesktopBlue = MakeRgb(0, 0x40, 0x80);
constexpr COLORREF kWindowGrey = MakeRgb(0xC0, 0xC0, 0xC0);
constexpr COLORREF kButtonRed = MakeRgb(0xFF, 0x10, 0x20);

// A 1024x768 desktop with a desktop window, an editor window with a child button, and a
// dialog owned by the editor.
struct SamplerRig {
    FakeDesktop desktop;
    TestClock clock;
    RecordingSink views;
    CColorPicker colors{clock, &views};
    FakeSettingsStore store;
    FakeFolders folders;
    FakeFileSystem files;
    FakeDialogs dialogs;
    CAppPrefs prefs{PrefsServices{&store, &folders, &files, &dialogs, &clock}};
    FakeClipboard clipboard;
    FakeSound sound;
    CDesktopSampler sampler{{desktop, colors, prefs, clipboard, sound, clock}};
    int stops = 0;
    WindowId desk = kNoWindow, editor = kNoWindow, button = kNoWindow, dialog = kNoWindow;

    SamplerRig() {
        prefs.Initialize({});
        prefs.SetDefaults();
        desktop.FillRect({0, 0, 1024, 768}, kDesktopBlue);
        desk = desktop.AddWindow(FakeDesktop::Describe("", "Desktop", {0, 0, 1024, 768}));
        desktop.SetDesktopWindow(desk);
        editor = desktop.AddWindow({"Notes - Editor",
                                    "EditorFrame",
                                    {100, 100, 500, 400},
                                    kNoWindow,
                                    kNoWindow,
                                    true,
                                    false,
                                    {104, 130, 496, 396}});
        desktop.FillRect({100, 100, 500, 400}, kWindowGrey);
        button =
            desktop.AddWindow(FakeDesktop::Describe("OK", "Button", {200, 200, 260, 230}, editor));
        desktop.FillRect({200, 200, 260, 230}, kButtonRed);
        dialog = desktop.AddWindow(
            FakeDesktop::Describe("", "DialogClass", {600, 100, 800, 300}, kNoWindow, editor));
        sampler.SetStopPicking([this] { ++stops; });
    }
    int FormatRow(const std::string& name) const {
        const CUnitsCol& formats = prefs.ColorFormats();
        for (int i = 0; i < formats.GetSize(); ++i) {
            if (formats.GetAt(i).Name() == name) return i;
        }
        return -1;
    }
};

TEST(CDesktopSamplerTest, SampleDescribesPixelWindowOwnerAndRelativePosition) {
    struct Case {
        const char* name;
        Point at;
        COLORREF color;
        const char* title;
        const char* windowClass;
        Point relative;
        bool hasSource;
    };
    const Case cases[] = {
        {"desktop background", {20, 700}, kDesktopBlue, "Desktop", "Desktop", {20, 700}, true},
        // A child control: the top-level window's title, the child's class, and the point in
        // the top-level window's client coordinates.
        {"child control", {210, 215}, kButtonRed, "Notes - Editor", "Button", {106, 85}, true},
        {"frame of a window",
         {102, 102},
         kWindowGrey,
         "Notes - Editor",
         "EditorFrame",
         {-2, -28},
         true},
        // An owned window without a title takes its owner chain's root; the editor's title.
        {"owned dialog",
         {650, 150},
         kDesktopBlue,
         "Notes - Editor",
         "DialogClass",
         {546, 20},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SamplerRig rig;
        CColPick record;
        record.SetSourceTitle("stale");
        CDesktopSampler::SamplePixel(rig.desktop, rig.clock, c.at, record);
        EXPECT_EQ(record.Color(), c.color);
        EXPECT_EQ(record.Position(), c.at);
        EXPECT_EQ(record.SourceTitle(), c.title);
        EXPECT_EQ(record.WindowClass(), c.windowClass);
        EXPECT_EQ(record.RelativePosition(), c.relative);
        EXPECT_EQ(record.SourceWindow() != kNoWindow, c.hasSource);
        EXPECT_EQ(record.Version(), 1);
        EXPECT_DOUBLE_EQ(record.Modified().Date(), rig.clock.OleNow());
    }
}

TEST(CDesktopSamplerTest, SampleWithoutAnyWindowKeepsOnlyColorAndPosition) {
    SamplerRig rig;
    rig.desktop.SetDesktopWindow(kNoWindow);
    rig.desktop.DestroyWindow(rig.desk);
    CColPick record;
    record.SetWindowClass("old");
    CDesktopSampler::SamplePixel(rig.desktop, rig.clock, {900, 700}, record);
    EXPECT_EQ(record.Color(), kDesktopBlue);
    EXPECT_EQ(record.SourceWindow(), kNoWindow);
    EXPECT_EQ(record.SourceTitle(), "");
    EXPECT_EQ(record.WindowClass(), "");
    EXPECT_EQ(record.RelativePosition(), (Point{0, 0}));
    // Off the screen there is no pixel: no color, never black.
    CDesktopSampler::SamplePixel(rig.desktop, rig.clock, {-5, 10}, record);
    EXPECT_EQ(record.Color(), kNoColor);
}

TEST(CDesktopSamplerTest, LongClassNamesAreCutAt260Characters) {
    SamplerRig rig;
    const std::string longName(300, 'k');
    rig.desktop.AddWindow(FakeDesktop::Describe("T", longName, {900, 600, 950, 650}));
    CColPick record;
    CDesktopSampler::SamplePixel(rig.desktop, rig.clock, {910, 610}, record);
    EXPECT_EQ(record.WindowClass(), std::string(260, 'k'));
}

TEST(CDesktopSamplerTest, RefreshSamplesOnlyWhenCursorMovedOrPixelChanged) {
    SamplerRig rig;
    rig.desktop.SetCursorPos({20, 20});
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Color(), kDesktopBlue);
    rig.clock.Advance(std::chrono::seconds(5));
    const double stamped = rig.colors.Sample().Modified().Date();
    // Same place, same pixel: left alone.
    EXPECT_FALSE(rig.sampler.RefreshSample());
    EXPECT_DOUBLE_EQ(rig.colors.Sample().Modified().Date(), stamped);
    // The pixel changed under a still cursor.
    rig.desktop.SetPixel({20, 20}, MakeRgb(1, 2, 3));
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Color(), MakeRgb(1, 2, 3));
    // The cursor moved onto a pixel of the same color.
    rig.desktop.SetCursorPos({21, 21});
    rig.desktop.SetPixel({21, 21}, MakeRgb(1, 2, 3));
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Position(), (Point{21, 21}));
    // A refresh never adds to the list.
    EXPECT_EQ(rig.colors.GetCount(), 0);
}

TEST(CDesktopSamplerTest, StillCursorReadsThePixelOnlyWhenTheDesktopReportsAChange) {
    const COLORREF kNew = MakeRgb(9, 8, 7);
    struct Case {
        const char* what;
        Point cursorAfter;
        FakeDesktop::ChangeReport report;
        bool resampled;
        COLORREF color;
    };
    const Case cases[] = {
        {"a change the desktop missed stays unseen",
         {20, 20},
         FakeDesktop::ChangeReport::kMissed,
         false,
         kDesktopBlue},
        {"a reported change is read", {20, 20}, FakeDesktop::ChangeReport::kReported, true, kNew},
        {"a moved cursor reads whatever the count says",
         {21, 20},
         FakeDesktop::ChangeReport::kMissed,
         true,
         kNew},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SamplerRig rig;
        rig.desktop.SetCursorPos({20, 20});
        EXPECT_TRUE(rig.sampler.RefreshSample());
        EXPECT_FALSE(rig.sampler.RefreshSample());  // the first still tick notes the count
        rig.desktop.FillRect({20, 20, 22, 21}, kNew, c.report);
        rig.desktop.SetCursorPos(c.cursorAfter);
        EXPECT_EQ(rig.sampler.RefreshSample(), c.resampled);
        EXPECT_EQ(rig.colors.Sample().Color(), c.color);
    }
}

// Black and white pixels in a checkerboard over `area`, black where x + y is even.
void PaintCheckerboard(FakeDesktop& desktop, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            desktop.SetPixel({x, y}, (x + y) % 2 == 0 ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255));
}

TEST(CDesktopSamplerTest, PicksSampleTheSquareTheSettingsChooseAndKeepTheCentre) {
    struct Case {
        const char* what;
        SampleMethod method;
        Point at;
        COLORREF want;
    };
    const Case cases[] = {
        {"one pixel is the pixel", {1, SampleStat::kMean}, {20, 20}, MakeRgb(0, 0, 0)},
        // 3 x 3 around a black pixel: five black, four white.
        {"the mean of 3 x 3", {3, SampleStat::kMean}, {20, 20}, MakeRgb(113, 113, 113)},
        {"the median of 3 x 3", {3, SampleStat::kMedian}, {20, 20}, MakeRgb(0, 0, 0)},
        {"the mean around a white pixel", {3, SampleStat::kMean}, {21, 20}, MakeRgb(142, 142, 142)},
        {"linear light", {3, SampleStat::kLinearMean}, {21, 20}, MakeRgb(197, 197, 197)},
        // At the desktop's corner only the 2 x 2 pixels inside count: two of each.
        {"the corner cuts the square", {3, SampleStat::kMean}, {0, 0}, MakeRgb(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SamplerRig rig;
        PaintCheckerboard(rig.desktop, {0, 0, 40, 40});
        ASSERT_TRUE(rig.prefs.SetSampling(c.method) || c.method == SampleMethod{});
        ASSERT_TRUE(rig.sampler.PickAt(c.at, PickOrigin::kKey));
        const CColPick& picked = rig.colors.GetAt(0);
        EXPECT_EQ(picked.Color(), c.want);
        EXPECT_EQ(picked.Position(), c.at);
        EXPECT_EQ(picked.Sampling(), c.method);
    }
}

TEST(CDesktopSamplerTest, StillCursorSamplesAgainWhenTheSquareOrTheMethodChanges) {
    SamplerRig rig;
    PaintCheckerboard(rig.desktop, {0, 0, 40, 40});
    rig.prefs.SetSampling({3, SampleStat::kMedian});
    rig.desktop.SetCursorPos({20, 20});
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_FALSE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Color(), MakeRgb(0, 0, 0));
    // A pixel of the square beside the centre turns white: the median follows.
    rig.desktop.SetPixel({19, 19}, MakeRgb(255, 255, 255));
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Color(), MakeRgb(255, 255, 255));
    // Another statistic over the same pixels.
    rig.prefs.SetSampling({3, SampleStat::kMode});
    EXPECT_TRUE(rig.sampler.RefreshSample());
    EXPECT_EQ(rig.colors.Sample().Sampling(), (SampleMethod{3, SampleStat::kMode}));
    // An edit of the picked color forgets how it was sampled.
    ASSERT_TRUE(rig.sampler.Pick(PickOrigin::kKey));
    rig.colors.SetColor(0, MakeRgb(1, 2, 3));
    EXPECT_EQ(rig.colors.GetAt(0).Sampling(), std::nullopt);
}

TEST(CDesktopSamplerTest, PickAddsCopiesStopsAndSoundsAsTheOptionsSay) {
    struct Case {
        const char* name;
        std::uint32_t pickerOptions;
        PickOrigin origin;
        bool copied;
        int stops;
    };
    const Case cases[] = {
        {"plain menu pick", 0, PickOrigin::kCommand, false, 0},
        {"auto-copy", AppSettings::kPickerAutoCopy, PickOrigin::kCommand, true, 0},
        {"auto-stop ignores menu picks", AppSettings::kPickerAutoStop, PickOrigin::kCommand, false,
         0},
        {"auto-stop after a key pick", AppSettings::kPickerAutoStop, PickOrigin::kKey, false, 1},
        {"both by key", AppSettings::kPickerAutoStop | AppSettings::kPickerAutoCopy,
         PickOrigin::kKey, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SamplerRig rig;
        rig.prefs.SetOptions(OptionWord::kColorPicker, c.pickerOptions);
        rig.prefs.SetColorFormat(rig.FormatRow("#HTML"));
        rig.prefs.SetEventSound(static_cast<int>(SoundEvent::kPickColor), 2);
        rig.desktop.SetCursorPos({230, 210});
        ASSERT_TRUE(rig.sampler.Pick(c.origin));
        ASSERT_EQ(rig.colors.GetCount(), 1);
        const CColPick& picked = rig.colors.GetAt(0);
        EXPECT_EQ(picked.Color(), kButtonRed);
        EXPECT_EQ(picked.FirstColor(), kButtonRed);
        EXPECT_EQ(picked.WindowClass(), "Button");
        EXPECT_EQ(rig.views.Entries().back(),
                  (RecordingSink::Entry{ViewNotify::kColorInserted, 0}));
        if (c.copied) {
            EXPECT_EQ(rig.clipboard.Text(), "#FF1020");
        } else {
            EXPECT_FALSE(rig.clipboard.Text().has_value());
        }
        EXPECT_EQ(rig.stops, c.stops);
        ASSERT_EQ(rig.sound.Log().size(), 1u);
        EXPECT_EQ(rig.sound.Log()[0].resourceId, kSoundResourceBase + 2);
    }
}

TEST(CDesktopSamplerTest, PickIsSilentWithSoundsOffAndSurvivesClipboardFailure) {
    SamplerRig rig;
    rig.prefs.SetEventSound(static_cast<int>(SoundEvent::kPickColor), 1);
    rig.prefs.SetOptions(OptionWord::kSound, 0);
    rig.prefs.SetOptions(OptionWord::kColorPicker, AppSettings::kPickerAutoCopy);
    rig.clipboard.FailWith(5);
    EXPECT_TRUE(rig.sampler.PickAt({20, 20}, PickOrigin::kKey));
    EXPECT_EQ(rig.colors.GetCount(), 1);
    EXPECT_TRUE(rig.sound.Log().empty());
}

TEST(CDesktopSamplerTest, NothingIsPickedOrReplacedWhereNoColorCanBeRead) {
    struct Case {
        const char* name;
        bool readable;
        Point at;
        NoColorCause cause;
    };
    const Case cases[] = {
        {"unreadable screen", false, {230, 210}, NoColorCause::kUnreadable},
        {"outside every monitor", true, {2000, 210}, NoColorCause::kOffScreen},
        {"left of the screen", true, {-1, 5}, NoColorCause::kOffScreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SamplerRig rig;
        rig.prefs.SetOptions(OptionWord::kColorPicker,
                             AppSettings::kPickerAutoCopy | AppSettings::kPickerAutoStop);
        rig.prefs.SetEventSound(static_cast<int>(SoundEvent::kPickColor), 2);
        ASSERT_TRUE(rig.sampler.PickAt({20, 20}, PickOrigin::kCommand));
        const std::size_t sounds = rig.sound.Log().size();
        const auto copied = rig.clipboard.Text();
        rig.desktop.SetScreenReadable(c.readable);

        EXPECT_FALSE(rig.sampler.PickAt(c.at, PickOrigin::kKey));
        EXPECT_EQ(rig.colors.GetCount(), 1);
        EXPECT_EQ(rig.colors.Sample().Color(), kNoColor);
        EXPECT_EQ(rig.colors.Sample().Position(), c.at);
        EXPECT_EQ(CDesktopSampler::WhyNoColor(rig.desktop, c.at), c.cause);
        // The live sample has no color now: it replaces nothing either.
        EXPECT_FALSE(rig.sampler.Replace(0));
        EXPECT_EQ(rig.colors.GetAt(0).Color(), kDesktopBlue);
        EXPECT_EQ(rig.stops, 0);
        EXPECT_EQ(rig.sound.Log().size(), sounds);
        EXPECT_EQ(rig.clipboard.Text(), copied);
    }
}

TEST(CDesktopSamplerTest, PickIntoAFullListDropsTheOldest) {
    SamplerRig rig;
    for (int i = 0; i < CColorPicker::kMaxColors; ++i) {
        rig.desktop.SetPixel({i % 1000, 0}, MakeRgb(i & 0xFF, 0, 1));
        ASSERT_TRUE(rig.sampler.PickAt({i % 1000, 0}, PickOrigin::kCommand));
    }
    ASSERT_TRUE(rig.sampler.PickAt({20, 700}, PickOrigin::kCommand));
    EXPECT_EQ(rig.colors.GetCount(), CColorPicker::kMaxColors);
    EXPECT_EQ(rig.colors.GetAt(0).Position(), (Point{1, 0}));
    EXPECT_EQ(rig.colors.GetAt(CColorPicker::kMaxColors - 1).Color(), kDesktopBlue);
}

TEST(CDesktopSamplerTest, ReplaceCopiesTheLiveSampleOverTheSelection) {
    SamplerRig rig;
    rig.prefs.SetOptions(OptionWord::kColorPicker,
                         AppSettings::kPickerAutoCopy | AppSettings::kPickerAutoStop);
    rig.prefs.SetColorFormat(rig.FormatRow("#HTML"));
    ASSERT_TRUE(rig.sampler.PickAt({20, 20}, PickOrigin::kCommand));
    ASSERT_TRUE(rig.sampler.PickAt({20, 30}, PickOrigin::kCommand));
    const double created = rig.colors.GetAt(0).Created().Date();
    rig.clock.Advance(std::chrono::hours(1));
    rig.desktop.SetCursorPos({230, 210});
    rig.sampler.RefreshSample();
    rig.views.Clear();

    // Without a valid selection nothing happens.
    for (int selection : {-1, 2}) {
        EXPECT_FALSE(rig.sampler.Replace(selection));
    }
    EXPECT_TRUE(rig.views.Entries().empty());

    ASSERT_TRUE(rig.sampler.Replace(0));
    const CColPick& replaced = rig.colors.GetAt(0);
    EXPECT_EQ(replaced.Color(), kButtonRed);
    EXPECT_EQ(replaced.SourceTitle(), "Notes - Editor");
    EXPECT_DOUBLE_EQ(replaced.Created().Date(), created);
    EXPECT_EQ(rig.views.Entries(),
              (std::vector<RecordingSink::Entry>{{ViewNotify::kColorChanged, 0}}));
    EXPECT_EQ(rig.clipboard.Text(), "#FF1020");
    // Replace is no key pick: auto-stop does not apply.
    EXPECT_EQ(rig.stops, 0);
}

// Records the countdown instead of waiting, and moves the cursor during the wait as a user
// would.
class RecordingCountdown final : public IPickCountdown {
public:
    explicit RecordingCountdown(FakeDesktop& desktop) : m_desktop(desktop) {}
    void ShowCountdown(const std::string& text) override { texts.push_back(text); }
    void Wait(int ms) override {
        waited += ms;
        m_desktop.SetCursorPos({700, 700});
    }
    std::vector<std::string> texts;
    int waited = 0;

private:
    FakeDesktop& m_desktop;
};

TEST(CDesktopSamplerTest, DelayedPickCountsDownThenPicksWhereTheCursorWas) {
    struct Case {
        int delay;
        std::vector<std::string> seconds;
    };
    const Case cases[] = {
        {0, {}},
        {-100, {}},
        {250, {"0.3", "0.2", "0.1"}},
        {300, {"0.3", "0.2", "0.1"}},
        {1000, {"1.0", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        SamplerRig rig;
        rig.prefs.SetPickDelay(c.delay);
        rig.desktop.SetCursorPos({230, 210});
        RecordingCountdown countdown(rig.desktop);
        ASSERT_TRUE(rig.sampler.DelayedPick(PickOrigin::kCommand, countdown));
        std::vector<std::string> want;
        for (const std::string& s : c.seconds) {
            want.push_back(s + " sec to snapshot - move cursor away!");
        }
        EXPECT_EQ(countdown.texts, want);
        EXPECT_EQ(countdown.waited, static_cast<int>(c.seconds.size()) * 100);
        ASSERT_EQ(rig.colors.GetCount(), 1);
        EXPECT_EQ(rig.colors.GetAt(0).Position(), (Point{230, 210}));
        EXPECT_EQ(rig.colors.GetAt(0).Color(), kButtonRed);
    }
}

TEST(CDesktopSamplerTest, CountdownUsesTheRegionalDecimalSymbol) {
    SamplerRig rig;
    NumberFormat comma;
    comma.decimalSep = ",";
    rig.prefs.SetDisplay(DisplayMetrics{}, comma);
    EXPECT_EQ(rig.sampler.CountdownText(1500), "1,5 sec to snapshot - move cursor away!");
}

TEST(CDesktopSamplerTest, GotoColorReturnsToTheSourceWindowOrTheSavedPosition) {
    SamplerRig rig;
    // An entry whose source window is the editor: its relative position is in the editor's
    // client coordinates (client origin 104,130), its screen position elsewhere.
    CColPick entry;
    entry.SetSourceWindow(rig.editor);
    entry.SetPosition({999, 700});
    entry.SetRelativePosition({10, 20});
    ASSERT_TRUE(rig.colors.InsertColor(0, entry));
    const Point inWindow{114, 150};
    const Point saved{999, 700};

    struct Step {
        const char* name;
        std::function<void()> change;
        Point want;
        int restores;
    };
    const Step steps[] = {
        {"shown source", [] {}, inWindow, 0},
        {"minimized source is restored", [&] { rig.desktop.SetMinimized(rig.editor, true); },
         inWindow, 1},
        {"hidden source", [&] { rig.desktop.SetVisible(rig.editor, false); }, saved, 1},
        {"destroyed source", [&] { rig.desktop.DestroyWindow(rig.editor); }, saved, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        rig.desktop.SetCursorPos({0, 0});
        Point where;
        ASSERT_TRUE(rig.sampler.GotoColor(0, &where));
        EXPECT_EQ(where, step.want);
        EXPECT_EQ(rig.desktop.CursorPos(), step.want);
        EXPECT_EQ(rig.desktop.RestoreCount(), step.restores);
    }
    EXPECT_FALSE(rig.sampler.GotoColor(1));
    EXPECT_FALSE(rig.sampler.GotoColor(-1));
}

TEST(CDesktopSamplerTest, GotoColorOfALoadedEntryUsesItsScreenPosition) {
    SamplerRig rig;
    // An entry loaded from a file: no source window, a relative position that must be ignored.
    CColPick loaded;
    loaded.SetColor(kWindowGrey);
    loaded.SetPosition({333, 222});
    loaded.SetRelativePosition({5, 5});
    ASSERT_TRUE(rig.colors.InsertColor(0, loaded));
    ASSERT_TRUE(rig.sampler.GotoColor(0));
    EXPECT_EQ(rig.desktop.CursorPos(), (Point{333, 222}));
    EXPECT_EQ(rig.desktop.RestoreCount(), 0);
}

}  // namespace
}  // namespace nl
