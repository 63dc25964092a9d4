#include "document/CColorPicker.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/CSystemError.h"
#include "document/document_test_support.h"
#include "model/CUnitsCol.h"
#include "platform/fake/FakeClipboard.h"
#include "res/version.h"

namespace nl {
namespace {

using namespace testing_support;
using std::chrono::milliseconds;
using Entry = RecordingSink::Entry;

constexpr int kHashHtmlRow = 4;  // "#HTML" in the color format table

class CColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_formats.LoadColorFormats());
        m_picker.SetOnModified([this] { ++m_ownerMarks; });
    }

    // A picked sample of `color` at (x, 0), as the desktop sampling leaves it.
    CColPick Sample(COLORREF color, int x = 0) const {
        CColPick sample(CColPick::StampNow(m_clock));
        sample.SetVersion(1);
        sample.SetColor(color);
        sample.SetPosition({x, 0});
        sample.SetRelativePosition({x, 0});
        sample.SetSourceTitle("Windows Desktop");
        sample.SetSourceWindow(77);
        return sample;
    }

    // Appends `count` colors whose values are their index.
    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            m_picker.InsertColor(m_picker.GetCount(), Sample(static_cast<COLORREF>(i)));
    }

    std::vector<COLORREF> ColorValues() const {
        std::vector<COLORREF> values;
        for (const auto& record : m_picker.Colors()) values.push_back(record.Color());
        return values;
    }

    const CUnitCol& HashHtml() const { return m_formats.GetAt(kHashHtmlRow); }

    TestClock m_clock;
    RecordingSink m_sink;
    CColorPicker m_picker{m_clock, &m_sink};
    CUnitsCol m_formats;
    int m_ownerMarks = 0;
};

TEST_F(CColorPickerTest, StartsResetWithTheDefaultExportTexts) {
    EXPECT_TRUE(m_picker.IsEmpty());
    EXPECT_FALSE(m_picker.IsModified());
    EXPECT_EQ(m_picker.Revision(), 0);
    EXPECT_EQ(m_picker.GetExportText(CColorPicker::kExportTitle), "<filetitle/> (<colors/>)");
    EXPECT_EQ(m_picker.GetExportText(CColorPicker::kExportHeader), "<appname/>: <datetime/>");
    EXPECT_EQ(m_picker.GetExportText(CColorPicker::kExportFooter),
              "<computer/>: <user/>: <filename/>: rev. <revision/>");
}

TEST_F(CColorPickerTest, InsertStampsTheCopyAndNotifies) {
    m_clock.Advance(milliseconds(5000));
    CColPick sample = Sample(0x00FF8000, 12);
    sample.SetFirstColor(kNoColor);
    sample.SetVersion(9);
    m_clock.Advance(milliseconds(1000));
    ASSERT_TRUE(m_picker.InsertColor(0, sample));

    const CColPick& record = m_picker.GetAt(0);
    const COleDateTime now = CColPick::StampNow(m_clock);
    EXPECT_EQ(record.FirstColor(), 0x00FF8000u);
    EXPECT_EQ(record.Version(), 1);
    EXPECT_EQ(record.Created(), now);
    EXPECT_EQ(record.Modified(), now);
    EXPECT_EQ(record.Position(), (Point{12, 0}));
    EXPECT_EQ(record.SourceWindow(), 77u);  // a copy keeps the window handle in memory
    EXPECT_TRUE(m_picker.IsModified());
    EXPECT_EQ(m_ownerMarks, 1);
    EXPECT_EQ(m_sink.Entries(), (std::vector<Entry>{{ViewNotify::kColorInserted, 0}}));
}

TEST_F(CColorPickerTest, InsertIntoAFullListDropsTheOldestFirst) {
    struct Case {
        int index;       // requested
        int finalIndex;  // where the new color lands
    };
    const Case cases[] = {{999, 998}, {5, 4}, {1, 0}, {0, 0}};
    constexpr COLORREF kNew = 0x00ABCDEF;
    for (const auto& c : cases) {
        m_picker.Reset();
        Fill(CColorPicker::kMaxColors);
        ASSERT_EQ(m_picker.GetCount(), 999);
        m_sink.Clear();
        ASSERT_TRUE(m_picker.InsertColor(c.index, Sample(kNew)));
        EXPECT_EQ(m_picker.GetCount(), 999) << c.index;
        EXPECT_EQ(m_picker.GetAt(c.finalIndex).Color(), kNew) << c.index;
        // Color 0 (the oldest) is gone; color 1 is now first unless the new one took its place.
        const int firstOld = c.finalIndex == 0 ? 1 : 0;
        EXPECT_EQ(m_picker.GetAt(firstOld).Color(), 1u) << c.index;
        EXPECT_EQ(m_sink.Entries(),
                  (std::vector<Entry>{{ViewNotify::kColorInserted, c.finalIndex}}))
            << c.index;
    }
}

