// The Options sheet and its General, Color Export and Maintenance pages: enabling, checks,
// Apply, saving on tab changes, Cancel, the window state, the tags, back-up and restore.
#include "options/qt/CPSOptions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "gui_test_support.h"
#include "options/qt/CPPExport.h"
#include "options/qt/CPPGeneral.h"
#include "options/qt/CPPSystem.h"
#include "options_test_support.h"

namespace nl {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kGeneralTab = 0;
constexpr int kExportTab = 3;
constexpr int kMaintenanceTab = 4;
constexpr std::uint32_t kDocumentBits = AppSettings::kGeneralKeepDocument |
                                        AppSettings::kGeneralReopenDocument |
                                        AppSettings::kGeneralSaveWithoutAsking;

struct SheetRig : test::FrameRig {
    std::unique_ptr<CPSOptions> sheet;

    SheetRig() {
        MakeFrame();
        for (int id : {cmd::kAppExit, cmd::kHelp, cmd::kCheckForUpdates, cmd::kUpdaterSettings})
            applicationTarget.Handle(id);
    }
    ~SheetRig() { sheet.reset(); }
    CPSOptions& Open() {
        // The sheet before goes first, storing its page and placement.
        sheet.reset();
        sheet = std::make_unique<CPSOptions>(context, *frame, frame.get());
        sheet->show();
        return *sheet;
    }
    template <class T>
    T* Find(const char* name) const {
        T* found = sheet->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Types `text` over the recent-documents field's contents.
    void TypeRecentCount(const char* text) const {
        auto* spin = Find<QSpinBox>("recentDocuments");
        spin->selectAll();
        QTest::keyClicks(spin, text);
    }
    void SetTab(int tab) { sheet->findChild<QTabWidget*>()->setCurrentIndex(tab); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.Messages()) texts.push_back(shown.text);
        return texts;
    }
    std::uint32_t GeneralBits() const { return Settings().generalOptions & kDocumentBits; }
};

TEST(CPSOptionsTest, NormalEnablesTheDocumentControlsAndSavesTheirBits) {
    SheetRig rig;
    rig.Open();
    auto* none = rig.Find<QRadioButton>("documentsNone");
    auto* normal = rig.Find<QRadioButton>("documentsNormal");
    auto* autoLoad = rig.Find<QCheckBox>("autoLoad");
    auto* autoSave = rig.Find<QCheckBox>("autoSave");
    auto* recent = rig.Find<QSpinBox>("recentDocuments");
    // The defaults: Normal with both flags.
    EXPECT_TRUE(normal->isChecked());
    EXPECT_EQ(rig.GeneralBits(), kDocumentBits);

    struct Step {
        QAbstractButton* click;
        bool enabled;
        std::uint32_t saved;
    };
    const Step steps[] = {
        {autoSave, true, AppSettings::kGeneralKeepDocument | AppSettings::kGeneralReopenDocument},
        // None keeps the flags it disables.
        {none, false, AppSettings::kGeneralReopenDocument},
        {normal, true, AppSettings::kGeneralKeepDocument | AppSettings::kGeneralReopenDocument},
        {autoLoad, true, AppSettings::kGeneralKeepDocument},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.click->objectName().toStdString());
        step.click->click();
        for (QWidget* w : {static_cast<QWidget*>(autoLoad), static_cast<QWidget*>(autoSave),
                           static_cast<QWidget*>(recent)})
            EXPECT_EQ(w->isEnabled(), step.enabled) << w->objectName().toStdString();
        rig.prefs.ClearChanged();
        ASSERT_TRUE(rig.sheet->Apply());
        EXPECT_EQ(rig.GeneralBits(), step.saved);
        EXPECT_TRUE(rig.prefs.IsChanged());
    }
}

