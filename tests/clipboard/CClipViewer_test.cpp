#include "clipboard/CClipViewer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "model/NumberFormat.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeFileSystem.h"

namespace nl {
namespace {

constexpr int kText = cmd::kClipboardShowText;
constexpr int kRtf = kText + 1;
constexpr int kHtml = kText + 2;
constexpr int kBitmap = kText + 3;
constexpr int kFiles = cmd::kClipboardShowFileList;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

class CClipViewerTest : public ::testing::Test {
protected:
    void Put(std::vector<ClipboardFormat> formats) {
        ASSERT_EQ(m_clipboard.SetFormats(formats), kErrorSuccess);
        m_viewer.Refresh(m_clipboard.FormatNames());
    }
    // What the viewer would read of the current entry's data.
    ClipboardRead CurrentRead() const {
        const auto bytes = m_clipboard.Data(m_viewer.CurrentMime());
        return bytes ? CutRead(*bytes, CClipViewer::kMaxTextBytes) : ClipboardRead{};
    }
    ClipboardRead SaveRead(const std::string& path) const {
        const auto bytes = m_clipboard.Data(m_viewer.SaveMime(path));
        return bytes ? CutRead(*bytes, CClipViewer::kMaxSaveBytes) : ClipboardRead{};
    }
    void Save(FakeFileSystem& files, const std::string& path) const {
        m_viewer.SaveText(SaveRead(path), files, path);
    }
    // The text view of `read` once its statistics were walked to the end in steps of
    // `stepBytes`, with the summary they give.
    std::optional<ClipTextView> ReadWhole(ClipboardRead read, std::size_t stepBytes = 1) {
        std::optional<ClipTextView> view = m_viewer.ReadText(std::move(read));
        while (m_viewer.StepStats(stepBytes)) {
        }
        if (view) view->summary = m_viewer.Summary();
        return view;
    }
    int CurrentCommand() const {
        const ClipDisplayEntry* entry = m_viewer.CurrentEntry();
        return entry ? entry->command : 0;
    }

