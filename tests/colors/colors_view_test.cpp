#include "colors/colors_view.h"

#include <gtest/gtest.h>

#include <optional>

#include "base/command_ids.h"
#include "base/string_ids.h"
#include "document/CColorPicker.h"
#include "document/document_test_support.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "platform/fake/FakeLocale.h"

namespace nl {
namespace {

using namespace testing_support;

constexpr DisplayMetrics k96Dpi{96, 96, 8, 16};
constexpr int kHashHtmlRow = 4;  // "#HTML" in the color format table
constexpr int kInchRow = 5;      // "Inch" in the length unit table

class ColsViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_formats.LoadColorFormats());
        ASSERT_TRUE(m_units.LoadUnits(k96Dpi, nullptr));
    }

    void Add(COLORREF color, Point at) {
        CColPick sample(CColPick::StampNow(m_clock));
        sample.SetColor(color);
        sample.SetPosition(at);
        sample.SetRelativePosition({at.x - 10, at.y - 20});
        sample.SetSourceTitle("Editor");
        ASSERT_TRUE(m_colors.InsertColor(m_colors.GetCount(), sample));
    }

    TestClock m_clock;
    CColorPicker m_colors{m_clock};
    CUnitsCol m_formats;
    CUnitsXY m_units;
};

TEST(ColsViewModeTest, OptionBitsAndCommandsMapBothWays) {
    struct Case {
        std::uint32_t options;
        ColsViewMode mode;
    };
    const Case cases[] = {
        {0x00000200, ColsViewMode::kLargeIcons},  // no mode bit: large icons
        {0x00010200, ColsViewMode::kDetails},    {0x00020000, ColsViewMode::kLargeIcons},
        {0x00040000, ColsViewMode::kSmallIcons}, {0x00080000, ColsViewMode::kList},
        {0x000F0000, ColsViewMode::kDetails},  // several bits: details wins
        {0x000C0000, ColsViewMode::kList},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColsViewModeFromOptions(c.options), c.mode) << std::hex << c.options;
    }
    struct Bits {
        ColsViewMode mode;
        int command;
        std::uint32_t bit;
    };
    const Bits bits[] = {{ColsViewMode::kLargeIcons, 59409, 0x20000},
                         {ColsViewMode::kSmallIcons, 59408, 0x40000},
                         {ColsViewMode::kList, 59410, 0x80000},
                         {ColsViewMode::kDetails, 59411, 0x10000}};
    for (const Bits& b : bits) {
        // Setting a mode keeps the other option bits and leaves exactly one mode bit.
        EXPECT_EQ(ColsWithViewMode(0x000F0300, b.mode), 0x300u | b.bit);
        EXPECT_EQ(ColsViewModeFromOptions(ColsWithViewMode(0x10000, b.mode)), b.mode);
        EXPECT_EQ(ColsViewModeCommand(b.mode), b.command);
        EXPECT_EQ(ColsViewModeForCommand(b.command), b.mode);
    }
    EXPECT_EQ(ColsViewModeForCommand(cmd::kEditCopy), std::nullopt);
}

TEST_F(ColsViewTest, HeadersAreTheFourColumnsThenName) {
    EXPECT_EQ(ColsColumnHeaders(),
              (std::vector<std::string>{" # ", "Color", "Position", "...", "Name"}));
}

TEST_F(ColsViewTest, ItemTextsFollowFormatAndUnit) {
    Add(MakeRgb(0x12, 0xAB, 0xFF), {96, 48});
    Add(MakeRgb(1, 2, 3), {0, 0});
    struct Case {
        int index;
        int column;
        int format;
        int unit;
        std::string expected;
    };
    const Case cases[] = {
        {0, kColsIndex, 0, 0, "01"},
        {1, kColsIndex, 0, 0, "02"},
        {0, kColsColor, kHashHtmlRow, 0, "#12ABFF"},
        {1, kColsColor, kHashHtmlRow, 0, "#010203"},
        {0, kColsPosition, 0, kInchRow, "1 , 0.5"},
        {0, kColsTile, 0, 0, ""},
        {0, kColsName, 0, 0, "\xE2\x89\x88 deepskyblue"},
        {1, kColsName, 0, 0, "\xE2\x89\x88 black"},
        {2, kColsIndex, 0, 0, ""},   // past the end
        {-1, kColsIndex, 0, 0, ""},  // before the start
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColsItemText(m_colors, 2, c.index, c.column, m_formats.GetAt(c.format),
                               m_units.GetAt(c.unit)),
                  c.expected)
            << c.index << "/" << c.column;
    }
    // A list that has not caught up with the document shows nothing rather than stale rows.
    EXPECT_EQ(ColsItemText(m_colors, 1, 0, kColsIndex, m_formats.GetAt(0), m_units.GetAt(0)), "");
}

