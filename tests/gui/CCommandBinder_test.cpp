// How the command binder shows an update handler's check state on a menu item: a check box
// for a check, a radio mark for a radio state, nothing for an item nobody marks.
#include "framework/qt/CCommandBinder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QToolBar>
#include <functional>

#include "base/command_ids.h"
#include "res/accelerators.h"
#include "ui/qt/qt_keys.h"

namespace nl {
namespace {

// Exposes the style option the menu draws an item with.
class InspectedMenu : public QMenu {
public:
    QStyleOptionMenuItem OptionOf(QAction* action) const {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option;
    }
};

TEST(CCommandBinderTest, MenuItemsShowChecksAndRadioMarks) {
    using Apply = void (*)(CCmdUI&);
    struct Case {
        const char* what;
        Apply apply;
        QStyleOptionMenuItem::CheckType type;
        bool checked;
    };
    const Case cases[] = {
        {"radio on", [](CCmdUI& ui) { ui.SetRadio(true); }, QStyleOptionMenuItem::Exclusive, true},
        {"radio off", [](CCmdUI& ui) { ui.SetRadio(false); }, QStyleOptionMenuItem::Exclusive,
         false},
        {"check", [](CCmdUI& ui) { ui.SetCheck(CCmdUI::kChecked); },
         QStyleOptionMenuItem::NonExclusive, true},
        {"no mark", [](CCmdUI&) {}, QStyleOptionMenuItem::NotCheckable, false},
    };
    // Every case from every other one's state: an item can change between the three forms.
    for (const Case& before : cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << before.what << " then " << c.what);
            InspectedMenu menu;
            QAction* action = menu.addAction(QStringLiteral("Item"));
            CCmdUI first(1);
            before.apply(first);
            CCommandBinder::ApplyState(action, first);
            CCmdUI ui(1);
            c.apply(ui);
            CCommandBinder::ApplyState(action, ui);

            const QStyleOptionMenuItem option = menu.OptionOf(action);
            EXPECT_EQ(option.checkType, c.type);
            EXPECT_EQ(option.checked, c.checked);
            EXPECT_EQ(action->isChecked(), c.checked);
        }
    }
}

TEST(CCommandBinderTest, MenuItemsShowTheToolTipAnUpdateGives) {
    InspectedMenu menu;
    QAction* action = menu.addAction(QStringLiteral("Item"));
    CCmdUI withTip(1);
    withTip.SetToolTip("Why it is off");
    CCommandBinder::ApplyState(action, withTip);
    EXPECT_EQ(action->toolTip(), QStringLiteral("Why it is off"));
    EXPECT_TRUE(menu.toolTipsVisible());
    // The next update without one takes it away again.
    CCommandBinder::ApplyState(action, CCmdUI(1));
    EXPECT_EQ(action->toolTip(), QStringLiteral("Item"));
}

TEST(CCommandBinderTest, AWindowsKeysRunItsCommandsWhateverControlHasTheFocus) {
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("vega")});
    std::vector<int> ran;
    CCommandBinder::Callbacks callbacks;
    callbacks.execute = [&](int id) {
        ran.push_back(id);
        return true;
    };
    callbacks.update = [](int id) {
        CCmdUI ui(id);
        ui.Enable(id != cmd::kRulerZoomOut);
        return ui;
    };
    CCommandBinder binder(callbacks);
    binder.AddShortcuts(&window, res::kAcceleratorsRuler,
                        [](int id) { return id == cmd::kRulerInverted; });
    window.show();
    QApplication::setActiveWindow(&window);
    combo->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<int> ran;
        int comboIndex;
    };
    const Case cases[] = {
        {"Ctrl+=", Qt::Key_Equal, Qt::ControlModifier, {cmd::kRulerZoomIn}, 0},
        {"Ctrl+Shift+= typing +",
         Qt::Key_Plus,
         Qt::ControlModifier | Qt::ShiftModifier,
         {cmd::kRulerZoomIn},
         0},
        // A letter the list would search for.
        {"O", Qt::Key_O, Qt::NoModifier, {cmd::kRulerHorizontal}, 0},
        {"a disabled command", Qt::Key_Minus, Qt::ControlModifier, {}, 0},
        // Keys outside the table and skipped ones stay the control's.
        {"End", Qt::Key_End, Qt::NoModifier, {}, 2},
        {"a skipped key", Qt::Key_V, Qt::NoModifier, {}, 2},
    };
    for (const Case& c : cases) {
        ran.clear();
        combo->setCurrentIndex(0);
        QTest::keyClick(combo, c.key, c.modifiers);
        EXPECT_EQ(ran, c.ran) << c.what;
        EXPECT_EQ(combo->currentIndex(), c.comboIndex) << c.what;
    }
}