TEST(CPSOptionsTest, RecentCountOutsideItsRangeIsRefusedWithTheMessage) {
    struct Case {
        const char* typed;
        bool saved;
        std::int32_t count;
    };
    const Case cases[] = {{"17", false, 4}, {"999", false, 4}, {"16", true, 16}, {"0", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SheetRig rig;
        rig.Open();
        rig.TypeRecentCount(c.typed);
        EXPECT_TRUE(rig.sheet->ApplyButton()->isEnabled());
        EXPECT_EQ(rig.sheet->Apply(), c.saved);
        EXPECT_EQ(rig.Settings().recentFileCount, c.count);
        EXPECT_EQ(rig.sheet->Page(kGeneralTab)->IsModified(), !c.saved);
        const std::vector<std::string> want =
            c.saved ? std::vector<std::string>{}
                    : std::vector<std::string>{"Enter an integer between 0 and 16."};
        EXPECT_EQ(rig.Messages(), want);
    }
    // The arrows stay within 0..16.
    SheetRig rig;
    rig.Open();
    auto* recent = rig.Find<QSpinBox>("recentDocuments");
    recent->setValue(16);
    recent->stepUp();
    EXPECT_EQ(recent->value(), 16);
}

TEST(CPSOptionsTest, RunAtStartupWritesAndRemovesTheAutostartEntry) {
    SheetRig rig;
    const std::string entry = rig.prefs.StartupShortcutPath();
    // A hidden entry counts as off.
    const std::string hidden = "[Desktop Entry]\nHidden=true\n";
    rig.files.AddFile(entry, Bytes(hidden.begin(), hidden.end()));
    rig.Open();
    auto* run = rig.Find<QCheckBox>("runAtStartup");
    EXPECT_FALSE(run->isChecked());

    run->click();
    ASSERT_TRUE(rig.sheet->Apply());
    EXPECT_TRUE(rig.prefs.IsStartupShortcutEnabled());
    run->click();
    ASSERT_TRUE(rig.sheet->Apply());
    EXPECT_FALSE(rig.files.FileExists(entry));

    // No autostart folder: the error is shown and the page stays unsaved.
    rig.folders.autostart.clear();
    run->click();
    rig.Find<QRadioButton>("documentsNone")->click();
    EXPECT_FALSE(rig.sheet->Apply());
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{FormatSystemError(kErrorPathNotFound)});
    EXPECT_TRUE(rig.sheet->Page(kGeneralTab)->IsModified());
    EXPECT_EQ(rig.GeneralBits(), kDocumentBits);
}

TEST(CPSOptionsTest, ApplyFollowsTheModifiedPagesAndLeavingATabSavesIt) {
    SheetRig rig;
    rig.Open();
    QPushButton* apply = rig.sheet->ApplyButton();
    EXPECT_FALSE(apply->isEnabled());
    rig.Find<QRadioButton>("documentsNone")->click();
    EXPECT_TRUE(apply->isEnabled());

    // Leaving General saves it.
    rig.SetTab(kExportTab);
    EXPECT_EQ(rig.sheet->ActiveTab(), kExportTab);
    EXPECT_EQ(rig.GeneralBits(), kDocumentBits & ~AppSettings::kGeneralKeepDocument);
    EXPECT_FALSE(apply->isEnabled());

    // A page that refuses keeps the user on it.
    rig.SetTab(kGeneralTab);
    rig.Find<QRadioButton>("documentsNormal")->click();
    rig.TypeRecentCount("20");
    rig.SetTab(kMaintenanceTab);
    EXPECT_EQ(rig.sheet->ActiveTab(), kGeneralTab);
    EXPECT_EQ(rig.Messages().size(), 1u);
    rig.TypeRecentCount("8");
    rig.SetTab(kMaintenanceTab);
    EXPECT_EQ(rig.sheet->ActiveTab(), kMaintenanceTab);
    EXPECT_EQ(rig.Settings().recentFileCount, 8);
}

TEST(CPSOptionsTest, CancelDropsOnlyTheActivePagesChanges) {
    SheetRig rig;
    rig.Open();
    rig.Find<QRadioButton>("documentsNone")->click();
    rig.SetTab(kExportTab);
    auto* format = rig.Find<QComboBox>("clipboardFormat");
    format->setCurrentIndex(AppSettings::kExportXml);
    rig.sheet->reject();
    EXPECT_EQ(rig.Settings().exportOption, AppSettings::kExportTabs);
    EXPECT_EQ(format->currentIndex(), AppSettings::kExportTabs);
    EXPECT_EQ(rig.GeneralBits(), kDocumentBits & ~AppSettings::kGeneralKeepDocument);

    // OK saves the active page.
    rig.Open();
    rig.Find<QComboBox>("clipboardFormat")->setCurrentIndex(AppSettings::kExportHtml);
    rig.sheet->accept();
    EXPECT_EQ(rig.Settings().exportOption, AppSettings::kExportHtml);
}