TEST_F(ColsViewTest, IndexColumnWidensPastNinetyNine) {
    for (int i = 0; i < 100; ++i) Add(MakeRgb(i, 0, 0), {i, 0});
    EXPECT_EQ(ColsItemText(m_colors, 100, 99, kColsIndex, m_formats.GetAt(0), m_units.GetAt(0)),
              "100");
}

TEST(ColsFollowTest, NotificationsSetCountAndSelection) {
    struct Case {
        const char* what;
        int type;
        std::intptr_t argument;
        int listCount;
        int docCount;
        int count;
        bool setSelection;
        int selection;
        int redrawItem;
    };
    const Case cases[] = {
        {"insert at end", 20, 3, 3, 4, 4, true, 3, -1},
        {"insert in middle", 20, 1, 3, 4, 4, true, 1, -1},
        {"delete middle", 21, 1, 4, 3, 3, true, 1, -1},
        {"delete last selects new last", 21, 3, 4, 3, 3, true, 2, -1},
        {"delete only entry", 21, 0, 1, 0, 0, true, -1, -1},
        {"delete all", 30, 0, 5, 0, 0, true, -1, -1},
        {"document replaced", 32, 0, 5, 7, 7, true, -1, -1},
        {"color changed", 22, 2, 5, 5, 5, false, -1, 2},
        {"entry updated", 23, 4, 5, 5, 5, false, -1, 4},
        {"format changed", 31, 0, 5, 5, 5, false, -1, -1},
        {"timer tick", 6, 0, 5, 5, 5, false, -1, -1},
        {"full list drops the oldest", 20, 998, 999, 999, 999, true, 998, -1},
    };
    for (const Case& c : cases) {
        const ColsListChange change = ColsFollowNotification(static_cast<ViewNotify>(c.type),
                                                             c.argument, c.listCount, c.docCount);
        EXPECT_EQ(change.count, c.count) << c.what;
        EXPECT_EQ(change.setSelection, c.setSelection) << c.what;
        if (c.setSelection) {
            EXPECT_EQ(change.selection, c.selection) << c.what;
        }
        EXPECT_EQ(change.redrawItem, c.redrawItem) << c.what;
    }
    EXPECT_TRUE(ColsFollowNotification(ViewNotify::kUnitOrNumberFormatChanged, 0, 1, 1).repaint);
    EXPECT_FALSE(ColsFollowNotification(ViewNotify::kTimerTick, 0, 1, 1).repaint);
}

TEST(ColsCommandsTest, EnablingFollowsCountAndSelection) {
    struct Case {
        int id;
        int count;
        int selection;
        std::optional<bool> enabled;
    };
    const Case cases[] = {
        {cmd::kEditCopy, 3, 1, true},          {cmd::kEditCopy, 3, -1, false},
        {cmd::kEditCopy, 0, 0, false},  // a stale selection in an empty list
        {cmd::kGotoColor, 3, 2, true},         {cmd::kEditDelete, 3, 3, false},
        {cmd::kEditColor, 1, 0, true},         {cmd::kColorProperties, 1, -1, false},
        {cmd::kCopyColor, 2, 0, true},  // replace needs an entry to replace
        {cmd::kCopyColor, 2, -1, false},       {cmd::kMoveColorUp, 3, 0, false},
        {cmd::kMoveColorUp, 3, 1, true},       {cmd::kMoveColorUp, 3, -1, false},
        {cmd::kMoveColorDown, 3, 2, false},    {cmd::kMoveColorDown, 3, 1, true},
        {cmd::kMoveColorDown, 1, 0, false},    {cmd::kAddColor, 0, -1, true},
        {cmd::kViewDetails, 0, -1, true},      {cmd::kCopyAllColors, 0, -1, false},
        {cmd::kCopyAllColors, 2, -1, true},    {cmd::kDeleteAllColors, 0, -1, false},
        {cmd::kPickColor, 2, 0, std::nullopt},  // not the view's command
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColsCommandEnabled(c.id, c.count, c.selection), c.enabled)
            << c.id << " count " << c.count << " sel " << c.selection;
    }
}

TEST(ColsStatusTest, IndicatorText) {
    EXPECT_EQ(ColsStatusStringId(false, true, true), kIdsHintDisabled);
    EXPECT_EQ(ColsStatusStringId(true, false, true), kIdsHintActivate);
    EXPECT_EQ(ColsStatusStringId(true, true, false), kIdsHintMoveOutside);
    EXPECT_EQ(ColsStatusStringId(true, true, true), kIdsHintPressEnter);
}

