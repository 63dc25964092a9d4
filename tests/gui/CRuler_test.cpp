// The ruler window: its commands and their menu states, turning and moving, the save points,
// the custom zoom dialog, the shortcut-keys list, the keys and what it paints.
#include "ruler/qt/CRuler.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "base/command_ids.h"
#include "document/CRulerData.h"
#include "framework/CPrefs.h"
#include "framework/qt/CCommandBinder.h"
#include "gui_test_support.h"
#include "ruler/qt/CDlgScale.h"
#include "ruler/qt/CRulerKeys.h"

namespace nl {
namespace {

using D = CRulerData;

struct RulerRig : test::GuiRig {
    std::unique_ptr<CRuler> ruler;
    void Open() {
        ruler = std::make_unique<CRuler>(context, nullptr);
        ruler->show();
    }
    ~RulerRig() {
        ruler.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

Rect Geometry(const QWidget& w) {
    const QRect g = w.geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

TEST(CRulerTest, OpensWithTheSettingsAtTheDefaultPlace) {
    RulerRig rig;
    rig.Open();
    // Half the 1280-pixel monitor wide, 64 high, centred, a fifth of the way down.
    EXPECT_EQ(Geometry(*rig.ruler), (Rect{320, 204, 960, 268}));
    EXPECT_EQ(rig.ruler->Options(), D::kDefaultOptions);
    EXPECT_EQ(rig.ruler->Metrics(), (UnitMetrics{15, 50, 25}));
    EXPECT_TRUE(rig.ruler->windowTitle().startsWith("NerimLens | px | 100% | proj: "))
        << rig.ruler->windowTitle().toStdString();
    EXPECT_EQ(rig.ruler->minimumSize(), QSize(128, 64));
}

// The logical pixel (L) reads the cursor in the window's own pixels, is stored as Pixel with
// a side setting, and comes back chosen when the ruler opens again.
TEST(CRulerTest, LogicalPixelSurvivesAReopening) {
    RulerRig rig;
    rig.Open();
    rig.prefs.Ruler().SetCaptionItems(D::kCaptionUnit | D::kCaptionCursorProjection);
    EXPECT_TRUE(rig.ruler->Execute(cmd::kRulerUnitLogical));
    EXPECT_EQ(rig.ruler->Update(cmd::kRulerUnitLogical).CheckState(), CCmdUI::kChecked);
    EXPECT_EQ(rig.ruler->Update(cmd::kRulerUnitPixel).CheckState(), CCmdUI::kUnchecked);
    const QRect g = rig.ruler->geometry();
    rig.desktop.SetCursorPos({g.left() + 150, g.top() + 40});
    rig.ruler->UpdateFromCursor();
    EXPECT_EQ(rig.ruler->windowTitle(), "NerimLens | lpx | proj: 150");
    rig.ruler->SaveState();
    EXPECT_EQ(rig.prefs.Ruler().Options(), D::kDefaultOptions);
    EXPECT_EQ(rig.prefs.Side().Get("ruler.unit"), "lpx");
    rig.ruler.reset();
    rig.Open();
    EXPECT_EQ(rig.ruler->Update(cmd::kRulerUnitLogical).CheckState(), CCmdUI::kChecked);
    // Back to pixels: the side setting goes.
    rig.ruler->Execute(cmd::kRulerUnitPixel);
    rig.ruler->SaveState();
    EXPECT_EQ(rig.prefs.Side().Get("ruler.unit"), std::nullopt);
}

TEST(CRulerTest, CommandsChangeTheRulerAndItsMenuStates) {
    struct Case {
        const char* name;
        std::vector<int> commands;
        std::uint32_t options;
        int scale;
        int base;
        std::uint32_t captionItems;
        // A command whose state is then checked, with its expected check and enabling.
        int probe;
        int check;
        bool enabled;
    };
    const std::uint32_t px = D::kOptionUnitPixel | D::kOptionGuide;
    const Case cases[] = {
        {"horizontal checked at first",
         {},
         px,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerHorizontal,
         CCmdUI::kChecked,
         true},
        {"turn",
         {cmd::kRulerHorizontal},
         px | D::kOptionVertical,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerHorizontal,
         CCmdUI::kUnchecked,
         true},
        {"invert",
         {cmd::kRulerInverted},
         px | D::kOptionInverted,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerInverted,
         CCmdUI::kChecked,
         true},
        {"guide off",
         {cmd::kRulerGuide},
         D::kOptionUnitPixel,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerGuide,
         CCmdUI::kUnchecked,
         true},
        {"inch",
         {cmd::kRulerUnitPixel + 5},
         D::kOptionUnitInch | D::kOptionGuide,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerUnitPixel + 5,
         CCmdUI::kChecked,
         true},
        {"next unit wraps from dialog through the logical pixel",
         {cmd::kRulerUnitDialog, cmd::kRulerNextUnit, cmd::kRulerNextUnit},
         px,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerUnitDialog,
         CCmdUI::kUnchecked,
         true},
        {"base 2",
         {cmd::kRulerBase2},
         px,
         100,
         2,
         D::kDefaultCaptionItems,
         cmd::kRulerBase2,
         CCmdUI::kChecked,
         true},
        {"zoom in",
         {cmd::kRulerZoomIn},
         px,
         110,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerNormalZoom,
         CCmdUI::kUnchecked,
         true},
        {"normal disabled at 100",
         {},
         px,
         100,
         10,
         D::kDefaultCaptionItems,
         cmd::kRulerNormalZoom,
         CCmdUI::kUnchecked,
         false},
        {"zoom out stops at 50", std::vector<int>(8, cmd::kRulerZoomOut), px, 50, 10,
         D::kDefaultCaptionItems, cmd::kRulerZoomOut, CCmdUI::kUnchecked, false},
        {"caption angle on",
         {cmd::kRulerCaptionLast},
         px,
         100,
         10,
         D::kDefaultCaptionItems | D::kCaptionCursorAngle,
         cmd::kRulerCaptionLast,
         CCmdUI::kChecked,
         true},
        {"caption units off",
         {cmd::kRulerCaptionFirst},
         px,
         100,
         10,
         D::kDefaultCaptionItems & ~D::kCaptionUnit,
         cmd::kRulerCaptionFirst,
         CCmdUI::kUnchecked,
         true},
    };
    for (const auto& c : cases) {
        RulerRig rig;
        rig.Open();
        for (int id : c.commands) EXPECT_TRUE(rig.ruler->Execute(id)) << c.name;
        EXPECT_EQ(rig.ruler->Options(), c.options) << c.name;
        EXPECT_EQ(rig.ruler->Scale(), c.scale) << c.name;
        EXPECT_EQ(rig.prefs.Ruler().ScalingFactor(), c.scale) << c.name;
        EXPECT_EQ(rig.prefs.Ruler().GraduationBase(), c.base) << c.name;
        EXPECT_EQ(rig.prefs.Ruler().CaptionItems(), c.captionItems) << c.name;
        const CCmdUI ui = rig.ruler->Update(c.probe);
        EXPECT_EQ(ui.CheckState().value_or(CCmdUI::kUnchecked), c.check) << c.name;
        EXPECT_EQ(ui.Enabled(), c.enabled) << c.name;
    }
}

TEST(CRulerTest, ZoomInStopsAtTheMaximum) {
    RulerRig rig;
    rig.prefs.Ruler().SetScalingFactor(990);
    rig.Open();
    rig.ruler->Execute(cmd::kRulerZoomIn);
    EXPECT_EQ(rig.ruler->Scale(), 1000);
    EXPECT_FALSE(rig.ruler->Update(cmd::kRulerZoomIn).Enabled());
    // A stored factor out of range never reaches the ruler as a divisor.
    rig.ruler->SetScale(0);
    EXPECT_EQ(rig.ruler->Scale(), 1000);
}

TEST(CRulerTest, TurningAndInvertingKeepTheOriginOnScreen) {
    RulerRig rig;
    rig.Open();
    const Point origin = rig.ruler->OriginOnScreen();
    const Rect before = Geometry(*rig.ruler);
    rig.ruler->Execute(cmd::kRulerHorizontal);
    Rect after = Geometry(*rig.ruler);
    EXPECT_EQ(after.Width(), before.Height());
    EXPECT_EQ(after.Height(), before.Width());
    EXPECT_EQ(rig.ruler->OriginOnScreen(), origin);
    EXPECT_EQ(rig.ruler->minimumSize(), QSize(64, 128));

    rig.ruler->Execute(cmd::kRulerInverted);
    EXPECT_EQ(rig.ruler->OriginOnScreen(), origin);
    rig.ruler->Execute(cmd::kRulerInverted);
    rig.ruler->Execute(cmd::kRulerHorizontal);
    EXPECT_EQ(Geometry(*rig.ruler), before);
}

TEST(CRulerTest, EveryChangeOfLayoutKeepsTheRulerOnTheScreen) {
    const Rect screen{0, 0, 1280, 1024};
    // Each step from where the previous one left the ruler, which starts on the bottom edge.
    const int steps[] = {cmd::kRulerInverted, cmd::kRulerInverted,   cmd::kRulerHorizontal,
                         cmd::kRulerInverted, cmd::kRulerHorizontal, cmd::kRulerInverted};
    RulerRig rig;
    rig.Open();
    rig.ruler->move(320, 1024 - 64);
    for (const int step : steps) {
        rig.ruler->Execute(step);
        const Rect now = Geometry(*rig.ruler);
        EXPECT_EQ(KeepVisible(now, screen), now)
            << step << " left it at " << now.left << "," << now.top << " " << now.Width() << "x"
            << now.Height();
    }
}

TEST(CRulerTest, MovingByKeysToTheCursorAndTheCursorToTheRuler) {
    RulerRig rig;
    rig.Open();
    const Rect start = Geometry(*rig.ruler);
    rig.ruler->Execute(cmd::kCursorRight);
    rig.ruler->Execute(cmd::kCursorDown);
    rig.ruler->Execute(cmd::kCursorDown);
    EXPECT_EQ(Geometry(*rig.ruler).TopLeft(), (Point{start.left + 1, start.top + 2}));

    rig.desktop.SetCursorPos({500, 600});
    rig.ruler->Execute(cmd::kRulerMoveToCursor);
    EXPECT_EQ(rig.ruler->OriginOnScreen(), (Point{500, 600}));

    // Where the ruler would leave the screen it stays.
    const Rect placed = Geometry(*rig.ruler);
    rig.desktop.SetCursorPos({1270, 600});
    rig.ruler->Execute(cmd::kRulerMoveToCursor);
    EXPECT_EQ(Geometry(*rig.ruler), placed);

    rig.ruler->Execute(cmd::kRulerMoveCursorToRuler);
    EXPECT_EQ(rig.desktop.CursorPos(), rig.ruler->OriginOnScreen());
}

TEST(CRulerTest, SavePointsStoreOptionsAndPlacementForTheNextOpening) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerHorizontal);
    rig.ruler->Execute(cmd::kRulerUnitPixel + 4);
    rig.ruler->move(100, 150);
    rig.notify.Send(ViewNotify::kSaveState);
    const std::uint32_t saved = D::kOptionUnitCentimeter | D::kOptionVertical | D::kOptionGuide;
    EXPECT_EQ(rig.prefs.Ruler().Options(), saved);
    EXPECT_EQ(rig.prefs.WinState(kWinStateRuler).Placement().normalPosition, Geometry(*rig.ruler));
    EXPECT_TRUE(rig.prefs.IsChanged());

    rig.ruler->Execute(cmd::kRulerGuide);
    rig.ruler->close();
    EXPECT_EQ(rig.prefs.Ruler().Options(), saved & ~D::kOptionGuide);
    const Rect closedAt = Geometry(*rig.ruler);
    rig.ruler.reset();

    rig.Open();
    EXPECT_EQ(Geometry(*rig.ruler), closedAt);
    EXPECT_EQ(rig.ruler->Options(), saved & ~D::kOptionGuide);
}

TEST(CRulerTest, CustomZoomPreviewsValidFactorsAndCancelUndoes) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerCustomZoom);
    auto* dialog = dynamic_cast<CDlgScale*>(rig.ruler->ScaleDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->AutoPreviewCheck()->isChecked());

