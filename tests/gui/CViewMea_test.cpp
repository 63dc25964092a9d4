// The Gauge in the main window: measuring through the overlay with mouse and key events on
// the fake desktop, the measurements list and its commands, its columns and its rebuilds,
// and the preview flash.
#include "gauge/qt/CViewMea.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "gauge/qt/CViewTBMea.h"
#include "gui_test_support.h"
#include "model/CUnitXY.h"
#include "ui/qt/CStatusBarEx.h"

namespace nl {
namespace {

using test::FrameRig;

struct MeaRig : FrameRig {
    explicit MeaRig(std::uint32_t gaugeOptions = 0) {
        prefs.SetActiveTool(AppSettings::kToolGauge);
        prefs.SetOptions(OptionWord::kGauge, gaugeOptions);
        MakeFrame();
        frame->resize(400, 500);
        frame->ShowAtStartup();
        Toolbar()->SetBackdrop(OverlayBackdrop::kSnapshot);
    }
    CViewMea* View() const { return dynamic_cast<CViewMea*>(frame->MainView()); }
    CViewTBMea* Toolbar() const { return dynamic_cast<CViewTBMea*>(frame->ToolbarView()); }
    bool Enabled(int id) { return frame->UpdateCommand(id).Enabled(); }
    // Measures by dragging over the overlay of the button `command`.
    void Drag(int command, QPoint from, QPoint to) {
        frame->ExecuteCommand(command);
        CMeaWnd* window = Toolbar()->MeasureWindow();
        ASSERT_NE(window, nullptr);
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }
};

TEST(CViewMeaTest, MeasuringHidesTheWindowStoresTheShapeAndAutoCopies) {
    MeaRig rig;
    rig.frame->ExecuteCommand(cmd::kMeasureRectangle);
    CMeaWnd* window = rig.Toolbar()->MeasureWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(rig.frame->isVisible());
    EXPECT_FALSE(rig.Enabled(cmd::kMeasureLine));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(window, QPoint(50, 60));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(70, 50));
    EXPECT_EQ(rig.Toolbar()->MeasureWindow(), nullptr);
    EXPECT_TRUE(rig.frame->isVisible());
    EXPECT_TRUE(rig.Enabled(cmd::kMeasureLine));
    EXPECT_EQ(rig.doc.Measurement().Shape(), MeaShape::kRectangle);
    EXPECT_EQ(rig.doc.Measurement().Last(), (Point{70, 50}));
    ASSERT_EQ(rig.View()->RowCount(), 4);
    EXPECT_EQ(rig.View()->CellText(0, 0), "Rectangle");
    EXPECT_EQ(rig.View()->CellText(3, 0), "Perimeter");
    // The perimeter 2 * (60 + 30) pixels is the figure on the clipboard.
    ASSERT_TRUE(rig.clipboard.Text().has_value());
    EXPECT_EQ(*rig.clipboard.Text(), rig.View()->CellText(3, 1));
    EXPECT_NE(rig.clipboard.Text()->find("180"), std::string::npos);
}

TEST(CViewMeaTest, AbortsKeepNothingAndReportWithTheWindowBack) {
    struct Case {
        const char* name;
        std::uint32_t options;
        std::function<void(MeaRig&, CMeaWnd*)> abort;
    };
    const Case cases[] = {
        {"Esc command", 0, [](MeaRig& rig, CMeaWnd*) { rig.frame->ExecuteCommand(cmd::kEscape); }},
        {"letter key, window shown", AppSettings::kGaugeShowMainWindow,
         [](MeaRig&, CMeaWnd* w) { QTest::keyClick(w, Qt::Key_A); }},
    };
    for (const Case& c : cases) {
        MeaRig rig(c.options);
        rig.frame->ExecuteCommand(cmd::kMeasureLine);
        CMeaWnd* window = rig.Toolbar()->MeasureWindow();
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_EQ(rig.frame->isVisible(), c.options != 0) << c.name;
        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 10));
        c.abort(rig, window);
        EXPECT_EQ(rig.Toolbar()->MeasureWindow(), nullptr) << c.name;
        EXPECT_TRUE(rig.frame->isVisible()) << c.name;
        EXPECT_TRUE(rig.doc.Measurement().IsEmpty()) << c.name;
        QCoreApplication::processEvents();
        ASSERT_EQ(rig.dialogs.Messages().size(), 1u) << c.name;
        EXPECT_NE(rig.dialogs.Messages()[0].text.find("1235"), std::string::npos) << c.name;
    }
}

