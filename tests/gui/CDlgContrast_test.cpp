// The Contrast window in the main window of the fake desktop: typed colors in every form,
// the figures and suggestions, picks from the screen, live mode, the list's selection, and
// what it keeps beside the data file.
#include "contrast/qt/CDlgContrast.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "base/command_ids.h"
#include "framework/CSideSettings.h"
#include "gui_test_support.h"

namespace nl {
namespace {

struct ContrastRig : test::FrameRig {
    std::unique_ptr<CDlgContrast> dialog;

    ContrastRig() {
        MakeFrame();
        // The pick key, as the application runs it.
        applicationTarget.Handle(
            cmd::kPick, [this] { frame->ExecuteCommand(cmd::kPickColor, PickOrigin::kKey); });
        Open();
    }
    void Open() {
        dialog.reset(dynamic_cast<CDlgContrast*>(frame->ToolWindowFactory(cmd::kContrast)()));
        ASSERT_NE(dialog, nullptr);
        dialog->show();
    }
    std::string Label(const char* name) const {
        auto* label = dialog->findChild<QLabel*>(name);
        return label ? label->text().toStdString() : "(no " + std::string(name) + ")";
    }
    void Type(const char* edit, const char* text) {
        auto* field = dialog->findChild<QLineEdit*>(edit);
        ASSERT_NE(field, nullptr);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    ~ContrastRig() { dialog.reset(); }
};

TEST(CDlgContrastTest, TypedPairShowsItsFiguresAndSuggestionsThatPass) {
    ContrastRig rig;
    EXPECT_EQ(rig.dialog->windowTitle(), "NerimLens: Contrast");
    rig.Type("contrastTextEdit", "#777");
    rig.Type("contrastBackgroundEdit", "white");
    EXPECT_EQ(rig.Label("contrastRatio"), "4.48:1");
    EXPECT_EQ(rig.Label("contrastLc"), "APCA Lc 71.11\nLc 60: content text");
    EXPECT_EQ(rig.Label("contrastTextName"), "\u2248 gray");
    EXPECT_EQ(rig.Label("contrastBackgroundName"), "white");
    const char* const verdicts[] = {"\u2717 AA normal text (4.5:1)", "\u2713 AA large text (3:1)",
                                    "\u2717 AAA normal text (7:1)", "\u2717 AAA large text (4.5:1)",
                                    "\u2713 Non-text (3:1)"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rig.Label(QStringLiteral("contrastVerdict%1").arg(i).toUtf8().constData()),
                  verdicts[i]);
    EXPECT_EQ(rig.dialog->ReportText(),
              "Text\t#777777\nBackground\t#FFFFFF\nContrast ratio\t4.48:1\nAA normal text\tfail\n"
              "AA large text\tpass\nAAA normal text\tfail\nAAA large text\tfail\nNon-text\tpass\n"
              "APCA Lc\t71.11\nAPCA level\t60\n");
    // Each simulation names the pair's ratio as that vision sees it (grey stays grey).
    EXPECT_EQ(rig.Label("contrastSimulated2"), "4.48:1  \u2717 AA");

    // The suggestions: every one passes its level against the color kept; no background
    // reaches 7:1 against this grey, not even black.
    ASSERT_EQ(rig.dialog->Report().suggestions.size(), 4u);
    for (const ContrastReport::Suggestion& s : rig.dialog->Report().suggestions) {
        if (s.level == "AAA" && !s.movesText) {
            EXPECT_FALSE(s.color.has_value());
            continue;
        }
        ASSERT_TRUE(s.color.has_value()) << s.level;
        const ContrastReport passing = s.movesText ? MakeContrastReport(*s.color, kRgbMask)
                                                   : MakeContrastReport(0x777777, *s.color);
        EXPECT_GE(passing.ratio, s.level == "AA" ? 4.5 : 7.0) << s.level;
    }
    ASSERT_NE(rig.dialog->findChild<QToolButton*>("contrastSuggestAAText"), nullptr);

    // A text that is no color says why and keeps the pair.
    rig.Type("contrastTextEdit", "rgb(1 2)");
    EXPECT_NE(rig.Label("contrastPrompt").find("\"rgb(1 2)\" is not a color"), std::string::npos);
    EXPECT_EQ(rig.Label("contrastRatio"), "4.48:1");
    rig.dialog->Swap();
    EXPECT_EQ(rig.dialog->Report().text, kRgbMask);
    EXPECT_EQ(rig.dialog->Report().background, 0x777777u);
}

TEST(CDlgContrastTest, PicksLiveModeAndTheListFillTheColors) {
    ContrastRig rig;
    rig.desktop.FillRect({100, 100, 200, 200}, MakeRgb(0x1A, 0x5C, 0x9E));
    rig.desktop.FillRect({300, 100, 400, 200}, MakeRgb(0xF4, 0xF1, 0xE8));

    // Pick starts picking; Enter in the window picks at the pointer into the background.
    rig.frame->ExecuteCommand(cmd::kPickingStopped);
    ASSERT_FALSE(rig.Settings().PickingStarted());
    rig.dialog->PickInto(CDlgContrast::Target::kBackground);
    EXPECT_TRUE(rig.Settings().PickingStarted());
    rig.desktop.SetCursorPos({350, 150});
    QTest::keyClick(rig.dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(rig.dialog->Armed().has_value());
    EXPECT_EQ(rig.dialog->Report().background, MakeRgb(0xF4, 0xF1, 0xE8));
    EXPECT_EQ(rig.doc.Colors().GetCount(), 1);

    // Esc gives up waiting for a pick; the next pick leaves the pair alone.
    rig.dialog->PickInto(CDlgContrast::Target::kText);
    QTest::keyClick(rig.dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(rig.dialog->Armed().has_value());
    rig.desktop.SetCursorPos({150, 150});
    rig.frame->ExecuteCommand(cmd::kPickColor);
    EXPECT_EQ(rig.dialog->Report().text, ContrastSetting::kDefaultText);

    // Live: the text follows the sample of each tick.
    rig.dialog->SetLive(true);
    rig.doc.Colors().Sample().SetColor(MakeRgb(0x1A, 0x5C, 0x9E));
    rig.notify.Send(ViewNotify::kTimerTick);
    EXPECT_EQ(rig.dialog->Report().text, MakeRgb(0x1A, 0x5C, 0x9E));
    EXPECT_EQ(rig.Label("contrastRatio"), "6.06:1");
    rig.dialog->SetLive(false);

    // The list's selection fills a color; none selected, nothing happens.
    rig.notify.Send(ViewNotify::kColorSelected, -1);
    EXPECT_FALSE(rig.dialog->TakeFromList(CDlgContrast::Target::kText));
    rig.notify.Send(ViewNotify::kColorSelected, 1);
    ASSERT_TRUE(rig.dialog->TakeFromList(CDlgContrast::Target::kText));
    EXPECT_EQ(rig.dialog->Report().text, MakeRgb(0x1A, 0x5C, 0x9E));

    // Closed, the pair and the live mode are kept beside the data file and come back.
    rig.dialog->SetLive(true);
    rig.dialog->close();
    EXPECT_EQ(rig.prefs.Side().Get("contrast.text"), "#1A5C9E");
    EXPECT_EQ(rig.prefs.Side().Get("contrast.background"), "#F4F1E8");
    EXPECT_EQ(rig.prefs.Side().Get("contrast.live"), "1");
    rig.Open();
    EXPECT_EQ(rig.dialog->Report().text, MakeRgb(0x1A, 0x5C, 0x9E));
    EXPECT_EQ(rig.dialog->Report().background, MakeRgb(0xF4, 0xF1, 0xE8));
}

}  // namespace
}  // namespace nl