TEST(CPSOptionsTest, OpensOnTheSavedPageAndStoresPageAndPlacement) {
    struct Case {
        std::uint32_t saved;
        int tab;
    };
    // Pages by their number; an unknown number opens the first tab.
    const Case cases[] = {
        {0, kGeneralTab}, {3, kExportTab}, {4, kMaintenanceTab}, {7, kGeneralTab}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        SheetRig rig;
        rig.prefs.WinState(kWinStateOptions).Numbers() = {c.saved};
        EXPECT_EQ(rig.Open().ActiveTab(), c.tab);
    }
    SheetRig rig;
    rig.Open();
    rig.SetTab(kMaintenanceTab);
    rig.prefs.ClearChanged();
    rig.notify.Send(ViewNotify::kSaveState);
    const CWinState& state = rig.prefs.WinState(kWinStateOptions);
    EXPECT_EQ(state.Numbers(), std::vector<std::uint32_t>{kPageMaintenance});
    EXPECT_TRUE(state.IsPlaced());
    EXPECT_TRUE(rig.prefs.IsChanged());
    rig.SetTab(kExportTab);
    rig.sheet->move(rig.sheet->pos() + QPoint(40, 30));
    const QRect moved = rig.sheet->geometry();
    rig.sheet.reset();
    EXPECT_EQ(state.Numbers(), std::vector<std::uint32_t>{kPageColorExport});
    EXPECT_EQ(state.Placement().normalPosition.left, moved.left());
    // Reopened at the same place.
    EXPECT_EQ(rig.Open().geometry().topLeft(), moved.topLeft());
}

TEST(CPSOptionsTest, NotificationsReachThePages) {
    SheetRig rig;
    rig.Open();
    auto* tagButton = rig.Find<QPushButton>("insertTag");
    EXPECT_EQ(tagButton->toolTip(), "Insert tag in text field");
    rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips, OptionState::kOff);
    EXPECT_EQ(tagButton->toolTip(), "");
    // A new document brings its templates into the unchanged page.
    rig.doc.Colors().SetExportText(CColorPicker::kExportTitle, "mine");
    rig.doc.OnNewDocument();
    EXPECT_EQ(rig.Find<QLineEdit>("template0")->text(), LoadString(kIdsDefaultTitle).c_str());
}

TEST(CPSOptionsTest, TagsGoIntoTheLastFocusedField) {
    SheetRig rig;
    rig.prefs.WinState(kWinStateOptions).Numbers() = {kPageColorExport};
    rig.Open();
    auto& page = *static_cast<CPPExport*>(rig.sheet->Page(kExportTab));
    // No field had the focus yet: the message instead of the menu.
    rig.Find<QPushButton>("insertTag")->click();
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text, LoadString(kIdsTagNeedsField));
    EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kWarning);

    QApplication::setActiveWindow(rig.sheet.get());
    auto* header = rig.Find<QLineEdit>("template1");
    rig.Find<QLineEdit>("template0")->setFocus();
    header->setFocus();
    QApplication::processEvents();
    header->setText("a: b");
    header->setSelection(1, 3);
    // The menu opens with its top-right corner at the button's bottom-right corner; its
    // fourth entry is chosen.
    auto* button = rig.Find<QPushButton>("insertTag");
    QPoint menuTopRight;
    test::WhenShown<QMenu>([&menuTopRight](QMenu& menu) {
        menuTopRight = menu.geometry().topRight();
        menu.actions().at(3)->trigger();
        menu.close();
    });
    button->click();
    EXPECT_EQ(menuTopRight, button->mapToGlobal(button->rect().bottomRight()) + QPoint(0, 1));
    EXPECT_EQ(header->text(), "a<date/>");
    EXPECT_TRUE(header->hasFocus());
    // The field keeps to 64 characters.
    header->setText(QString(60, 'x'));
    page.InsertTag(0);
    EXPECT_EQ(header->text().size(), 64);

    ASSERT_TRUE(rig.sheet->Apply());
    EXPECT_EQ(rig.doc.Colors().GetExportText(CColorPicker::kExportHeader),
              std::string(60, 'x') + "<app");
    EXPECT_TRUE(rig.doc.IsModified());
}

