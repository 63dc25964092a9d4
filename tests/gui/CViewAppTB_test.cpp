// The toolbar forms: placement from the templates, the shared controls and the update pass.
#include "framework/qt/CViewAppTB.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "base/command_ids.h"
#include "gui_test_support.h"
#include "res/forms.h"
#include "ui/qt/CCtrlZoom.h"
#include "ui/qt/form_metrics.h"

namespace nl {
namespace {

using test::FrameRig;

TEST(CViewAppTBTest, EveryToolFormPlacesItsControlsFromTheTemplate) {
    const std::pair<int, int> tools[] = {{cmd::kToolMagnifier, res::kFormMagnifier},
                                         {cmd::kToolScreenCopier, res::kFormScreenCopier},
                                         {cmd::kToolColorPicker, res::kFormColorPicker},
                                         {cmd::kToolGauge, res::kFormGauge}};
    FrameRig rig;
    rig.MakeFrame();
    for (const auto& [command, formId] : tools) {
        SCOPED_TRACE(formId);
        rig.frame->ExecuteCommand(command);
        CViewAppTB* view = rig.frame->ToolbarView();
        ASSERT_NE(view, nullptr);
        const FormTemplate* form = FindForm(formId);
        ASSERT_NE(form, nullptr);
        const Size units = view->BaseUnits();
        EXPECT_GT(units.cx, 0);
        EXPECT_GT(units.cy, 0);
        for (const FormControl& control : form->controls) {
            if (control.id <= 0) continue;
            QWidget* widget = view->Control(control.id);
            ASSERT_NE(widget, nullptr) << control.id;
            const QRect want = FormRectToPixels(control.dlu, units);
            if (control.hidden) {
                EXPECT_TRUE(widget->isHidden()) << control.id;
            }
            EXPECT_EQ(widget->pos(), want.topLeft()) << control.id;
            EXPECT_EQ(widget->width(), want.width()) << control.id;
            // Drop-down lists are as high as one line, the rest as the template says.
            if (control.kind == FormControlKind::kDropDown) {
                EXPECT_LE(widget->height(), want.height()) << control.id;
            } else {
                EXPECT_EQ(widget->height(), want.height()) << control.id;
            }
        }
        // The shared controls stand in every form.
        for (int id : {cmd::kZoomText, cmd::kZoomSlider, cmd::kUnitCombo, cmd::kPositionText,
                       cmd::kWindowTitleText, cmd::kKeyboardIndicator}) {
            EXPECT_NE(view->Control(id), nullptr) << id;
        }
    }
}

TEST(CViewAppTBTest, ZoomSliderHasTheSmallestZoomAtTheTopInEveryTool) {
    FrameRig rig;
    rig.MakeFrame();
    for (int command :
         {cmd::kToolMagnifier, cmd::kToolScreenCopier, cmd::kToolColorPicker, cmd::kToolGauge}) {
        SCOPED_TRACE(command);
        rig.frame->ExecuteCommand(command);
        auto* slider = qobject_cast<QSlider*>(rig.frame->ToolbarView()->Control(cmd::kZoomSlider));
        ASSERT_NE(slider, nullptr);
        if (slider->orientation() != Qt::Vertical) continue;
        rig.prefs.SetZoomFactor(400);
        // Down zooms in, Up zooms out.
        QTest::keyClick(slider, Qt::Key_Down);
        EXPECT_EQ(rig.Settings().zoomFactor, 500);
        QTest::keyClick(slider, Qt::Key_Up);
        QTest::keyClick(slider, Qt::Key_Up);
        EXPECT_EQ(rig.Settings().zoomFactor, 300);
        // A click near the top end of the groove pages toward the smallest zoom.
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 1));
        EXPECT_LT(rig.Settings().zoomFactor, 300);
    }
}