TEST_F(CColorPickerTest, ReplaceKeepsOnlyTheCreatedTime) {
    Fill(2);
    const COleDateTime created = m_picker.GetAt(1).Created();
    m_picker.SetColor(1, 0x10);  // version 2, first color 1
    m_clock.Advance(milliseconds(60000));
    CColPick live = Sample(0x00C0FFEE, 40);  // version 1, first color none
    m_sink.Clear();

    m_picker.ReplaceColor(1, live);
    CColPick expected = live;
    expected.SetCreated(created);
    EXPECT_EQ(m_picker.GetAt(1), expected);
    EXPECT_EQ(m_picker.GetAt(1).FirstColor(), kNoColor);
    EXPECT_EQ(m_picker.GetAt(1).Version(), 1);
    EXPECT_EQ(m_sink.Entries(), (std::vector<Entry>{{ViewNotify::kColorChanged, 1}}));
}

TEST_F(CColorPickerTest, SetColorCountsTheEditAndKeepsTheFirstColor) {
    Fill(1);
    m_clock.Advance(milliseconds(2500));
    m_picker.SetColor(0, 0);  // black is a color
    m_picker.SetColor(0, 0x00112233);
    const CColPick& record = m_picker.GetAt(0);
    EXPECT_EQ(record.Color(), 0x00112233u);
    EXPECT_EQ(record.FirstColor(), 0u);
    EXPECT_EQ(record.Version(), 3);
    EXPECT_EQ(record.Modified(), CColPick::StampNow(m_clock));
    EXPECT_NE(record.Created(), record.Modified());
}

TEST_F(CColorPickerTest, MoveColorSwapsWithinBoundsOnly) {
    struct Case {
        int from;
        int to;
        int result;
        std::vector<COLORREF> after;
        std::vector<Entry> notes;
    };
    const Case cases[] = {
        {0, 2, 1, {2, 1, 0}, {{ViewNotify::kColorChanged, 0}, {ViewNotify::kColorChanged, 2}}},
        {2, 1, 1, {0, 2, 1}, {{ViewNotify::kColorChanged, 2}, {ViewNotify::kColorChanged, 1}}},
        {1, 1, 1, {0, 1, 2}, {}},
        {0, -1, 0, {0, 1, 2}, {}},  // the first color up
        {2, 3, 0, {0, 1, 2}, {}},   // the last color down
        {-1, 0, 0, {0, 1, 2}, {}},
        {3, 3, 0, {0, 1, 2}, {}},
    };
    for (const auto& c : cases) {
        m_picker.Reset();
        Fill(3);
        m_sink.Clear();
        const int marksBefore = m_ownerMarks;
        EXPECT_EQ(m_picker.MoveColor(c.from, c.to), c.result) << c.from << "->" << c.to;
        EXPECT_EQ(ColorValues(), c.after) << c.from << "->" << c.to;
        EXPECT_EQ(m_sink.Entries(), c.notes) << c.from << "->" << c.to;
        EXPECT_EQ(m_ownerMarks - marksBefore, c.notes.empty() ? 0 : 1) << c.from << "->" << c.to;
    }
}

TEST_F(CColorPickerTest, RemoveNotifiesAndRemoveAllOnlyMarksAListThatHadColors) {
    Fill(3);
    m_sink.Clear();
    m_picker.RemoveColor(1);
    EXPECT_EQ(ColorValues(), (std::vector<COLORREF>{0, 2}));
    m_picker.RemoveAllColors();
    EXPECT_TRUE(m_picker.IsEmpty());
    EXPECT_EQ(m_sink.Entries(), (std::vector<Entry>{{ViewNotify::kColorRemoved, 1},
                                                    {ViewNotify::kAllColorsRemoved, 0}}));

    CArchive saved;
    m_picker.Serialize(saved);  // clears the modified flag
    const int marks = m_ownerMarks;
    m_picker.RemoveAllColors();
    EXPECT_FALSE(m_picker.IsModified());
    EXPECT_EQ(m_ownerMarks, marks);
}

TEST_F(CColorPickerTest, StrayIndicesAreInvalidArguments) {
    Fill(2);
    EXPECT_THROW(m_picker.InsertColor(3, Sample(1)), std::invalid_argument);
    EXPECT_THROW(m_picker.InsertColor(-1, Sample(1)), std::invalid_argument);
    EXPECT_THROW(m_picker.ReplaceColor(2, Sample(1)), std::invalid_argument);
    EXPECT_THROW(m_picker.SetColor(-1, 1), std::invalid_argument);
    EXPECT_THROW(m_picker.RemoveColor(2), std::invalid_argument);
    EXPECT_THROW(m_picker.GetAt(2), std::invalid_argument);
    EXPECT_THROW(m_picker.ColorsText(2, HashHtml()), std::invalid_argument);
    EXPECT_EQ(m_picker.GetCount(), 2);
}