    FakeClipboard m_clipboard;
    CClipViewer m_viewer;
};

TEST_F(CClipViewerTest, RefreshChoosesThePreferenceTheCurrentEntryOrTheFirstAvailable) {
    const ClipboardFormat text{"text/plain", Bytes("ab cd\r\nef")};
    const ClipboardFormat bitmap{"image/bmp", Bytes("BM")};
    const ClipboardFormat html{"text/html", Bytes("<b>x</b>")};
    const ClipboardFormat files{"text/uri-list", Bytes("file:///tmp/a\r\n")};

    Put({});
    EXPECT_EQ(m_viewer.Current(), CClipViewer::kNoEntry);
    EXPECT_EQ(m_viewer.Summary(), CClipViewer::kWaitText);

    // Text and a picture: the text preference wins, even after the user picked the picture.
    Put({bitmap, text});
    EXPECT_EQ(CurrentCommand(), kText);
    ASSERT_TRUE(m_viewer.Show(kBitmap));
    EXPECT_EQ(CurrentCommand(), kBitmap);
    m_viewer.Refresh(m_clipboard.FormatNames());
    EXPECT_EQ(CurrentCommand(), kText);

    // Without text, the picture preference (still Bitmap).
    Put({html, bitmap});
    EXPECT_EQ(CurrentCommand(), kBitmap);
    // Only HTML: no preference is there, the current entry neither: the first in table order.
    Put({html});
    EXPECT_EQ(CurrentCommand(), kHtml);
    // Picking HTML with text on the clipboard makes it the text preference.
    Put({html, text});
    EXPECT_EQ(CurrentCommand(), kText);
    m_viewer.Show(kHtml);
    Put({text, html});
    EXPECT_EQ(CurrentCommand(), kHtml);
    // The current entry outlives its preference while it stays available.
    Put({files, html});
    EXPECT_EQ(CurrentCommand(), kHtml);
    Put({files});
    EXPECT_EQ(CurrentCommand(), kFiles);
}

TEST_F(CClipViewerTest, PreviousAndNextStepThroughTheAvailableFormatsInMenuOrder) {
    Put({{"image/png", Bytes("x")},
         {"text/uri-list", Bytes("")},
         {"text/rtf", Bytes("{")},
         {"text/plain", Bytes("t")}});
    ASSERT_EQ(CurrentCommand(), kText);
    const struct {
        int direction;
        int expected;
    } steps[] = {{1, kRtf}, {1, kBitmap}, {1, kFiles}, {1, kText}, {-1, kFiles}, {-1, kBitmap}};
    for (const auto& step : steps) {
        const auto command = m_viewer.StepCommand(step.direction);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(*command, step.expected);
        m_viewer.Show(*command);
    }
    Put({{"text/plain", Bytes("t")}});
    EXPECT_EQ(m_viewer.AvailableCount(), 1);
    EXPECT_EQ(m_viewer.StepCommand(1), std::nullopt);
}

TEST_F(CClipViewerTest, EnablingAndPictureSummariesFollowTheContents) {
    Put({});
    EXPECT_FALSE(m_viewer.HoldsAnyFormat());
    EXPECT_FALSE(m_viewer.CanSaveAs());
    m_viewer.SetNoPictureSummary();
    EXPECT_EQ(m_viewer.Summary(), "The clipboard is empty");

    Put({{"application/x-other", Bytes("1234")}});
    EXPECT_TRUE(m_viewer.HoldsAnyFormat());
    m_viewer.SetNoPictureSummary();
    EXPECT_EQ(m_viewer.Summary(), "The clipboard data is not supported by this application");

    Put({{"image/x-emf", Bytes("")}});
    EXPECT_FALSE(m_viewer.CanSaveAs());
    m_viewer.SetMetafileSummary({640, 480, 2048}, NumberFormat::Neutral());
    EXPECT_EQ(m_viewer.Summary(), "METAFILE: Bounds = 640 x 480 px | Size = 2 KB");

    Put({{"image/png", Bytes("x")}});
    EXPECT_TRUE(m_viewer.CanSaveAs());
    m_viewer.SetBitmapSummary({32, 32, 4, 1}, NumberFormat::Neutral());
    EXPECT_EQ(m_viewer.Summary(), "BITMAP: Dim = 32 x 32 px | Size = 190 B | Col = 1 bits");
}

TEST_F(CClipViewerTest, TextSummariesCountTheTextOrTheFiles) {
    Put({{"text/plain;charset=utf-8", Bytes("ab cd\r\nef")}});
    auto view = ReadWhole(CurrentRead());
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->text, u"ab cd\r\nef");
    EXPECT_EQ(view->summary,
              "TEXT: Lines = 2 | Words = 3 | Chars = 10 || Vis = 6 | Spc = 1 | Ctrl = 3");

    // Until the walk ends the summary waits; an interruption keeps the text.
    view = m_viewer.ReadText(CurrentRead());
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->summary, "Wait...");
    m_viewer.InterruptStats();
    EXPECT_EQ(view->text, u"ab cd\r\nef");
    EXPECT_EQ(m_viewer.Summary(), "Stats collection interrupted by Esc/Copy");
    EXPECT_FALSE(m_viewer.StepStats(1));
    EXPECT_EQ(m_viewer.Summary(), "Stats collection interrupted by Esc/Copy");

    Put({{"text/uri-list", Bytes("file:///tmp/a\r\nfile:///tmp/bc\r\n")}});
    view = m_viewer.ReadText(CurrentRead());
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->text, u"/tmp/a\r\n/tmp/bc\r\n");
    EXPECT_EQ(m_viewer.Summary(), "FILES: Count = 2 || List = 17 chars");

    Put({{"image/png", Bytes("x")}});
    EXPECT_FALSE(m_viewer.ReadText(CurrentRead()).has_value());
}