TEST(CViewAppTBTest, TheWheelOverAnyZoomControlZoomsInAwayFromTheUser) {
    // Each step: the wheel's angle, the zoom after it, the zoom notifications so far.
    struct Step {
        int delta;
        int zoom;
        int notified;
    };
    const Step steps[] = {
        {120, 500, 1},                    // a notch away from the user zooms in one step
        {60, 500, 1},    {60, 600, 2},    // half notches add up to one
        {-120, 500, 3},                   // toward the user zooms out
        {240, 700, 4},                    // two notches at once, two steps
        {60, 700, 4},    {-120, 600, 5},  // a turn back forgets the half notch
        {1200, 1000, 6}, {120, 1000, 6},  // the largest zoom stays, with no notification
    };
    FrameRig rig;
    rig.MakeFrame();
    rig.frame->ShowAtStartup();
    for (int tool : {cmd::kToolMagnifier, cmd::kToolColorPicker}) {
        SCOPED_TRACE(tool);
        rig.frame->ExecuteCommand(tool);
        int zooms = 0;
        for (QWidget* widget : rig.frame->findChildren<QWidget*>()) {
            auto* zoom = dynamic_cast<CCtrlZoom*>(widget);
            if (!zoom || !zoom->isVisible()) continue;
            ++zooms;
            rig.prefs.SetZoomFactor(400);
            test::NotifyCounter counter;
            rig.notify.Register(&counter);
            // The zoom lets mouse events through: the wheel arrives at the widget below it.
            QWidget* below = zoom->parentWidget();
            const QPointF centre =
                zoom->mapToParent(QPointF(zoom->width() / 2.0, zoom->height() / 2.0));
            for (const Step& step : steps) {
                QWheelEvent wheel(centre, below->mapToGlobal(centre), {}, QPoint(0, step.delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(below, &wheel);
                EXPECT_EQ(rig.Settings().zoomFactor, step.zoom) << step.delta;
                EXPECT_EQ(counter.Count(ViewNotify::kZoomChanged), step.notified) << step.delta;
            }
            rig.notify.Unregister(&counter);
            // Partial notches left over from this control do not count on the next.
            QWheelEvent back(centre, below->mapToGlobal(centre), {}, QPoint(0, -60), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(below, &back);
            QCoreApplication::sendEvent(below, &back);
        }
        // The magnifier's view and the color picker's toolbar each have one.
        EXPECT_EQ(zooms, 1);
    }
}

TEST(CViewAppTBTest, SliderAndUnitBoxChangeTheSharedSettings) {
    FrameRig rig;
    test::NotifyCounter counter;
    rig.notify.Register(&counter);
    rig.prefs.SetZoomFactor(400);
    rig.prefs.SetLengthUnit(0);
    rig.MakeFrame();
    CViewAppTB* view = rig.frame->ToolbarView();
    auto* slider = qobject_cast<QSlider*>(view->Control(cmd::kZoomSlider));
    auto* units = qobject_cast<QComboBox*>(view->Control(cmd::kUnitCombo));
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 10);
    EXPECT_EQ(slider->value(), 4);
    ASSERT_EQ(units->count(), rig.prefs.Units().GetSize());
    EXPECT_EQ(units->itemText(1).toStdString(), rig.prefs.Units().GetAt(1).Name());
    EXPECT_EQ(counter.Count(ViewNotify::kZoomChanged), 0);

    slider->setValue(7);
    EXPECT_EQ(rig.Settings().zoomFactor, 700);
    EXPECT_EQ(counter.Count(ViewNotify::kZoomChanged), 1);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(qobject_cast<QLabel*>(view->Control(cmd::kZoomText))->text(), QStringLiteral("700%"));

    rig.prefs.ClearChanged();
    units->setCurrentIndex(2);
    EXPECT_EQ(rig.Settings().lengthUnitIndex, 2);
    EXPECT_TRUE(rig.prefs.IsChanged());
    EXPECT_EQ(counter.Count(ViewNotify::kUnitOrNumberFormatChanged), 1);

    // A change in another tool's toolbar shows here too, without echoing a notification.
    rig.frame->ExecuteCommand(cmd::kToolGauge);
    auto* gaugeUnits = qobject_cast<QComboBox*>(rig.frame->ToolbarView()->Control(cmd::kUnitCombo));
    auto* gaugeSlider = qobject_cast<QSlider*>(rig.frame->ToolbarView()->Control(cmd::kZoomSlider));
    EXPECT_EQ(gaugeUnits->currentIndex(), 2);
    EXPECT_EQ(gaugeSlider->value(), 7);
    EXPECT_EQ(counter.Count(ViewNotify::kZoomChanged), 1);
    EXPECT_EQ(counter.Count(ViewNotify::kUnitOrNumberFormatChanged), 1);
    rig.notify.Unregister(&counter);
}

TEST(CViewAppTBTest, ButtonsFollowTheRouteAndRunCommands) {
    FrameRig rig;
    rig.tools = &test::BareGaugeTools();
    rig.prefs.SetActiveTool(AppSettings::kToolGauge);
    rig.MakeFrame();
    CViewAppTB* view = rig.frame->ToolbarView();
    ASSERT_EQ(view->FormId(), res::kFormGauge);
    rig.frame->RunIdleUpdate();

    // No view carries the measuring commands out: the button is disabled.
    auto* line = qobject_cast<QToolButton*>(view->Control(cmd::kMeasureLine));
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->isEnabled());

    // Once a target handles the command, the button is enabled and a click runs it.
    rig.applicationTarget.Handle(cmd::kMeasureLine);
    rig.frame->RunIdleUpdate();
    ASSERT_TRUE(line->isEnabled());
    line->click();
    EXPECT_EQ(rig.applicationTarget.commands, std::vector<int>{cmd::kMeasureLine});

    // The indicator explains itself.
    auto* indicator = qobject_cast<QToolButton*>(view->Control(cmd::kKeyboardIndicator));
    ASSERT_TRUE(indicator->isEnabled());
    indicator->click();
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kInformation);
}

