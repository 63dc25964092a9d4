// The clipboard viewer over the fake clipboard: following changes, the areas and summaries,
// stepping, the formats window, Save As, Clear and the window-state records.
#include "clipboard/qt/CDlgClipboard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "clipboard/qt/CDlgClipFmt.h"
#include "framework/CWinState.h"
#include "gui_test_support.h"

namespace nl {
namespace {

constexpr int kShowHtml = cmd::kClipboardShowText + 2;
constexpr int kShowBitmap = cmd::kClipboardShowText + 3;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

struct ViewerRig : test::GuiRig {
    std::unique_ptr<CDlgClipboard> viewer;
    std::vector<BitmapImage> exported;

    void Open() {
        viewer = std::make_unique<CDlgClipboard>(
            context, nullptr, [this](const BitmapImage& image) { exported.push_back(image); });
        viewer->show();
        Settle();
    }
    // Lets the posted refreshes run.
    static void Settle() {
        for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
    }
    void Put(std::vector<ClipboardFormat> formats) {
        ASSERT_EQ(clipboard.SetFormats(formats), 0u);
        Settle();
    }
    std::string Summary() const { return viewer->SummaryText().toStdString(); }
    bool Enabled(int id) const { return viewer->Update(id).Enabled(); }
    ~ViewerRig() {
        viewer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST(CDlgClipboardTest, FollowsTheClipboardWithTheAreaAndSummaryOfEachFormat) {
    ViewerRig rig;
    rig.Open();
    EXPECT_EQ(rig.viewer->windowTitle(), "NerimLens: Clipboard Viewer");
    EXPECT_EQ(rig.viewer->minimumSize(), QSize(200, 200));
    EXPECT_EQ(rig.Summary(), "The clipboard is empty");
    EXPECT_TRUE(rig.viewer->PictureArea()->isVisible());
    for (const int id :
         {cmd::kClipboardPrevious, cmd::kClipboardNext, cmd::kClipboardClear, cmd::kFileSaveAs})
        EXPECT_FALSE(rig.Enabled(id)) << id;

    rig.Put({{"text/plain", Bytes("ab cd\r\nef")}, {"text/html", Bytes("<b>x</b>")}});
    EXPECT_TRUE(rig.viewer->TextArea()->isVisible());
    EXPECT_FALSE(rig.viewer->PictureArea()->isVisible());
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "ab cd\nef");
    EXPECT_EQ(rig.Summary(),
              "TEXT: Lines = 2 | Words = 3 | Chars = 10 || Vis = 6 | Spc = 1 | Ctrl = 3");
    EXPECT_TRUE(rig.Enabled(cmd::kClipboardNext));
    EXPECT_TRUE(rig.Enabled(cmd::kClipboardClear));
    EXPECT_FALSE(rig.Enabled(kShowBitmap));

    ASSERT_TRUE(rig.viewer->Execute(cmd::kClipboardNext));
    ViewerRig::Settle();
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "<b>x</b>");
    EXPECT_EQ(rig.viewer->Update(kShowHtml).CheckState(), CCmdUI::kChecked);
    rig.viewer->Execute(cmd::kClipboardShowText);

    // A picture beside the text: the text preference stays in front, even after Bitmap.
    const BitmapImage image{2, 1, {0xFF112233, 0xFF445566}};
    ASSERT_EQ(rig.clipboard.SetImage(image), 0u);
    ViewerRig::Settle();
    EXPECT_TRUE(rig.viewer->PictureArea()->isVisible());
    EXPECT_EQ(rig.Summary(), "BITMAP: Dim = 2 x 1 px | Size = 62 B | Col = 32 bits");
    rig.Put({{"image/bmp", rig.clipboard.Formats()[0].bytes}, {"text/plain", Bytes("t")}});
    EXPECT_TRUE(rig.viewer->TextArea()->isVisible());
    rig.viewer->Execute(kShowBitmap);
    ViewerRig::Settle();
    EXPECT_TRUE(rig.viewer->PictureArea()->isVisible());
    rig.Put({{"text/plain", Bytes("t")}, {"image/bmp", rig.clipboard.Formats()[1].bytes}});
    EXPECT_TRUE(rig.viewer->TextArea()->isVisible());