// An update that answers as the last one did leaves the toolbar's actions alone; whatever
// changed an action since (a click on a checkable button whose command changed nothing, a
// state set from elsewhere, a new answer) is put right by the next update.
TEST(CCommandBinderTest, UpdatesTouchAnActionOnlyWhenItsStateChanged) {
    QToolBar toolBar;
    bool checked = false;
    CCommandBinder::Callbacks callbacks;
    callbacks.execute = [](int) { return true; };
    callbacks.update = [&](int id) {
        CCmdUI ui(id);
        ui.SetCheck(checked ? CCmdUI::kChecked : CCmdUI::kUnchecked);
        return ui;
    };
    CCommandBinder binder(callbacks);
    binder.BuildToolBar(&toolBar, res::kToolbarMain);
    int changes = 0;
    QAction* button = nullptr;
    for (QAction* action : toolBar.actions()) {
        if (CCommandBinder::CommandOf(action) == 0) continue;
        if (!button) button = action;
        QObject::connect(action, &QAction::changed, [&] { ++changes; });
    }
    ASSERT_NE(button, nullptr);
    binder.UpdateActions();
    EXPECT_GT(changes, 0);
    EXPECT_TRUE(button->isCheckable());

    struct Case {
        const char* what;
        std::function<void()> meanwhile;
        bool shownChecked;
    };
    const Case cases[] = {
        {"nothing", [] {}, false},
        {"a click that changed nothing", [&] { button->trigger(); }, false},
        {"a state set from elsewhere", [&] { button->setChecked(true); }, false},
        {"a new answer", [&] { checked = true; }, true},
        {"the answer back", [&] { checked = false; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.meanwhile();
        binder.UpdateActions();
        EXPECT_EQ(button->isChecked(), c.shownChecked);
        // Then at rest: rounds of updates with the same answers change nothing.
        changes = 0;
        for (int round = 0; round < 3; ++round) binder.UpdateActions();
        EXPECT_EQ(changes, 0);
    }
}

TEST(QtKeysTest, KeysMatchByKeyCodeAndByTheCharacterTyped) {
    constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
    constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
    constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
    struct Case {
        int table;
        int key;
        Qt::KeyboardModifiers modifiers;
        int command;
    };
    const Case cases[] = {
        {res::kAcceleratorsRuler, Qt::Key_Equal, kCtrl, cmd::kRulerZoomIn},
        {res::kAcceleratorsRuler, Qt::Key_Plus, kCtrl | kPad, cmd::kRulerZoomIn},
        {res::kAcceleratorsRuler, Qt::Key_Plus, kCtrl | kShift, cmd::kRulerZoomIn},
        {res::kAcceleratorsRuler, Qt::Key_Plus, kCtrl, cmd::kRulerZoomIn},
        {res::kAcceleratorsRuler, Qt::Key_Minus, kCtrl | kPad, cmd::kRulerZoomOut},
        {res::kAcceleratorsRuler, Qt::Key_Underscore, kCtrl | kShift, cmd::kRulerZoomOut},
        {res::kAcceleratorsRuler, Qt::Key_O, {}, cmd::kRulerHorizontal},
        {res::kAcceleratorsRuler, Qt::Key_1, kCtrl, cmd::kRulerBase10},
        // Shift is dropped only for the symbol it typed: never for letters, digits or
        // named keys, and other modifiers stay.
        {res::kAcceleratorsRuler, Qt::Key_O, kShift, 0},
        {res::kAcceleratorsRuler, Qt::Key_1, kCtrl | kShift, 0},
        {res::kAcceleratorsRuler, Qt::Key_Left, kShift, 0},
        {res::kAcceleratorsRuler, Qt::Key_Plus, kShift, 0},
        {res::kAcceleratorsRuler, Qt::Key_Plus, kCtrl | kShift | Qt::AltModifier, 0},
        {res::kAcceleratorsMain, Qt::Key_C, kCtrl | kShift, cmd::kExportColorsToClipboard},
        {res::kAcceleratorsMain, Qt::Key_Enter, kPad, cmd::kPick},
        {res::kAcceleratorsMain, Qt::Key_Plus, kCtrl, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindAcceleratorCommandForKey(c.table, c.key, c.modifiers), c.command)
            << c.table << " key " << std::hex << c.key << " modifiers " << c.modifiers.toInt();
    }
}

}  // namespace
}  // namespace nl