TEST_F(CColorPickerTest, CopyColorsText) {
    FakeClipboard clipboard;
    EXPECT_EQ(m_picker.CopyColors(CColorPicker::kAllColors, HashHtml(), clipboard), 0u);
    EXPECT_EQ(clipboard.Text(), "");  // an empty list gives empty text

    m_picker.InsertColor(0, Sample(0x00563412));  // red 0x12, green 0x34, blue 0x56
    m_picker.InsertColor(1, Sample(0));
    CArchive saved;
    m_picker.Serialize(saved);
    m_sink.Clear();
    EXPECT_EQ(m_picker.CopyColors(CColorPicker::kAllColors, HashHtml(), clipboard), 0u);
    EXPECT_EQ(clipboard.Text(), "#123456\r\n#000000\r\n");
    EXPECT_EQ(m_picker.CopyColors(0, HashHtml(), clipboard), 0u);
    EXPECT_EQ(clipboard.Text(), "#123456");
    EXPECT_EQ(m_picker.ColorsText(1, m_formats.GetAt(8)), "0, 0, 0");  // RGB 0-255
    // Copying changes nothing.
    EXPECT_FALSE(m_picker.IsModified());
    EXPECT_TRUE(m_sink.Entries().empty());
}

TEST_F(CColorPickerTest, ClipboardFailureIsReturnedAndLeavesTheClipboard) {
    Fill(1);
    FakeClipboard clipboard;
    clipboard.SetText("before");
    clipboard.FailWith(kErrorClipboardNotOpen);
    EXPECT_EQ(m_picker.CopyColors(0, HashHtml(), clipboard), kErrorClipboardNotOpen);
    EXPECT_EQ(clipboard.Text(), "before");
}

TEST_F(CColorPickerTest, ResetEmptiesAndRestoresDefaults) {
    Fill(2);
    m_picker.SetExportText(CColorPicker::kExportTitle, "Spring");
    CArchive saved;
    m_picker.Serialize(saved);  // revision 1
    m_picker.InsertColor(0, Sample(5));
    m_sink.Clear();

    m_picker.Reset();
    EXPECT_TRUE(m_picker.IsEmpty());
    EXPECT_EQ(m_picker.Revision(), 0);
    EXPECT_FALSE(m_picker.IsModified());
    EXPECT_EQ(m_picker.GetExportTexts(), CColorPicker::DefaultExportTexts());
    EXPECT_EQ(m_sink.Entries(), (std::vector<Entry>{{ViewNotify::kAllColorsRemoved, 0}}));
}

TEST_F(CColorPickerTest, ExportTextChangesMarkTheListModified) {
    m_picker.SetExportText(CColorPicker::kExportFooter,
                           m_picker.GetExportText(CColorPicker::kExportFooter));
    EXPECT_FALSE(m_picker.IsModified());
    m_picker.SetExportText(CColorPicker::kExportFooter, "");
    EXPECT_TRUE(m_picker.IsModified());
    EXPECT_EQ(m_ownerMarks, 1);
}

// The colors section of a list holding one record (`record`, already in its stored form),
// saved at `savedAt` with revision `revision`, export texts "T", "" and "F" and reserved
// value 0.
Bytes SectionBytes(std::int32_t revision, const Bytes& record, double savedAt) {
    return Concat({
        Str("NCnlCol"), U32(0x00010000), U32(kProductVersion),
        Date(savedAt),  Zeros(4),        I32(revision),
        Zeros(32),      EmptyStrings(4),
        Zeros(4),  // reserved value
        Zeros(4),       Zeros(64),       EmptyStrings(4),
        {0x01, 0x00},                  // one record
        record,         {0x00, 0x00},  // no 32-bit values
        {0x03, 0x00},                  // three export texts
        Str("T"),       Str(""),         Str("F"),
    });
}