TEST_F(ColsViewTest, ToolbarPositionTextNumbersTheNextPick) {
    Add(MakeRgb(0, 0, 0), {0, 0});
    m_colors.Sample().SetColor(MakeRgb(255, 0, 16));
    m_colors.Sample().SetPosition({192, 96});
    EXPECT_EQ(ColsToolbarPositionText(m_colors, true, m_formats.GetAt(kHashHtmlRow),
                                      m_units.GetAt(kInchRow)),
              "02: #FF0010 @ 2 , 1");
    EXPECT_EQ(ColsToolbarPositionText(m_colors, false, m_formats.GetAt(kHashHtmlRow),
                                      m_units.GetAt(kInchRow)),
              "Start to enable");
}

TEST_F(ColsViewTest, ToolbarPositionTextSaysWhyTheLiveSampleHasNoColor) {
    m_colors.Sample().SetColor(kNoColor);
    m_colors.Sample().SetPosition({192, 96});
    const struct {
        NoColorCause cause;
        const char* text;
    } cases[] = {
        {NoColorCause::kUnreadable, "01: no color @ 2 , 1 - the screen cannot be read there"},
        {NoColorCause::kOffScreen, "01: no color @ 2 , 1 - outside every screen"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColsToolbarPositionText(m_colors, true, m_formats.GetAt(kHashHtmlRow),
                                          m_units.GetAt(kInchRow), c.cause),
                  c.text);
    }
}

TEST_F(ColsViewTest, PropertyRowsUseFixedForms) {
    Add(MakeRgb(0, 0, 0), {0, 0});
    Add(MakeRgb(255, 128, 0), {96, 192});
    FakeLocale locale;
    locale.utcOffsetMinutes = 60;
    const auto rows = ColorPropertyRows(m_colors, 1, m_units.GetAt(kInchRow), &locale);
    ASSERT_EQ(rows.size(), 13u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Index", "2"},
        {"RGB", "255, 128, 0"},
        {"HTML", "FF8000"},
        {"HSL", "20, 240, 120"},
        {"HSV", "30, 100, 100"},
        {"CMYK", "0, 50, 100, 0"},
        {"Name", "\xE2\x89\x88 darkorange"},
        {"Source", "Editor"},
        {"Relative pos", "0.90 , 1.79"},
        {"Absolute pos", "1 , 2"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].first);
        EXPECT_EQ(rows[i].value, expected[i].second) << rows[i].name;
    }
    EXPECT_EQ(rows[0].note, "1 - 2");
    // The OKLab distance to darkorange (#FF8C00) is 0.0260.
    EXPECT_EQ(rows[6].note,
              "nearest CSS color, \xCE\x94"
              "E 0.026");
    EXPECT_EQ(rows[8].note, "Inch");
    // The test clock stands at 14:07:09 UTC; the locale is one hour ahead.
    EXPECT_NE(rows[10].value.find("3:07:09 PM"), std::string::npos) << rows[10].value;
    EXPECT_EQ(rows[10].name, "Created");
    EXPECT_EQ(rows[11].name, "Modified");
    EXPECT_EQ(rows[12], (ColorPropertyRow{"Version", "1", "updates"}));
    EXPECT_EQ(ColorPropertyRows(m_colors, 0, m_units.GetAt(kInchRow), &locale)[6],
              (ColorPropertyRow{"Name", "black", "CSS color"}));
    EXPECT_TRUE(ColorPropertyRows(m_colors, 2, m_units.GetAt(0), &locale).empty());
    EXPECT_TRUE(ColorPropertyRows(m_colors, -1, m_units.GetAt(0), &locale).empty());
}

TEST_F(ColsViewTest, PropertyRowsSayHowAColorOfThisSessionWasSampled) {
    struct Case {
        std::optional<SampleMethod> sampling;
        std::optional<ColorPropertyRow> row;  // the row after the positions, when there is one
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt},  // loaded from a file
        {SampleMethod{1, SampleStat::kMean}, std::nullopt},
        {SampleMethod{5, SampleStat::kMedian}, ColorPropertyRow{"Sampled",
                                                                "5\xC3\x97"
                                                                "5 pixels, Median",
                                                                "this session only"}},
    };
    for (const Case& c : cases) {
        CColPick sample(CColPick::StampNow(m_clock));
        sample.SetColor(MakeRgb(1, 2, 3));
        sample.SetSampling(c.sampling);
        ASSERT_TRUE(m_colors.InsertColor(m_colors.GetCount(), sample));
        const auto rows =
            ColorPropertyRows(m_colors, m_colors.GetCount() - 1, m_units.GetAt(kInchRow), nullptr);
        ASSERT_EQ(rows.size(), c.row ? 14u : 13u);
        if (c.row) {
            EXPECT_EQ(rows[10], *c.row);
        }
        EXPECT_EQ(rows.back().name, "Version");
    }
}

