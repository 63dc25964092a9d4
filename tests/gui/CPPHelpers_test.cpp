#include "options/qt/CPPHelpers.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMenu>
#include <QTest>

#include "options/qt/CListCtrlExSounds.h"
#include "options_test_support.h"

namespace nl {
namespace {

using HelpersRig = test::PageRig<CPPHelpers>;

void ClickCell(CPPHelpers& page, int row, int column) {
    CListCtrlExSounds* list = page.SoundList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CellRect(row, column).center());
}

TEST(CPPHelpersTest, ChecksChangeTheSettingsOnlyOnSaveWhichAnnouncesToolTips) {
    HelpersRig rig;
    rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips, OptionState::kOff);
    rig.prefs.ClearChanged();
    rig.MakePage();
    CPPHelpers& page = *rig.page;
    EXPECT_FALSE(page.ToolTipsCheck()->isChecked());
    EXPECT_TRUE(page.SoundsCheck()->isChecked());  // the default plays sounds
    EXPECT_FALSE(page.IsModified());

    const AppSettings before = rig.Settings();
    const bool listBefore = page.StartupListCheck()->isChecked();
    page.StartupListCheck()->click();
    page.ToolTipsCheck()->click();
    page.SoundsCheck()->click();
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ(rig.Settings(), before);  // not through the Sounds command either
    EXPECT_EQ(rig.counter.Count(ViewNotify::kToolTipsChanged), 0);

    ASSERT_TRUE(page.SaveData());
    EXPECT_FALSE(page.IsModified());
    EXPECT_TRUE(rig.prefs.IsChanged());
    EXPECT_NE(rig.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayHotKeyBalloon),
              listBefore);
    EXPECT_TRUE(rig.Settings().HasOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips));
    EXPECT_FALSE(rig.Settings().HasOption(OptionWord::kSound, AppSettings::kSoundPlay));
    EXPECT_EQ(rig.counter.Count(ViewNotify::kToolTipsChanged), 1);
    EXPECT_TRUE(page.SoundList()->ToolTipsEnabled());  // the page heard it too

    // Cancel brings the controls back to the saved settings.
    page.SoundsCheck()->click();
    page.CancelData();
    EXPECT_FALSE(page.SoundsCheck()->isChecked());
    EXPECT_FALSE(page.IsModified());
}

TEST(CPPHelpersTest, SoundMenuUnderTheRowStoresTheNumberAndMarksThePageModified) {
    HelpersRig rig;
    rig.MakePage();
    rig.page->resize(480, 320);
    rig.page->show();
    CListCtrlExSounds* list = rig.page->SoundList();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->CellText(1, 0), "Move cursor");
    EXPECT_EQ(list->CellText(1, 1), "None");

    QStringList items;
    QPoint menuAt;
    test::WhenShown<QMenu>([&](QMenu& menu) {
        menuAt = menu.pos();
        for (QAction* a : menu.actions()) items << a->text();
        menu.setActiveAction(menu.actions().at(3));  // Tick3
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    ClickCell(*rig.page, 1, CListCtrlExSounds::kEditColumn);
    EXPECT_EQ(items, QStringList({"None", "Tick1", "Tick2", "Tick3", "Tick4", "Tick5", "Tick6"}));
    const QRect cell = list->CellRect(1, CListCtrlExSounds::kEditColumn);
    EXPECT_EQ(menuAt.x(), list->viewport()->mapToGlobal(cell.bottomLeft()).x());
    EXPECT_GT(menuAt.y(), list->viewport()->mapToGlobal(cell.bottomLeft()).y());
    EXPECT_EQ(list->CellText(1, 1), "Tick3");
    EXPECT_TRUE(rig.page->IsModified());
    EXPECT_EQ(rig.prefs.EventSounds()[1], 0u);
    ASSERT_TRUE(rig.page->SaveData());
    EXPECT_EQ(rig.prefs.EventSounds()[1], 3u);
}

TEST(CPPHelpersTest, TestPlaysTheRowsSoundEvenWithSoundsOffButNotNone) {
    HelpersRig rig;
    rig.prefs.SetOption(OptionWord::kSound, AppSettings::kSoundPlay, OptionState::kOff);
    rig.prefs.SetEventSound(2, 5);
    rig.MakePage();
    rig.page->resize(480, 320);
    rig.page->show();
    ClickCell(*rig.page, 2, CListCtrlExSounds::kTestColumn);
    ClickCell(*rig.page, 0, CListCtrlExSounds::kTestColumn);  // "None"
    ASSERT_EQ(rig.sound.Log().size(), 1u);
    EXPECT_EQ(rig.sound.Log()[0].resourceId, 1205);
    EXPECT_FALSE(rig.page->IsModified());
}

TEST(CPPHelpersTest, GridLinesFollowTheSettingOnItsNotification) {
    HelpersRig rig;
    rig.MakePage();
    const bool before = rig.page->SoundList()->GridLines();
    rig.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines);
    EXPECT_EQ(rig.page->SoundList()->GridLines(), !before);
}

}  // namespace
}  // namespace nl