    rig.Put({{"application/x-other", Bytes("1")}});
    EXPECT_EQ(rig.Summary(), "The clipboard data is not supported by this application");
    rig.viewer->Execute(cmd::kClipboardClear);
    ViewerRig::Settle();
    EXPECT_TRUE(rig.clipboard.Formats().empty());
    EXPECT_EQ(rig.Summary(), "The clipboard is empty");
}

TEST(CDlgClipboardTest, EscapeHeldDownInterruptsTheTextStatistics) {
    ViewerRig rig;
    rig.Open();
    QTest::keyPress(rig.viewer.get(), Qt::Key_Escape);
    rig.Put({{"text/plain", Bytes("abc")}});
    EXPECT_EQ(rig.Summary(), "Stats collection interrupted by Esc/Copy");
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "abc");
    QTest::keyRelease(rig.viewer.get(), Qt::Key_Escape);
    rig.Put({{"text/plain", Bytes("abc")}});
    EXPECT_EQ(rig.Summary(),
              "TEXT: Lines = 1 | Words = 1 | Chars = 4 || Vis = 3 | Spc = 0 | Ctrl = 1");
}

TEST(CDlgClipboardTest, SaveAsWritesTextOrHandsThePictureToTheImageExport) {
    ViewerRig rig;
    rig.files.AddFolder("/out");
    rig.Open();
    rig.Put({{"text/plain", Bytes("hi")}});
    rig.dialogs.ChooseFile("/out/a.txt");
    rig.viewer->Execute(cmd::kFileSaveAs);
    ASSERT_EQ(rig.dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(rig.dialogs.FileDialogs()[0].request.filter, "Text (*.txt)|*.txt||");
    ASSERT_NE(rig.files.Contents("/out/a.txt"), nullptr);
    EXPECT_EQ(*rig.files.Contents("/out/a.txt"), (std::vector<std::uint8_t>{'h', 0, 'i', 0}));

    // Another extension is refused with error 50, shown as the program's error.
    rig.dialogs.ChooseFile("/out/a.doc");
    rig.viewer->Execute(cmd::kFileSaveAs);
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_NE(rig.dialogs.Messages()[0].text.find("Error #50"), std::string::npos);
    EXPECT_FALSE(rig.files.FileExists("/out/a.doc"));

    const BitmapImage image{1, 1, {0xFF0000FF}};
    ASSERT_EQ(rig.clipboard.SetImage(image), 0u);
    ViewerRig::Settle();
    rig.viewer->Execute(cmd::kFileSaveAs);
    ASSERT_EQ(rig.exported.size(), 1u);
    EXPECT_EQ(rig.exported[0], image);
}

TEST(CDlgClipboardTest, FormatsWindowListsTheFormatsAndComesBackWithTheViewer) {
    ViewerRig rig;
    rig.Open();
    rig.Put({{"TARGETS", {}}, {"text/plain", Bytes("12345")}, {"application/x-mine", {}}});
    rig.viewer->Execute(cmd::kClipboardFormats);
    CDlgClipFmt* formats = rig.viewer->FormatsWindow();
    ASSERT_NE(formats, nullptr);
    EXPECT_EQ(formats->windowTitle(), "Clipboard Data Formats");
    const QTableWidget* list = formats->List();
    ASSERT_EQ(list->rowCount(), 2);
    const auto cell = [list](int row, int column) { return list->item(row, column)->text(); };
    EXPECT_EQ(cell(0, 1), "5 B");
    EXPECT_EQ(cell(0, 2), "13");
    EXPECT_EQ(cell(0, 3), "UNICODETEXT");
    EXPECT_EQ(cell(1, 3), "application/x-mine");
    rig.Put({{"image/png", Bytes("not a picture")}});
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(cell(0, 1), "0 B");

    // Grid lines follow the option.
    const bool grid = list->showGrid();
    rig.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines);
    rig.notify.Send(ViewNotify::kGridLinesChanged);
    EXPECT_EQ(list->showGrid(), !grid);

    // Closing the viewer closes the list and remembers it was open; the next viewer opens it.
    rig.viewer->close();
    ViewerRig::Settle();
    EXPECT_TRUE(rig.prefs.WinState(kWinStateClipboardFormats).IsOpen());
    EXPECT_FALSE(rig.prefs.WinState(kWinStateClipboardViewer).IsOpen());
    EXPECT_TRUE(rig.prefs.WinState(kWinStateClipboardViewer).IsPlaced());
    rig.Open();
    ASSERT_NE(rig.viewer->FormatsWindow(), nullptr);
    rig.viewer->Execute(cmd::kClipboardFormats);
    ViewerRig::Settle();
    EXPECT_EQ(rig.viewer->FormatsWindow(), nullptr);
    EXPECT_FALSE(rig.prefs.WinState(kWinStateClipboardFormats).IsOpen());
}

// A text of several statistics steps, with the summary its statistics give.
struct LongText {
    std::string text;
    std::string summary;
    explicit LongText(std::size_t lines) {
        const std::string line(75, 'x');
        text.reserve(lines * (line.size() + 2));
        for (std::size_t i = 0; i < lines; ++i) text += line + "\r\n";
        summary = "TEXT: Lines = " + std::to_string(lines + 1) +
                  " | Words = " + std::to_string(lines) +
                  " | Chars = " + std::to_string(text.size() + 1) +
                  " || Vis = " + std::to_string(lines * 75) +
                  " | Spc = 0 | Ctrl = " + std::to_string(2 * lines + 1);
    }
};
// Enough lines for four steps of the statistics.
constexpr std::size_t kLongTextLines = 4 * CDlgClipboard::kStatsStepBytes / 77 + 1;

// A long text is counted a step at each turn of the event loop: other events run in between,
// the summary waits and the text box shows the start of the text, at once.
TEST(CDlgClipboardTest, ALongTextIsCountedWithoutHoldingUpTheEventLoop) {
    ViewerRig rig;
    rig.Open();
    const LongText text(kLongTextLines);
    ASSERT_EQ(rig.clipboard.SetFormats({{"text/plain", Bytes(text.text)}}), 0u);
    int turnsWhileWaiting = 0;
    int rounds = 0;
    while (rig.Summary() != text.summary) {
        ASSERT_LE(++rounds, 50) << rig.Summary();
        bool turned = false;
        QMetaObject::invokeMethod(
            rig.viewer.get(), [&turned] { turned = true; }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        if (turned && rig.Summary() == "Wait...") ++turnsWhileWaiting;
    }
    EXPECT_GE(turnsWhileWaiting, 3);
    const QString shown = rig.viewer->TextArea()->toPlainText();
    EXPECT_LE(shown.size(), static_cast<qsizetype>(CClipViewer::kMaxPreviewUnits) + 200);
    EXPECT_TRUE(shown.startsWith(
        QString::fromStdString(text.text.substr(0, 77 * 10)).replace("\r\n", "\n")));
    EXPECT_TRUE(shown.contains("[The preview ends here")) << shown.right(200).toStdString();
}

// Escape pressed while a long text is counted, or a newer clipboard change, stops the walk
// at once; the text box keeps the text.
TEST(CDlgClipboardTest, EscapeOrANewerChangeInterruptsTheStatisticsUnderWay) {
    ViewerRig rig;
    rig.Open();
    const LongText text(kLongTextLines);
    const auto startCounting = [&] {
        ASSERT_EQ(rig.clipboard.SetFormats({{"text/plain", Bytes(text.text)}}), 0u);
        for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
        ASSERT_EQ(rig.Summary(), "Wait...");
    };
    startCounting();
    QTest::keyPress(rig.viewer->TextArea(), Qt::Key_Escape);
    EXPECT_EQ(rig.Summary(), "Stats collection interrupted by Esc/Copy");
    QTest::keyRelease(rig.viewer->TextArea(), Qt::Key_Escape);
    ViewerRig::Settle();
    EXPECT_EQ(rig.Summary(), "Stats collection interrupted by Esc/Copy");
    EXPECT_FALSE(rig.viewer->TextArea()->toPlainText().isEmpty());

    // Escape pressed while the text is still being read: it is shown but not counted.
    rig.clipboard.HoldRequests({"text/plain"});
    ASSERT_EQ(rig.clipboard.SetFormats({{"text/plain", Bytes("slow")}}), 0u);
    ViewerRig::Settle();
    QTest::keyClick(rig.viewer->TextArea(), Qt::Key_Escape);
    rig.clipboard.Release();
    ViewerRig::Settle();
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "slow");
    EXPECT_EQ(rig.Summary(), "Stats collection interrupted by Esc/Copy");

    // A newer change: the old walk stops and its counts never show; the new text's do.
    startCounting();
    ASSERT_EQ(rig.clipboard.SetFormats({{"text/plain", Bytes("new")}}), 0u);
    EXPECT_EQ(rig.Summary(), "Stats collection interrupted by Esc/Copy");
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        ASSERT_NE(rig.Summary(), text.summary);
    }
    EXPECT_EQ(rig.Summary(),
              "TEXT: Lines = 1 | Words = 1 | Chars = 4 || Vis = 3 | Spc = 0 | Ctrl = 1");
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "new");
}