TEST(CPSOptionsTest, ClearAndResetFillTheFieldsAndSaveIntoTheDocument) {
    SheetRig rig;
    rig.prefs.WinState(kWinStateOptions).Numbers() = {kPageColorExport};
    rig.Open();
    const auto fields = [&rig] {
        std::vector<std::string> texts;
        for (const char* name : {"template0", "template1", "template2"})
            texts.push_back(rig.Find<QLineEdit>(name)->text().toStdString());
        return texts;
    };
    const std::vector<std::string> defaults = {LoadString(2047), LoadString(2048),
                                               LoadString(2049)};
    EXPECT_EQ(fields(), defaults);
    rig.Find<QPushButton>("clearTemplates")->click();
    EXPECT_EQ(fields(), std::vector<std::string>(3));
    EXPECT_TRUE(rig.sheet->ApplyButton()->isEnabled());
    ASSERT_TRUE(rig.sheet->Apply());
    EXPECT_EQ(rig.doc.Colors().GetExportText(CColorPicker::kExportFooter), "");
    EXPECT_TRUE(rig.doc.IsModified());
    rig.Find<QPushButton>("resetTemplates")->click();
    EXPECT_EQ(fields(), defaults);
    ASSERT_TRUE(rig.sheet->Apply());
    EXPECT_EQ(rig.doc.Colors().GetExportText(CColorPicker::kExportFooter), defaults[2]);
}

TEST(CPSOptionsTest, BackUpAndRestoreOfTheDataFile) {
    SheetRig rig;
    rig.prefs.WinState(kWinStateOptions).Numbers() = {kPageMaintenance};
    rig.Open();
    auto& page = *static_cast<CPPSystem*>(rig.sheet->Page(kMaintenanceTab));
    EXPECT_EQ(page.DataFile(), test::kTestDataFile);
    EXPECT_FALSE(rig.Find<QPushButton>("openFileLocation")->isVisible());

    // Back up: settings written first, then copied.
    rig.prefs.SetZoomFactor(800);
    rig.dialogs.ChooseFile("/fake/home/Documents/saved.dat");
    rig.Find<QPushButton>("backUp")->click();
    ASSERT_EQ(rig.dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(rig.dialogs.FileDialogs()[0].request.initialFolder, "/fake/home/Documents");
    ASSERT_NE(rig.files.Contents("/fake/home/Documents/saved.dat"), nullptr);
    EXPECT_EQ(*rig.files.Contents("/fake/home/Documents/saved.dat"),
              *rig.files.Contents(test::kTestDataFile));

    // Restore: confirmed, copied over the data file, then the normal exit, whose save question
    // the user first cancels: the program runs on without writing its settings.
    const Bytes restored = *rig.files.Contents("/fake/home/Documents/saved.dat");
    rig.files.AddFile("/fake/home/Documents/old.dat", restored);
    rig.prefs.SetZoomFactor(200);
    // A file that is no data file is refused before anything is asked or changed.
    const Bytes before = *rig.files.Contents(test::kTestDataFile);
    rig.files.AddFile("/fake/home/Documents/notes.dat", Bytes{'o', 'l', 'd'});
    rig.dialogs.ChooseFile("/fake/home/Documents/notes.dat");
    rig.Find<QPushButton>("restore")->click();
    EXPECT_EQ(rig.saveModifiedCalls, 0);
    EXPECT_EQ(*rig.files.Contents(test::kTestDataFile), before);
    EXPECT_FALSE(rig.prefs.IsSaveSuppressed());
    rig.saveModifiedAnswer = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        rig.dialogs.ChooseFile("/fake/home/Documents/old.dat");
        rig.dialogs.Answer(MsgAnswer::kOk);
        rig.Find<QPushButton>("restore")->click();
        EXPECT_EQ(rig.saveModifiedCalls, attempt + 1);
        EXPECT_EQ(rig.quits, attempt);
        EXPECT_TRUE(rig.prefs.IsSaveSuppressed());
        EXPECT_FALSE(rig.prefs.IsChanged());
        rig.prefs.Flush();
        EXPECT_EQ(*rig.files.Contents(test::kTestDataFile), restored);
        rig.saveModifiedAnswer = true;
    }
    EXPECT_EQ(*rig.files.Contents(test::kTestDataFile), restored);

    // Open File Location opens the data file's folder.
    page.OpenFileLocation();
    ASSERT_FALSE(rig.shell.Log().empty());
    EXPECT_EQ(rig.shell.Log().back().target, "/fake/home/.local/share/Nerim Rirideviz/NerimLens");
}

TEST(CPSOptionsTest, MaintenanceButtonsRunTheAppCommands) {
    SheetRig rig;
    rig.Open();
    rig.SetTab(kMaintenanceTab);
    rig.Find<QPushButton>("checkForUpdates")->click();
    rig.Find<QPushButton>("configureUpdates")->click();
    rig.sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(rig.applicationTarget.commands,
              (std::vector<int>{cmd::kCheckForUpdates, cmd::kUpdaterSettings, cmd::kHelp}));
}

}  // namespace
}  // namespace nl