// The statistics walked in steps of any size count what one walk over the decoded text does,
// wherever a step ends: inside a line end, a word or a character of several bytes.
TEST_F(CClipViewerTest, StatisticsWalkedInStepsCountAsOneWalk) {
    const std::vector<std::vector<std::uint8_t>> texts = {
        Bytes("multi-\r\nline words\r\n\r\nand\tmore"),
        Bytes("caf\xC3\xA9 \xE2\x80\x99quoted\xE2\x80\x99 \xF0\x9F\x98\x80!\n\xFF bad"),
        Bytes(std::string("stops\r\n at\0 the null", 21)),
        {0xFE, 0xFF, 0, 'a', 0, '\r', 0, '\n', 0x20, 0x19, 0, 'b'},
        {0xFF, 0xFE, 'x', 0, ' ', 0, '-', 0, 'y', 0},
    };
    for (const auto& bytes : texts) {
        Put({{"text/plain", bytes}});
        const auto expected = CollectTextStats(DecodeClipText(bytes), {});
        ASSERT_TRUE(expected.has_value());
        for (std::size_t step = 1; step <= bytes.size(); ++step) {
            ASSERT_TRUE(m_viewer.ReadText(CutRead(bytes, bytes.size())).has_value());
            std::size_t steps = 1;
            while (m_viewer.StepStats(step)) ++steps;
            // Each step walks its share of the bytes, not the whole text.
            EXPECT_LE(steps, bytes.size() / step + 1) << step;
            const std::string counts = m_viewer.Summary().substr(m_viewer.Summary().find(':'));
            EXPECT_EQ(counts, ": Lines = " + std::to_string(expected->lines) +
                                  " | Words = " + std::to_string(expected->words) +
                                  " | Chars = " + std::to_string(expected->chars) +
                                  " || Vis = " + std::to_string(expected->visible) +
                                  " | Spc = " + std::to_string(expected->spaces) +
                                  " | Ctrl = " + std::to_string(expected->controls))
                << step;
        }
    }
}

// A text far longer than the text box shows: the box holds its start and a line saying so,
// the statistics count all of it.
TEST_F(CClipViewerTest, ALongTextShowsItsStartAndCountsAllOfIt) {
    const std::size_t lines = CClipViewer::kMaxPreviewLines * 4;
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) text += "word " + std::to_string(i) + "\n";
    Put({{"text/plain", Bytes(text)}});
    const auto view = ReadWhole(CurrentRead(), CClipViewer::kMaxTextBytes);
    ASSERT_TRUE(view.has_value());
    const std::size_t previewEnd = view->text.find(u"\r\n\r\n[");
    ASSERT_NE(previewEnd, std::u16string::npos);
    EXPECT_EQ(std::count(view->text.begin(), view->text.end(), u'\n'),
              CClipViewer::kMaxPreviewLines + 2);
    EXPECT_EQ(view->text.substr(0, previewEnd), Utf8ToUtf16(text).substr(0, previewEnd));
    EXPECT_NE(Utf16ToUtf8(view->text.substr(previewEnd))
                  .find(" " + std::to_string(previewEnd) + " of " + std::to_string(text.size()) +
                        " bytes"),
              std::string::npos);
    EXPECT_EQ(view->summary,
              "TEXT: Lines = " + std::to_string(lines + 1) + " | Words = " +
                  std::to_string(2 * lines) + " | Chars = " + std::to_string(text.size() + 1) +
                  " || Vis = " + std::to_string(text.size() - 2 * lines) +
                  " | Spc = " + std::to_string(lines) + " | Ctrl = " + std::to_string(lines + 1));
    // A short text is shown whole, without the line.
    Put({{"text/plain", Bytes("short")}});
    EXPECT_EQ(ReadWhole(CurrentRead())->text, u"short");
}