// With the formats window open, a change reads each format once: the current entry's read
// also measures its row.
TEST(CDlgClipboardTest, AChangeReadsEachFormatOnceWithTheFormatsWindowOpen) {
    ViewerRig rig;
    rig.prefs.WinState(kWinStateClipboardFormats).SetOpen(true);
    rig.Open();
    ASSERT_NE(rig.viewer->FormatsWindow(), nullptr);
    const QTableWidget* list = rig.viewer->FormatsWindow()->List();
    const BitmapImage image{2, 1, {0xFF112233, 0xFF445566}};
    ASSERT_EQ(rig.clipboard.SetImage(image), 0u);
    const std::vector<std::uint8_t> bitmap = rig.clipboard.Formats()[0].bytes;
    struct Case {
        std::vector<ClipboardFormat> formats;
        std::vector<std::string> sizes;
    };
    const Case cases[] = {
        {{{"text/plain", Bytes("hello")}}, {"5 B"}},
        {{{"text/plain", Bytes("hi")}, {"text/html", Bytes("<b>x</b>")}}, {"2 B", "8 B"}},
        {{{"image/bmp", bitmap}, {"text/plain", Bytes("t")}}, {"62 B", "1 B"}},
        {{{"image/bmp", bitmap}}, {"62 B"}},
    };
    for (const Case& c : cases) {
        const int before = rig.clipboard.RequestCount();
        rig.Put(c.formats);
        // The names, then each format.
        EXPECT_EQ(rig.clipboard.RequestCount() - before, 1 + static_cast<int>(c.formats.size()))
            << c.sizes[0];
        std::vector<std::string> sizes;
        for (int row = 0; row < list->rowCount(); ++row)
            sizes.push_back(list->item(row, 1)->text().toStdString());
        EXPECT_EQ(sizes, c.sizes);
    }
}