    // Only one dialog at a time.
    rig.ruler->Execute(cmd::kRulerCustomZoom);
    EXPECT_EQ(rig.ruler->ScaleDialog(), dialog);

    QLineEdit* line = dialog->FactorEdit()->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->selectAll();
    std::vector<int> seen;
    for (char key : std::string("250")) {
        QTest::keyClick(line, key);
        seen.push_back(rig.ruler->Scale());
    }
    EXPECT_EQ(seen, (std::vector<int>{100, 100, 250}));

    dialog->reject();
    EXPECT_EQ(rig.ruler->Scale(), 100);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rig.ruler->ScaleDialog(), nullptr);
}

TEST(CRulerTest, CustomZoomRefusesAFactorOutOfRange) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerCustomZoom);
    auto* dialog = dynamic_cast<CDlgScale*>(rig.ruler->ScaleDialog());
    ASSERT_NE(dialog, nullptr);
    // Without preview nothing changes while typing; OK applies, an invalid OK is refused.
    dialog->AutoPreviewCheck()->click();
    EXPECT_FALSE(rig.prefs.Ruler().AutoPreview());
    QLineEdit* line = dialog->FactorEdit()->findChild<QLineEdit*>();
    line->setText("20");
    dialog->accept();
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text, "Enter an integer between 50 and 1000.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rig.ruler->Scale(), 100);
    line->setText("300");
    EXPECT_EQ(rig.ruler->Scale(), 100);
    dialog->accept();
    EXPECT_EQ(rig.ruler->Scale(), 300);
    EXPECT_EQ(rig.prefs.Ruler().ScalingFactor(), 300);
}