TEST(CViewMeaTest, CommandsFollowTheRowsAndTheSelection) {
    MeaRig rig;
    const int listCommands[] = {cmd::kCopyAllMeasurements, cmd::kPreviewMeasurement,
                                cmd::kDeleteAllMeasurements, cmd::kEditCopy};
    for (int id : listCommands) EXPECT_FALSE(rig.Enabled(id)) << id;
    rig.Drag(cmd::kMeasureLine, {10, 10}, {40, 50});
    ASSERT_EQ(rig.View()->RowCount(), 5);
    for (int id :
         {cmd::kCopyAllMeasurements, cmd::kPreviewMeasurement, cmd::kDeleteAllMeasurements})
        EXPECT_TRUE(rig.Enabled(id)) << id;
    EXPECT_FALSE(rig.Enabled(cmd::kEditCopy));

    rig.View()->setCurrentIndex(rig.View()->model()->index(4, 0));
    EXPECT_TRUE(rig.Enabled(cmd::kEditCopy));
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    EXPECT_EQ(rig.clipboard.Text(), rig.View()->CellText(4, 1));  // the length
    rig.frame->ExecuteCommand(cmd::kCopyAllMeasurements);
    const std::string all = rig.clipboard.Text().value_or("");
    EXPECT_EQ(all.rfind("Line\t", 0), 0u);
    EXPECT_NE(all.find("\r\nLength\t" + rig.View()->CellText(4, 1) + "\r\n"), std::string::npos);

    // Del runs Delete all.
    rig.frame->ExecuteCommand(cmd::kEditDelete);
    EXPECT_EQ(rig.View()->RowCount(), 0);
    EXPECT_TRUE(rig.doc.IsModified());
    for (int id : listCommands) EXPECT_FALSE(rig.Enabled(id)) << id;
}

TEST(CViewMeaTest, ColumnsAndRowsFollowTheViewAndTheNotifications) {
    MeaRig rig;
    rig.Drag(cmd::kMeasureEllipse, {10, 10}, {105, 48});
    CViewMea* view = rig.View();
    view->resize(360, 200);
    const int name = QFontMetrics(view->font()).horizontalAdvance("This is a long property");
    EXPECT_EQ(view->columnWidth(0), name);
    EXPECT_EQ(view->columnWidth(1), view->viewport()->width() - name - 3);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Value"));

    const std::string pixels = view->CellText(1, 1);
    // Choosing a unit tells the views (31).
    ASSERT_TRUE(rig.prefs.SetLengthUnit(CUnitXY::kInch));
    EXPECT_NE(view->CellText(1, 1), pixels);
    EXPECT_EQ(view->CellText(1, 0), "Diameters");
    // A row outside the entries shows nothing.
    EXPECT_EQ(view->CellText(9, 1), "");
}

TEST(CViewMeaTest, PanesAndPromptFollowPickingAndTheMeasurement) {
    MeaRig rig(AppSettings::kGaugeShowMainWindow);
    const auto text = [&rig](int id) {
        auto* edit = qobject_cast<QLineEdit*>(rig.Toolbar()->Control(id));
        return edit ? edit->text().toStdString() : std::string("<none>");
    };
    const CUnitXY& unit = *rig.prefs.CurrentLengthUnit();
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    rig.desktop.SetCursorPos({30, 40});
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(text(cmd::kPositionText), unit.FormatPoint(30, 40));
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Click on shape button to measure"));

    rig.frame->ExecuteCommand(cmd::kMeasureRectangleFromCenter);
    CMeaWnd* window = rig.Toolbar()->MeasureWindow();
    ASSERT_NE(window, nullptr);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(),
              QStringLiteral("Press and hold mouse button to start"));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(window, QPoint(60, 45));
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(text(cmd::kPositionText), "00: " + unit.FormatRectWithSize(40, 45, 60, 55));
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(),
              QStringLiteral("Move cursor then release button to finish"));
    rig.frame->ExecuteCommand(cmd::kEscape);
    QCoreApplication::processEvents();

    rig.frame->ExecuteCommand(cmd::kPickingStopped);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(text(cmd::kPositionText), "Start to enable");
    EXPECT_EQ(text(cmd::kWindowTitleText), "");
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Disabled"));
}

TEST(CViewMeaTest, PreviewFlashesTheShapeWithTheWindowShown) {
    MeaRig rig(AppSettings::kGaugeShowGrid);
    rig.Drag(cmd::kMeasureLine, {10, 10}, {60, 10});
    bool overlayShown = false;
    bool frameShown = false;
    QTimer::singleShot(300, [&] {
        overlayShown = COverlayWnd::Current() && COverlayWnd::Current()->isVisible();
        frameShown = rig.frame->isVisible();
    });
    QElapsedTimer timer;
    timer.start();
    rig.frame->ExecuteCommand(cmd::kGotoColor);  // Ctrl+G
    EXPECT_GE(timer.elapsed(), CViewMea::kPreviewMs);
    EXPECT_TRUE(overlayShown);
    EXPECT_TRUE(frameShown);
    EXPECT_EQ(COverlayWnd::Current(), nullptr);
    EXPECT_EQ(rig.doc.Measurement().Shape(), MeaShape::kLine);
    EXPECT_TRUE(rig.dialogs.Messages().empty());
}

}  // namespace
}  // namespace nl