TEST(CViewAppTBTest, IndicatorImageChangesOnlyWithTheKeyboardState) {
    FrameRig rig;
    rig.keyboardAvailable = true;
    rig.MakeFrame();
    CViewAppTB* view = rig.frame->ToolbarView();
    auto* indicator = qobject_cast<QToolButton*>(view->Control(cmd::kKeyboardIndicator));
    ASSERT_NE(indicator, nullptr);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(view->KeyboardIndicator(), true);
    const qint64 available = indicator->icon().cacheKey();

    rig.frame->RunIdleUpdate();
    EXPECT_EQ(indicator->icon().cacheKey(), available);  // not replaced without a change

    rig.keyboardAvailable = false;
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(view->KeyboardIndicator(), false);
    const qint64 unavailable = indicator->icon().cacheKey();
    EXPECT_NE(unavailable, available);
    const QImage a = indicator->icon().pixmap(16, 16).toImage();

    rig.keyboardAvailable = true;
    rig.frame->RunIdleUpdate();
    const QImage b = indicator->icon().pixmap(16, 16).toImage();
    EXPECT_NE(a, b);  // the two states look different
}

TEST(CViewAppTBTest, ToolTipsFollowTheGeneralOption) {
    FrameRig rig;
    rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips, OptionState::kOn);
    rig.MakeFrame();
    CViewAppTB* view = rig.frame->ToolbarView();
    // "Zoom control\nZoom slider": the part after the line break.
    EXPECT_EQ(view->Control(cmd::kZoomSlider)->toolTip(), QStringLiteral("Zoom slider"));
    // A one-line description is its own tip.
    EXPECT_EQ(view->Control(cmd::kUnitCombo)->toolTip(), QStringLiteral("Measurement unit"));

    rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips, OptionState::kOff);
    rig.notify.Send(ViewNotify::kToolTipsChanged);
    EXPECT_TRUE(view->Control(cmd::kZoomSlider)->toolTip().isEmpty());
}

TEST(CViewAppTBTest, SampleChoosersAndShiftWheelSetHowPicksSampleEverywhere) {
    FrameRig rig;
    rig.MakeFrame();
    rig.frame->ShowAtStartup();
    for (int tool : {cmd::kToolMagnifier, cmd::kToolColorPicker}) {
        SCOPED_TRACE(tool);
        rig.frame->ExecuteCommand(tool);
        rig.prefs.SetSampling({});
        auto* bar = rig.frame->ToolbarView();
        auto* size = qobject_cast<QComboBox*>(bar->Control(cmd::kSampleSizeCombo));
        auto* stat = qobject_cast<QComboBox*>(bar->Control(cmd::kSampleStatCombo));
        ASSERT_TRUE(size && stat);
        EXPECT_EQ(size->count(), static_cast<int>(std::size(kSampleSizes)));
        EXPECT_EQ(size->currentText(), QStringLiteral("1\u00D71"));
        // One pixel has no statistic to choose.
        EXPECT_FALSE(stat->isEnabled());
        size->setCurrentIndex(size->findData(5));
        stat->setCurrentIndex(stat->findData(static_cast<int>(SampleStat::kMedian)));
        EXPECT_EQ(rig.prefs.Sampling(), (SampleMethod{5, SampleStat::kMedian}));
        EXPECT_TRUE(stat->isEnabled());
        EXPECT_EQ(rig.prefs.Side().Get("sample.size"), "5");
        EXPECT_EQ(rig.prefs.Side().Get("sample.stat"), "median");
        // Every visible zoom control outlines the new square; Shift and the wheel over one
        // step the size, and the boxes follow.
        CCtrlZoom* zoom = nullptr;
        for (QWidget* widget : rig.frame->findChildren<QWidget*>()) {
            auto* found = dynamic_cast<CCtrlZoom*>(widget);
            if (found && found->isVisible()) zoom = found;
        }
        ASSERT_NE(zoom, nullptr);
        EXPECT_EQ(zoom->SampleSize(), 5);
        QWidget* below = zoom->parentWidget();
        const QPointF centre =
            zoom->mapToParent(QPointF(zoom->width() / 2.0, zoom->height() / 2.0));
        const int sizes[] = {7, 9, 7};
        const int deltas[] = {120, 120, -120};
        for (int i = 0; i < 3; ++i) {
            QWheelEvent wheel(centre, below->mapToGlobal(centre), {}, QPoint(0, deltas[i]),
                              Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(below, &wheel);
            EXPECT_EQ(rig.prefs.Sampling().size, sizes[i]);
            EXPECT_EQ(zoom->SampleSize(), sizes[i]);
            EXPECT_EQ(size->currentData().toInt(), sizes[i]);
        }
        EXPECT_EQ(rig.Settings().zoomFactor, 400);  // the zoom stays
    }
}

}  // namespace
}  // namespace nl