// An owner that answers no request: the viewer waits without blocking, one request at a
// time; the time limits end the reads, the text says so and the sizes are unknown. A change
// and closing the window give up the outstanding request.
TEST(CDlgClipboardTest, AnOwnerThatNeverAnswersLeavesSizesUnknownAndBlocksNothing) {
    ViewerRig rig;
    std::vector<ClipboardFormat> formats = {{"text/plain", Bytes("hello")}};
    for (int i = 0; i < 500; ++i)
        formats.push_back({"application/x-t" + std::to_string(i), Bytes("1")});
    rig.Put(formats);
    rig.clipboard.HoldRequests({"*"});
    rig.prefs.WinState(kWinStateClipboardFormats).SetOpen(true);  // reopens with the viewer
    rig.Open();
    ASSERT_NE(rig.viewer->FormatsWindow(), nullptr);
    const QTableWidget* list = rig.viewer->FormatsWindow()->List();
    ASSERT_EQ(list->rowCount(), 501);
    EXPECT_EQ(rig.Summary(), "Wait...");
    EXPECT_EQ(rig.clipboard.WaitingCount(), 1u);
    int limits = 0;
    while (rig.clipboard.ElapseTimeLimit()) {
        ViewerRig::Settle();
        ASSERT_LE(++limits, 1 + CClipViewer::kTimeoutsBeforeGivingUp);
    }
    EXPECT_EQ(rig.clipboard.MostWaiting(), 1u);
    EXPECT_EQ(rig.Summary(), SystemErrorText(kErrorTimeout));
    for (const int row : {0, 1, 250, 500}) EXPECT_EQ(list->item(row, 1)->text(), "unknown") << row;

    // New contents from an owner that answers.
    rig.clipboard.HoldRequests({});
    rig.Put({{"text/plain", Bytes("ok")}});
    EXPECT_EQ(rig.viewer->TextArea()->toPlainText(), "ok");
    EXPECT_EQ(list->item(0, 1)->text(), "2 B");

    // A change gives up the request for the old contents; so does closing the window.
    rig.clipboard.HoldRequests({"*"}, true);
    rig.Put({{"text/plain", Bytes("a")}});
    rig.Put({{"text/plain", Bytes("b")}});
    EXPECT_EQ(rig.clipboard.WaitingCount(), 1u);
    rig.viewer->close();
    ViewerRig::Settle();
    EXPECT_EQ(rig.clipboard.WaitingCount(), 0u);
}

}  // namespace
}  // namespace nl