TEST(CRulerTest, ShortcutKeysWindowToggles) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerShortcutKeys);
    auto* keys = dynamic_cast<CRulerKeys*>(rig.ruler->KeysWindow());
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->windowTitle(), "NerimLens: Ruler Shortcut Keys");
    ASSERT_EQ(keys->List()->topLevelItemCount(), 27);
    EXPECT_EQ(keys->List()->topLevelItem(0)->text(0), "Horizontal");
    EXPECT_EQ(keys->List()->topLevelItem(13)->text(0), "Logical pixel");
    EXPECT_EQ(keys->List()->topLevelItem(13)->text(1), "L");
    EXPECT_EQ(keys->List()->topLevelItem(26)->text(1), "Alt+F4");
    EXPECT_EQ(rig.ruler->Update(cmd::kRulerShortcutKeys).CheckState(), CCmdUI::kChecked);

    rig.ruler->Execute(cmd::kRulerShortcutKeys);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rig.ruler->KeysWindow(), nullptr);
    EXPECT_EQ(rig.ruler->Update(cmd::kRulerShortcutKeys).CheckState(), CCmdUI::kUnchecked);
}

TEST(CRulerTest, ALayoutChangeBringsTheWholeRulerOntoTheWorkArea) {
    const MonitorInfo monitor{{0, 0, 1280, 1024}, {0, 0, 1280, 994}};
    struct Case {
        const char* what;
        QRect ruler;
        int command;
        Rect want;  // empty: wholly inside the work area
    };
    const Case cases[] = {
        {"turned near the bottom", {300, 900, 640, 64}, cmd::kRulerHorizontal, {}},
        {"turned near the right edge", {1000, 300, 640, 64}, cmd::kRulerHorizontal, {}},
        {"flipped on the bottom edge", {300, 940, 640, 64}, cmd::kRulerInverted, {}},
        // Longer than the work area is high: its top edge on the work area's.
        {"too long to fit", {40, 500, 1200, 64}, cmd::kRulerHorizontal, {0, 0, 64, 1200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RulerRig rig;
        rig.desktop.SetMonitors({monitor});
        rig.Open();
        rig.ruler->setGeometry(c.ruler);
        rig.ruler->Execute(c.command);
        const Rect now = Geometry(*rig.ruler);
        if (c.want.IsEmpty()) {
            EXPECT_EQ(Intersect(now, monitor.workArea), now);
        } else {
            EXPECT_EQ(now.top, c.want.top);
            EXPECT_EQ(now.Height(), c.want.Height());
        }
    }
}

TEST(CRulerTest, ShortcutKeysWindowOpensOnTheRulersMonitor) {
    const MonitorInfo left{{0, 0, 1280, 1024}, {0, 0, 1280, 994}};
    const MonitorInfo right{{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}};
    struct Case {
        const char* where;
        QPoint rulerAt;
        Rect workArea;
    };
    const Case cases[] = {
        {"left monitor", {100, 700}, left.workArea},
        {"right monitor", {2000, 300}, right.workArea},
    };
    for (const Case& c : cases) {
        RulerRig rig;
        rig.desktop.SetMonitors({left, right});
        rig.Open();
        rig.ruler->move(c.rulerAt);
        rig.ruler->Execute(cmd::kRulerShortcutKeys);
        ASSERT_NE(rig.ruler->KeysWindow(), nullptr) << c.where;
        // Its frame inside the work area, centred to within the frame's own width.
        const QRect frame = rig.ruler->KeysWindow()->frameGeometry();
        const Rect keys{frame.left(), frame.top(), frame.left() + frame.width(),
                        frame.top() + frame.height()};
        EXPECT_EQ(Intersect(keys, c.workArea), keys) << c.where;
        const int frameWidth = frame.width() - rig.ruler->KeysWindow()->width();
        EXPECT_LE(std::abs((keys.left + keys.right) - (c.workArea.left + c.workArea.right)),
                  frameWidth)
            << c.where;
    }
}

TEST(CRulerTest, KeysRunTheRulersCommands) {
    RulerRig rig;
    rig.Open();
    QApplication::setActiveWindow(rig.ruler.get());
    rig.ruler->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.ruler.get()));
    const Rect start = Geometry(*rig.ruler);
    QTest::keyClick(rig.ruler.get(), Qt::Key_Left);
    EXPECT_EQ(Geometry(*rig.ruler).left, start.left - 1);
    QTest::keyClick(rig.ruler.get(), Qt::Key_I);
    EXPECT_EQ(rig.ruler->Options() & D::kOptionUnitMask, D::kOptionUnitInch);
    QTest::keyClick(rig.ruler.get(), Qt::Key_O);
    EXPECT_TRUE(rig.ruler->Options() & D::kOptionVertical);
    QTest::keyClick(rig.ruler.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(rig.ruler->Scale(), 110);

    // Zoom keys match by the character they type as well: the keypad, Shift+= and the "+"
    // key of layouts that have one.
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int scale;
    };
    const Case cases[] = {
        {"keypad +", Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 120},
        {"Shift+= typing +", Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 130},
        {"a + key", Qt::Key_Plus, Qt::ControlModifier, 140},
        {"keypad -", Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 130},
        {"Shift+- typing _", Qt::Key_Underscore, Qt::ControlModifier | Qt::ShiftModifier, 120},
        {"- alone does nothing", Qt::Key_Minus, Qt::NoModifier, 120},
        {"Alt+Shift+= does nothing", Qt::Key_Plus, Qt::AltModifier | Qt::ShiftModifier, 120},
    };
    for (const Case& c : cases) {
        QTest::keyClick(rig.ruler.get(), c.key, c.modifiers);
        EXPECT_EQ(rig.ruler->Scale(), c.scale) << c.what;
    }
}