TEST_F(CClipViewerTest, SaveAsWritesTheChosenFormatAsUtf16WithoutBom) {
    FakeFileSystem files;
    files.AddFolder("/out");
    Put({{"text/plain", Bytes("h\xE2\x82\xAC")},
         {"text/html", Bytes("Version:1.0\r\nStartHTML:0000000000\r\n<html>x</html>")},
         {"image/png", Bytes("x")}});
    EXPECT_EQ(m_viewer.SaveKind(), ClipSaveKind::kText);
    EXPECT_EQ(m_viewer.SaveFilter(), "Text (*.txt)|*.txt|HTML (*.htm)|*.htm||");

    Save(files, "/out/a.TXT");
    EXPECT_EQ(*files.Contents("/out/a.TXT"), (std::vector<std::uint8_t>{'h', 0, 0xAC, 0x20}));
    Save(files, "/out/b.htm");
    const std::u16string markup = u"<html>x</html>";
    std::vector<std::uint8_t> expected;
    for (const char16_t c : markup)
        expected.insert(expected.end(), {static_cast<std::uint8_t>(c), 0});
    EXPECT_EQ(*files.Contents("/out/b.htm"), expected);

    for (const char* path : {"/out/c.html", "/out/noext", "/out/d.rtf"}) {
        try {
            Save(files, path);
            ADD_FAILURE() << path << " was saved";
        } catch (const CSystemError& e) {
            EXPECT_EQ(e.Code(), kErrorNotSupported) << path;
        }
    }
    files.Fail(FakeFileSystem::Op::kWrite, "/out/e.txt", kErrorAccessDenied);
    EXPECT_THROW(Save(files, "/out/e.txt"), CSystemError);

    Put({{"image/png", Bytes("x")}});
    EXPECT_EQ(m_viewer.SaveKind(), ClipSaveKind::kBitmap);
    Put({{"text/uri-list", Bytes("file:///tmp/a\r\n")}});
    EXPECT_EQ(m_viewer.SaveKind(), ClipSaveKind::kFileList);
    EXPECT_EQ(m_viewer.SaveFilter(), "Text (*.txt)|*.txt||");
    Save(files, "/out/list.txt");
    EXPECT_EQ(files.Contents("/out/list.txt")->size(), 2u * 8);
}

TEST_F(CClipViewerTest, FormatRowsGiveSizesNumbersAndNames) {
    Put({{"image/png", Bytes("picture")},
         {"text/plain", Bytes("12345")},
         {"application/x-custom", std::vector<std::uint8_t>(2048, 0)},
         {"TARGETS", Bytes("")}});
    const ClipBitmapMeasure oneBit = [](std::span<const std::uint8_t>) {
        return std::optional<ClipBitmapInfo>(ClipBitmapInfo{32, 32, 4, 1});
    };
    // Nothing is measured yet.
    for (const ClipFormatRow& row : m_viewer.FormatRows(NumberFormat::Neutral()))
        EXPECT_EQ(row.size, "") << row.name;
    // Pictures are read to be measured, the other formats only for their size.
    std::vector<std::size_t> limits;
    while (const auto next = m_viewer.NextFormatRead()) {
        limits.push_back(next->maxBytes);
        m_viewer.SetFormatSize(next->row, CutRead(*m_clipboard.Data(next->mime), next->maxBytes),
                               oneBit);
    }
    EXPECT_EQ(limits, (std::vector<std::size_t>{CClipViewer::kMaxPictureBytes, 0, 0}));
    const std::vector<ClipFormatRow> expected = {
        {"1", "190 B", "2", "BITMAP"},
        {"2", "5 B", "13", "UNICODETEXT"},
        {"3", "2 KB", std::to_string(kFirstRegisteredFormat + 2), "application/x-custom"},
    };
    EXPECT_EQ(m_viewer.FormatRows(NumberFormat::Neutral()), expected);
    // A picture that cannot be measured, or is too large to be read whole, lists a size of 0.
    const ClipBitmapMeasure unreadable = [](std::span<const std::uint8_t>) {
        return std::optional<ClipBitmapInfo>();
    };
    m_viewer.SetFormatSize(0, CutRead(Bytes("picture"), 100), unreadable);
    EXPECT_EQ(m_viewer.FormatRows(NumberFormat::Neutral())[0].size, "0 B");
    m_viewer.SetFormatSize(0, CutRead(Bytes("picture"), 3), oneBit);
    EXPECT_EQ(m_viewer.FormatRows(NumberFormat::Neutral())[0].size, "0 B");
}