TEST_F(ColsViewTest, PropertyRowNotesInWords) {
    Add(MakeRgb(1, 2, 3), {5, 6});
    const auto rows = ColorPropertyRows(m_colors, 0, m_units.GetAt(kInchRow), nullptr);
    ASSERT_EQ(rows.size(), 13u);
    struct Case {
        std::size_t row;
        const char* name;
        const char* note;
    };
    for (const Case& c : {Case{7, "Source", "host caption"}, Case{10, "Created", "local time"},
                          Case{11, "Modified", "local time"}, Case{12, "Version", "updates"}}) {
        EXPECT_EQ(rows[c.row].name, c.name) << c.row;
        EXPECT_EQ(rows[c.row].note, c.note) << c.row;
    }
}

TEST(ColorPropertiesTextTest, EveryRowNameTabValueCrLf) {
    const std::vector<ColorPropertyRow> rows = {{"Index", "1", "1 - 1"}, {"RGB", "1, 2, 3", ""}};
    EXPECT_EQ(ColorPropertiesText(rows), "Index\t1\r\nRGB\t1, 2, 3\r\n");
    EXPECT_EQ(ColorPropertiesText({}), "");
}

TEST(CEditColorStateTest, UnchangedHslGivesTheOldColorExactly) {
    // Colors whose HSL round trip may not come back exactly, among them mid grey.
    for (const COLORREF old : {MakeRgb(128, 128, 128), MakeRgb(1, 2, 3), MakeRgb(250, 7, 99),
                               MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)}) {
        CEditColorState state(old);
        EXPECT_EQ(state.Result(true), old);
        const Hsl initial = state.Initial();
        // Away and back on every slider.
        state.SetH(initial.h + 40);
        state.SetS(initial.s / 2);
        state.SetL(initial.l == 0 ? 10 : 0);
        EXPECT_FALSE(state.IsUnchanged());
        state.SetH(initial.h);
        state.SetS(initial.s);
        state.SetL(initial.l);
        EXPECT_EQ(state.NewColor(), old);
        state.SetL(initial.l == 0 ? 10 : 0);
        state.ResetAll();
        EXPECT_EQ(state.Result(true), old);
        state.SetS(initial.s == 0 ? 1 : 0);
        EXPECT_EQ(state.Result(false), old);  // cancel always gives the old color
    }
}

TEST(CEditColorStateTest, ChangesAndSingleResets) {
    CEditColorState state(MakeRgb(255, 0, 0));
    ASSERT_EQ(state.Initial(), (Hsl{0, 240, 120}));
    state.SetL(240);
    EXPECT_EQ(state.NewColor(), MakeRgb(255, 255, 255));
    state.SetL(500);  // clamped
    EXPECT_EQ(state.Current().l, 240);
    state.SetH(-5);
    EXPECT_EQ(state.Current().h, 0);
    state.SetH(80);
    state.ResetL();
    EXPECT_EQ(state.Current(), (Hsl{80, 240, 120}));
    EXPECT_EQ(state.Result(true), HslToRgb(80, 240, 120));
    state.ResetH();
    EXPECT_EQ(state.Result(true), MakeRgb(255, 0, 0));
    // Picking the same color from the system dialog keeps the state as it is.
    state.SetFromColor(MakeRgb(255, 0, 0));
    EXPECT_TRUE(state.IsUnchanged());
    state.SetFromColor(MakeRgb(0, 0, 255));
    EXPECT_EQ(state.Result(true), MakeRgb(0, 0, 255));
}

TEST(CEditColorStateTest, AColorSetWholeStaysExactUntilAComponentMoves) {
    // #1A5C9E does not survive the 0..240 scale: H, S, L of it give #1A5B9E.
    const COLORREF typed = MakeRgb(0x1A, 0x5C, 0x9E);
    ASSERT_NE(HslToRgb(RgbToHsl(typed).h, RgbToHsl(typed).s, RgbToHsl(typed).l), typed);
    CEditColorState state(MakeRgb(255, 0, 0));
    state.SetFromColor(typed);
    EXPECT_EQ(state.Current(), RgbToHsl(typed));
    EXPECT_EQ(state.Result(true), typed);
    state.SetL(state.Current().l);  // a component touched: the scale's color from now on
    EXPECT_EQ(state.Result(true),
              HslToRgb(RgbToHsl(typed).h, RgbToHsl(typed).s, RgbToHsl(typed).l));
    state.SetFromColor(typed);
    state.ResetAll();
    EXPECT_EQ(state.Result(true), MakeRgb(255, 0, 0));
    // Back to the old color whole: the old color, exactly.
    CEditColorState grey(MakeRgb(128, 128, 128));
    grey.SetFromColor(typed);
    grey.SetFromColor(MakeRgb(128, 128, 128));
    EXPECT_EQ(grey.Result(true), MakeRgb(128, 128, 128));
}

}  // namespace
}  // namespace nl