TEST_F(CColorPickerTest, WritesTheSectionByteForByteAndRaisesTheRevisionOncePerChange) {
    m_picker.InsertColor(0, Sample(0x00030201, 7));
    m_picker.SetExportText(CColorPicker::kExportTitle, "T");
    m_picker.SetExportText(CColorPicker::kExportHeader, "");
    m_picker.SetExportText(CColorPicker::kExportFooter, "F");
    CArchive recordOut;
    CColPick record = m_picker.GetAt(0);
    record.Serialize(recordOut);

    struct Step {
        bool change;
        std::int32_t revision;
    };
    // First save of a changed list, an unchanged save, a change, two unchanged saves.
    const Step steps[] = {{false, 1}, {false, 1}, {true, 2}, {false, 2}, {false, 2}};
    for (const auto& step : steps) {
        if (step.change) {
            m_picker.SetColor(0, 0x00030201);
            record = m_picker.GetAt(0);
            recordOut = CArchive();
            record.Serialize(recordOut);
        }
        CArchive out("p.nlz");
        m_picker.Serialize(out);
        EXPECT_FALSE(m_picker.IsModified());
        EXPECT_EQ(m_picker.Revision(), step.revision);
        EXPECT_EQ(out.Bytes(), SectionBytes(step.revision, recordOut.Bytes(), m_clock.OleNow()));
    }
}

TEST_F(CColorPickerTest, ReadsTheSectionBackFieldByField) {
    m_picker.InsertColor(0, Sample(0x00FFFFFF, -3));
    m_picker.InsertColor(1, Sample(0, 1919));
    m_picker.SetColor(1, 0x00808080);
    m_picker.SetExportText(CColorPicker::kExportHeader, "Header \xE2\x80\x94 \xC3\xA9");
    CArchive out("p.nlz");
    m_picker.Serialize(out);

    TestClock otherClock;
    CColorPicker read(otherClock);
    read.InsertColor(0, Sample(1));  // replaced by the load
    CArchive in(out.Bytes(), "p.nlz");
    read.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_FALSE(read.IsModified());
    EXPECT_EQ(read.Revision(), 1);
    EXPECT_EQ(read.GetExportTexts(), m_picker.GetExportTexts());
    ASSERT_EQ(read.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        CColPick expected = m_picker.GetAt(i);
        expected.SetSourceWindow(0);  // not stored
        EXPECT_EQ(read.GetAt(i), expected) << i;
    }
}

TEST_F(CColorPickerTest, ExportTextArrayIsCutOrPaddedToThree) {
    struct Case {
        std::vector<std::string> stored;
        CColorPicker::ExportTexts read;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, {"a", "b", "c"}},
        {{"a", "b", "c", "d", "e"}, {"a", "b", "c"}},
        {{"a"}, {"a", "", ""}},
        {{}, {"", "", ""}},
    };
    for (const auto& c : cases) {
        CArchive out("p.nlz");
        m_picker.Serialize(out);
        Bytes bytes = out.TakeBytes();
        // The empty list ends in count 0 (records), count 0 (values), then the three texts.
        const Bytes defaultTexts = [&] {
            CArchive t;
            t.WriteStringTable(m_picker.GetExportTexts());
            return t.TakeBytes();
        }();
        bytes.resize(bytes.size() - defaultTexts.size());
        CArchive texts;
        texts.WriteStringTable(c.stored);
        bytes = Concat({bytes, texts.Bytes()});

        CColorPicker read(m_clock);
        CArchive in(bytes, "p.nlz");
        read.Serialize(in);
        EXPECT_EQ(read.GetExportTexts(), c.read) << c.stored.size();
    }
}

TEST_F(CColorPickerTest, RefusesABadSectionAndKeepsTheList) {
    using Cause = CArchiveException::Cause;
    Fill(2);
    CArchive out("p.nlz");
    m_picker.Serialize(out);
    const Bytes good = out.Bytes();
    constexpr std::size_t kVersionOffset = 18;  // after the 18-byte magic string
    struct Case {
        const char* what;
        Bytes bytes;
        Cause cause;
    };
    Bytes lowerMagic = good;
    lowerMagic[4] = 'n';  // "nCnlCol"
    Bytes newer = good;
    newer[kVersionOffset] = 0x01;  // 0x00010001
    Bytes hugeCount = good;
    const std::size_t countOffset = 18 + 4 + 4 + 12 + 4 + 4 + 32 + 16 + 4 + 4 + 64 + 16;
    hugeCount[countOffset] = 0xFE;
    hugeCount[countOffset + 1] = 0xFF;
    const Case cases[] = {
        {"magic case", lowerMagic, Cause::kBadFormat},
        {"version 0x00010001", newer, Cause::kBadFormat},
        {"count beyond the file", hugeCount, Cause::kEndOfFile},
        {"cut before the texts", Bytes(good.begin(), good.end() - 20), Cause::kEndOfFile},
        {"empty", Bytes{}, Cause::kEndOfFile},
    };
    for (const auto& c : cases) {
        CArchive in(c.bytes, "p.nlz");
        try {
            m_picker.Serialize(in);
            ADD_FAILURE() << c.what;
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.what;
        }
        EXPECT_EQ(ColorValues(), (std::vector<COLORREF>{0, 1})) << c.what;
    }
}

}  // namespace
}  // namespace nl
