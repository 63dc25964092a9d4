#include "framework/CAppPrefs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "base/CArchive.h"
#include "base/CArchiveException.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using test::BuildDataFile;
using test::Bytes;
using test::FileSpec;
using test::PrefsRig;

TEST(CAppPrefsTest, DefaultsSaveAsTheLayoutDescribes) {
    PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    prefs.SetDefaults();
    const Bytes written = prefs.StoreToBytes("NerimLens.dat");
    const Bytes expected = BuildDataFile(FileSpec{});
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(written[i], expected[i]) << "first difference at byte " << i;
}

TEST(CAppPrefsTest, SetDefaultsLeavesTheTabledValues) {
    PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    prefs.SetZoomFactor(900);
    prefs.Ruler().SetScalingFactor(300);
    prefs.SetHotKey(3, 7);
    prefs.SetDefaults();

    EXPECT_EQ(prefs.Settings(), AppSettings{});
    EXPECT_EQ(prefs.Ruler(), CRulerData{});
    EXPECT_EQ(prefs.EventSounds(), std::vector<std::uint32_t>(3, 0));
    EXPECT_EQ(prefs.CustomColors(), std::vector<std::uint32_t>(16, 0));
    EXPECT_EQ(prefs.HotKeys(), std::vector<std::uint32_t>(4, 0));
    ASSERT_EQ(prefs.WinStateCount(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(prefs.WinState(i).IsOpen(), i == 0) << i;
    EXPECT_EQ(prefs.WinState(kWinStateOptions).Numbers(), std::vector<std::uint32_t>{0});
}

TEST(CAppPrefsTest, LoadReadsEverySettingInPlace) {
    FileSpec layout;
    layout.writerVersion = 0x00010011;
    layout.reservedA = 11;
    layout.reservedB = 12;
    layout.recentFileCount = 8;
    layout.generalOptions = 0x1;
    layout.displayOptions = 0x2;
    layout.soundOptions = 0;
    layout.activeTool = 4;
    layout.exportOption = 3;
    layout.zoomFactor = 700;
    layout.colorFormatIndex = 5;
    layout.lengthUnitIndex = 2;
    layout.colorPickerOptions = 0x80000;
    layout.magnifierOptions = 0x20;
    layout.gaugeOptions = 0x100;
    layout.screenCopierOptions = 0x120;
    layout.pickDelay = 300;
    layout.fillColor = 0x123456;
    layout.rulerCaption = 0xC00;
    layout.rulerOptions = 0x1210;
    layout.rulerBase = 2;
    layout.rulerScale = 250;
    layout.rulerAutoPreview = 0;
    layout.eventSounds = {1, 2, 6};
    layout.customColors = std::vector<std::uint32_t>(16, 0xABCDEF);
    layout.hotKeys = {0x2007B, 0, 0x40070, 0};
    layout.winStates = {{1, {}}, {1, {3}}, {0, {}}, {1, {}}, {0, {}}, {1, {}}, {0, {4, 5}}};

    PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    prefs.LoadFromBytes(BuildDataFile(layout), "x.dat");

    EXPECT_EQ(prefs.Settings().zoomFactor, 700);
    EXPECT_EQ(prefs.Settings().screenCopierFillColor, 0x123456u);
    EXPECT_EQ(prefs.WriterVersion(), 0x00010011u);
    EXPECT_EQ(prefs.SavedAt().Date(), test::kFixedOleDate);
    EXPECT_EQ(prefs.Ruler().ScalingFactor(), 250);
    EXPECT_EQ(prefs.HotKeys(), layout.hotKeys);
    EXPECT_EQ(prefs.WinState(6).Numbers(), (std::vector<std::uint32_t>{4, 5}));

    // Written back, the file is the same apart from the writer version: every value was read
    // into its own place.
    layout.writerVersion = kProductVersion;
    EXPECT_EQ(prefs.StoreToBytes(), BuildDataFile(layout));
}

TEST(CAppPrefsTest, TablesAndWindowStatesAreSizedAfterLoading) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> eventSounds, hotKeys;
        std::vector<FileSpec::WinState> winStates;
        std::vector<std::uint32_t> wantEventSounds, wantHotKeys;
        std::vector<std::uint32_t> wantOpen;  // open flag per state
        std::vector<std::uint32_t> wantOptionsNumbers;
    };
    const Case cases[] = {
        {"short tables, two states, options page empty",
         {5},
         {0x2007B, 0x2007A},
         {{1, {}}, {0, {}}},
         {5, 0, 0},
         {0x2007B, 0x2007A, 0, 0},
         {1, 0, 1, 1, 1, 1, 1},
         {0}},
        {"long tables, no state",
         {1, 2, 3, 4, 5},
         {1, 2, 3, 4, 5, 6},
         {},
         {1, 2, 3},
         {1, 2, 3, 4, 5, 6},
         {1, 1, 1, 1, 1, 1, 1},
         {0}},
        {"eight states are kept, the options page too",
         {},
         {},
         {{0, {}}, {1, {2, 9}}, {0, {}}, {0, {}}, {0, {}}, {0, {}}, {0, {}}, {1, {}}},
         {0, 0, 0},
         {0, 0, 0, 0},
         {0, 1, 0, 0, 0, 0, 0, 1},
         {2, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FileSpec layout;
        layout.eventSounds = c.eventSounds;
        layout.hotKeys = c.hotKeys;
        layout.winStates = c.winStates;
        PrefsRig rig;
        CAppPrefs prefs(rig.Services());
        prefs.LoadFromBytes(BuildDataFile(layout));
        EXPECT_EQ(prefs.EventSounds(), c.wantEventSounds);
        EXPECT_EQ(prefs.CustomColors().size(), 16u);
        EXPECT_EQ(prefs.HotKeys(), c.wantHotKeys);
        ASSERT_EQ(prefs.WinStateCount(), static_cast<int>(c.wantOpen.size()));
        for (int i = 0; i < prefs.WinStateCount(); ++i)
            EXPECT_EQ(prefs.WinState(i).Flags() & 1, c.wantOpen[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(prefs.WinState(kWinStateOptions).Numbers(), c.wantOptionsNumbers);
    }
}

TEST(CAppPrefsTest, DamagedFilesRaiseTheArchiveErrors) {
    const Bytes good = BuildDataFile(FileSpec{});
    FileSpec badMagic;
    badMagic.magic = 0x6C6E434F;
    FileSpec newer;
    newer.formatVersion = 0x00010001;
    const std::string ruler = "NCru";
    const auto rulerAt = std::search(good.begin(), good.end(), ruler.begin(), ruler.end());
    ASSERT_NE(rulerAt, good.end());
    Bytes badRuler = good;
    badRuler[static_cast<std::size_t>(rulerAt - good.begin())] ^= 0xFF;

    struct Case {
        const char* what;
        Bytes bytes;
        CArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"wrong magic", BuildDataFile(badMagic), CArchiveException::Cause::kBadFormat},
        {"newer format", BuildDataFile(newer), CArchiveException::Cause::kBadFormat},
        {"damaged ruler", badRuler, CArchiveException::Cause::kBadFormat},
        {"empty", {}, CArchiveException::Cause::kEndOfFile},
        {"cut in the settings", Bytes(good.begin(), good.begin() + 100),
         CArchiveException::Cause::kEndOfFile},
        {"cut in the window states", Bytes(good.begin(), good.end() - 3),
         CArchiveException::Cause::kEndOfFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrefsRig rig;
        CAppPrefs prefs(rig.Services());
        try {
            prefs.LoadFromBytes(c.bytes, "/data/NerimLens.dat");
            ADD_FAILURE() << "no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), c.cause);
            EXPECT_NE(e.Message().find("/data/NerimLens.dat"), std::string::npos);
        }
    }
}

TEST(CAppPrefsTest, NewerFormatStillYieldsItsWriterVersion) {
    FileSpec newer;
    newer.formatVersion = 0x00010001;
    newer.writerVersion = test::Version(1, 20);
    PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    EXPECT_THROW(prefs.LoadFromBytes(BuildDataFile(newer)), CArchiveException);
    EXPECT_EQ(prefs.StoredFormatVersion(), 0x00010001u);
    EXPECT_EQ(prefs.WriterVersion(), test::Version(1, 20));
}

TEST(CAppPrefsTest, LoadBringsStoredSelectionsIntoRange) {
    // A damaged or foreign file may select beyond the tables; the tools index them directly.
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct Case {
        std::int32_t zoom, colorFormat, lengthUnit, tool, exportOption;
        std::int32_t wantZoom, wantColorFormat, wantLengthUnit, wantTool, wantExport;
    };
    const Case cases[] = {
        {400, 3, 2, 4, 4, 400, 3, 2, 4, 4},
        {0, -1, 99, kMin, -1, 100, 0, 0, 1, 0},
        {100000, 1000, -5, 5, 5, 1000, 0, 0, 1, 0},
        {100, 0, 0, 0, kMin, 100, 0, 0, 1, 0},
    };
    for (const auto& c : cases) {
        FileSpec layout;
        layout.zoomFactor = c.zoom;
        layout.colorFormatIndex = c.colorFormat;
        layout.lengthUnitIndex = c.lengthUnit;
        layout.activeTool = c.tool;
        layout.exportOption = c.exportOption;
        PrefsRig rig;
        rig.files.AddFile(test::kDataFile, BuildDataFile(layout));
        CAppPrefs prefs(rig.Services());
        prefs.Initialize({});
        ASSERT_FALSE(prefs.Load().exitRequested);
        EXPECT_EQ(prefs.Settings().zoomFactor, c.wantZoom);
        EXPECT_EQ(prefs.Settings().colorFormatIndex, c.wantColorFormat);
        EXPECT_EQ(prefs.Settings().lengthUnitIndex, c.wantLengthUnit);
        EXPECT_EQ(prefs.Settings().activeTool, c.wantTool);
        EXPECT_EQ(prefs.Settings().exportOption, c.wantExport);
    }
}

}  // namespace
}  // namespace nl