// The sizes the formats window lists as an owner answers some formats and not others: a
// format it does not answer is "unknown", and after two in a row the rest are given up.
TEST_F(CClipViewerTest, FormatSizesOfAnOwnerThatDoesNotAnswerAreUnknown) {
    using S = ClipboardReadStatus;
    struct Case {
        const char* what;
        std::vector<S> answers;  // for the rows in turn
        std::vector<std::string> sizes;
        std::size_t reads;  // reads asked for
    };
    const std::vector<Case> cases = {
        {"every answer", {S::kDone, S::kDone, S::kDone, S::kDone}, {"4 B", "4 B", "4 B", "4 B"}, 4},
        {"one timeout",
         {S::kDone, S::kTimedOut, S::kDone, S::kDone},
         {"4 B", "unknown", "4 B", "4 B"},
         4},
        {"timeouts apart",
         {S::kTimedOut, S::kDone, S::kTimedOut, S::kDone},
         {"unknown", "4 B", "unknown", "4 B"},
         4},
        {"two in a row",
         {S::kDone, S::kTimedOut, S::kTimedOut},
         {"4 B", "unknown", "unknown", "unknown"},
         3},
        {"a larger one",
         {S::kCut, S::kMissing, S::kDone, S::kDone},
         {"9 B", "0 B", "4 B", "4 B"},
         4},
    };
    for (const Case& c : cases) {
        Put({{"a/1", {}}, {"a/2", {}}, {"a/3", {}}, {"a/4", {}}});
        std::size_t reads = 0;
        while (const auto next = m_viewer.NextFormatRead()) {
            ASSERT_LT(reads, c.answers.size()) << c.what;
            const S status = c.answers[reads++];
            m_viewer.SetFormatSize(next->row, {status, status == S::kCut ? 9u : 4u, {}}, {});
        }
        EXPECT_EQ(reads, c.reads) << c.what;
        std::vector<std::string> sizes;
        for (const ClipFormatRow& row : m_viewer.FormatRows(NumberFormat::Neutral()))
            sizes.push_back(row.size);
        EXPECT_EQ(sizes, c.sizes) << c.what;
    }
}

TEST_F(CClipViewerTest, TextReadsThatTimeOutOrAreCutSaySo) {
    Put({{"text/plain", Bytes("abc")}});
    auto view = m_viewer.ReadText({ClipboardReadStatus::kTimedOut, 0, {}});
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->summary, SystemErrorText(kErrorTimeout));
    EXPECT_FALSE(m_viewer.StatsPending());
    view = ReadWhole(CutRead(Bytes("ab cd"), 2));
    EXPECT_EQ(view->text, u"ab");
    EXPECT_EQ(view->summary,
              "TEXT: Lines = 1 | Words = 1 | Chars = 3 || Vis = 2 | Spc = 0 | Ctrl = 1 || "
              "Counted = first 2 of 5 bytes");
    // Names that timed out: nothing to show and the summary says why.
    m_viewer.RefreshTimedOut();
    EXPECT_FALSE(m_viewer.HoldsAnyFormat());
    EXPECT_EQ(m_viewer.CurrentEntry(), nullptr);
    EXPECT_EQ(m_viewer.Summary(), SystemErrorText(kErrorTimeout));
    // Save As refuses a text it could not read whole.
    FakeFileSystem files;
    files.AddFolder("/out");
    Put({{"text/plain", Bytes("abc")}});
    for (const auto& [read, code] :
         {std::pair{CutRead(Bytes("abc"), 1), kErrorNotEnoughMemory},
          std::pair{ClipboardRead{ClipboardReadStatus::kTimedOut, 0, {}}, kErrorTimeout}}) {
        try {
            m_viewer.SaveText(read, files, "/out/t.txt");
            ADD_FAILURE() << "saved";
        } catch (const CSystemError& e) {
            EXPECT_EQ(e.Code(), code);
        }
    }
    EXPECT_FALSE(files.FileExists("/out/t.txt"));
}

}  // namespace
}  // namespace nl