TEST(CRulerTest, PopupMenuShowsTheStates) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerBase2);
    // Each submenu updates its items as it opens; here all at once.
    rig.ruler->Binder()->UpdateMenu(rig.ruler->PopupMenu());
    for (QMenu* submenu : rig.ruler->PopupMenu()->findChildren<QMenu*>())
        rig.ruler->Binder()->UpdateMenu(submenu);
    // The menu's own items (the key actions of the window carry the same ids).
    const auto state = [&](int id) {
        for (QAction* a : rig.ruler->PopupMenu()->findChildren<QAction*>())
            if (CCommandBinder::CommandOf(a) == id)
                return std::pair{a->isChecked(), a->isEnabled()};
        return std::pair{false, false};
    };
    EXPECT_EQ(state(cmd::kRulerBase2), std::pair(true, true));
    EXPECT_EQ(state(cmd::kRulerBase10), std::pair(false, true));
    EXPECT_EQ(state(cmd::kRulerNormalZoom), std::pair(false, false));
    EXPECT_EQ(state(cmd::kRulerUnitPixel), std::pair(true, true));
}

TEST(CRulerTest, PaintsTicksWhereTheLayoutSaysAndTheGuideFollowsTheCursor) {
    RulerRig rig;
    rig.Open();
    QImage image(rig.ruler->size(), QImage::Format_RGB32);
    {
        QPainter p(&image);
        rig.ruler->Render(p);
    }
    const int h = image.height();
    const QRgb ink = rig.ruler->palette().color(QPalette::ButtonText).rgb();
    // Major at 50 (12 long), 6-pixel ticks at 60, 4-pixel ticks at 52, nothing at 51.
    EXPECT_EQ(image.pixel(50, h - 12), ink);
    EXPECT_NE(image.pixel(50, h - 13), ink);
    EXPECT_EQ(image.pixel(60, h - 6), ink);
    EXPECT_NE(image.pixel(60, h - 7), ink);
    EXPECT_EQ(image.pixel(52, h - 4), ink);
    EXPECT_NE(image.pixel(52, h - 5), ink);
    EXPECT_NE(image.pixel(51, h - 1), ink);

    // The guide mark follows the cursor over the body only.
    const QRect g = rig.ruler->geometry();
    rig.desktop.SetCursorPos({g.left() + 77, g.top() + 40});
    rig.ruler->UpdateFromCursor();
    EXPECT_EQ(rig.ruler->GuidePosition(), 77);
    rig.desktop.SetCursorPos({g.left() - 5, g.top() + 40});
    rig.ruler->UpdateFromCursor();
    EXPECT_EQ(rig.ruler->GuidePosition(), std::nullopt);
    // Readouts: 90 degrees straight above the origin.
    rig.prefs.Ruler().SetCaptionItems(D::kCaptionCursorAngle);
    rig.desktop.SetCursorPos({g.left(), g.top() - 30});
    rig.ruler->UpdateFromCursor();
    EXPECT_EQ(rig.ruler->windowTitle(), QString::fromUtf8("NerimLens | ang: 90\u00B0"));
}

TEST(CRulerTest, DialogUnitsFollowTheFontOfTheWindowUnderTheCursor) {
    RulerRig rig;
    rig.Open();
    rig.ruler->Execute(cmd::kRulerUnitDialog);
    // Over nothing of the program: the system's dialog base units (8 x 16 on the fake).
    rig.desktop.SetCursorPos({5, 900});
    rig.ruler->UpdateFromCursor();
    EXPECT_EQ(rig.ruler->DialogBaseUnits(), (Size{8, 16}));

    QWidget big;
    QFont font = big.font();
    font.setPixelSize(40);
    big.setFont(font);
    big.setGeometry(600, 600, 200, 200);
    big.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&big));
    rig.desktop.SetCursorPos({700, 700});
    rig.ruler->UpdateFromCursor();
    const QFontMetrics fm(font);
    const Size expected = DialogBaseUnitsFromFont(
        fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), fm.height());
    EXPECT_EQ(rig.ruler->DialogBaseUnits(), expected);
    // The graduations follow: a dialog unit is a quarter of the base unit across.
    EXPECT_EQ(rig.ruler->Metrics(),
              ComputeUnitMetrics(D::kOptionUnitDialog | D::kOptionGuide, 10, 96, expected.cx));
}

TEST(CRulerTest, DraggingMovesWithAxisLockAndEdgesSize) {
    struct Case {
        const char* name;
        QPoint press;  // client point
        QPoint by;
        Qt::KeyboardModifiers keys;
        Rect expected;  // relative to the start: left, top, right, bottom deltas
    };
    // The ruler starts at 320, 204, 640 x 64; its body lies below the 20-odd-pixel strip.
    const Case cases[] = {
        {"body drags", {200, 40}, {30, 17}, Qt::NoModifier, {30, 17, 30, 17}},
        {"shift keeps the top", {200, 40}, {30, 17}, Qt::ShiftModifier, {30, 0, 30, 0}},
        {"ctrl keeps the left", {200, 40}, {30, 17}, Qt::ControlModifier, {0, 17, 0, 17}},
        {"both move freely",
         {200, 40},
         {30, 17},
         Qt::ShiftModifier | Qt::ControlModifier,
         {30, 17, 30, 17}},
        {"right edge sizes", {638, 40}, {25, 9}, Qt::NoModifier, {0, 0, 25, 0}},
        {"left edge sizes", {1, 40}, {-25, 9}, Qt::NoModifier, {-25, 0, 0, 0}},
        {"no narrower than the minimum", {1, 40}, {600, 0}, Qt::NoModifier, {512, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        RulerRig rig;
        rig.Open();
        const Rect start = Geometry(*rig.ruler);
        QTest::mousePress(rig.ruler.get(), Qt::LeftButton, c.keys, c.press);
        QMouseEvent move(QEvent::MouseMove, QPointF(c.press + c.by),
                         QPointF(rig.ruler->mapToGlobal(c.press) + c.by), Qt::NoButton,
                         Qt::LeftButton, c.keys);
        QApplication::sendEvent(rig.ruler.get(), &move);
        QTest::mouseRelease(rig.ruler.get(), Qt::LeftButton, c.keys, c.press + c.by);
        const Rect now = Geometry(*rig.ruler);
        EXPECT_EQ((Rect{now.left - start.left, now.top - start.top, now.right - start.right,
                        now.bottom - start.bottom}),
                  c.expected)
            << c.name;
    }
}

TEST(CRulerTest, CloseButtonClosesOnRelease) {
    RulerRig rig;
    rig.Open();
    const Rect close = rig.ruler->Parts().close;
    const QPoint inside(close.left + 3, close.top + 3);
    QTest::mousePress(rig.ruler.get(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(rig.ruler->isVisible());
    QTest::mouseRelease(rig.ruler.get(), Qt::LeftButton, {}, inside);
    EXPECT_FALSE(rig.ruler->isVisible());
    EXPECT_EQ(rig.prefs.WinState(kWinStateRuler).Placement().normalPosition, Geometry(*rig.ruler));
}

}  // namespace
}  // namespace nl
