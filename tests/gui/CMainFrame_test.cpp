// The main window: tool switching, update states, notifications, hot keys, close and exit,
// sizes and the picking timer.
#include "app/qt/CMainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <set>

#include "app/qt/CAppSplitterWnd.h"
#include "app/qt/CTrayItem.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "framework/hot_keys.h"
#include "framework/qt/CViewApp.h"
#include "framework/qt/CViewAppTB.h"
#include "gui_test_support.h"
#include "res/accelerators.h"
#include "res/forms.h"
#include "res/menus.h"
#include "ui/qt/CStatusBarEx.h"
#include "ui/qt/CToolBarEx.h"
#include "ui/qt/form_metrics.h"

namespace nl {
namespace {

using test::FrameRig;

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) titles << action->text();
    return titles;
}

QStringList ResourceTitles(int menuId) {
    QStringList titles;
    for (const MenuItem& popup : FindMenu(menuId)->popups)
        titles << QString::fromStdString(popup.text);
    return titles;
}

void Activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(CMainFrameTest, SwitchingToolsReplacesViewsAndMenuOnlyForAnotherTool) {
    struct Case {
        std::int32_t startTool;
        int command;
        bool replaced;
        std::int32_t wantTool;
        int wantForm;
        int wantMenu;
    };
    const Case cases[] = {
        {AppSettings::kToolMagnifier, cmd::kToolMagnifier, false, 1, res::kFormMagnifier,
         res::kMenuMagnifier},
        {AppSettings::kToolMagnifier, cmd::kToolScreenCopier, true, 2, res::kFormScreenCopier,
         res::kMenuScreenCopier},
        {AppSettings::kToolGauge, cmd::kToolColorPicker, true, 3, res::kFormColorPicker,
         res::kMenuColorPicker},
        {AppSettings::kToolColorPicker, cmd::kToolGauge, true, 4, res::kFormGauge, res::kMenuGauge},
        {AppSettings::kToolGauge, cmd::kToolGauge, false, 4, res::kFormGauge, res::kMenuGauge},
        // A stored value outside the tools: no toolbar view, the plain menu; a tool command
        // then brings the tool's views.
        {0, cmd::kToolMagnifier, true, 1, res::kFormMagnifier, res::kMenuMagnifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.startTool << " command " << c.command);
        FrameRig rig;
        rig.prefs.SetActiveTool(c.startTool);
        rig.MakeFrame();
        CMainFrame& frame = *rig.frame;
        QWidget* oldToolbar = frame.ToolbarView();
        QWidget* oldMain = frame.MainView();
        const QStringList oldMenus = MenuTitles(frame.menuBar());
        if (c.startTool == 0) {
            EXPECT_EQ(oldToolbar, nullptr);
            EXPECT_EQ(frame.MenuId(), res::kMenuMain);
            EXPECT_NE(dynamic_cast<CViewApp*>(oldMain), nullptr);
        }
        rig.prefs.ClearChanged();

        EXPECT_TRUE(frame.ExecuteCommand(c.command));

        ASSERT_NE(frame.ToolbarView(), nullptr);
        EXPECT_EQ(frame.ToolbarView()->FormId(), c.wantForm);
        EXPECT_EQ(frame.MenuId(), c.wantMenu);
        EXPECT_EQ(MenuTitles(frame.menuBar()), ResourceTitles(c.wantMenu));
        EXPECT_EQ(rig.Settings().activeTool, c.wantTool);
        EXPECT_EQ(frame.Splitter()->View(CAppSplitterWnd::kToolbarRow), frame.ToolbarView());
        EXPECT_EQ(frame.Splitter()->View(CAppSplitterWnd::kMainRow), frame.MainView());
        if (c.replaced) {
            EXPECT_NE(frame.ToolbarView(), oldToolbar);
            EXPECT_NE(frame.MainView(), oldMain);
            EXPECT_TRUE(rig.prefs.IsChanged());
        } else {
            EXPECT_EQ(frame.ToolbarView(), oldToolbar);
            EXPECT_EQ(frame.MainView(), oldMain);
            EXPECT_EQ(MenuTitles(frame.menuBar()), oldMenus);
            EXPECT_FALSE(rig.prefs.IsChanged());
        }
    }
}

TEST(CMainFrameTest, ToolbarRowIsAsHighAsTheForm) {
    FrameRig rig;
    rig.MakeFrame();
    CMainFrame& frame = *rig.frame;
    const int formHeight = frame.ToolbarView()->FormSize().height();
    EXPECT_GT(formHeight, 0);
    EXPECT_EQ(frame.Splitter()->ToolbarRowHeight(), formHeight);
    EXPECT_EQ(frame.ToolbarView()->minimumHeight(), formHeight);
}

TEST(CMainFrameTest, UpdateStatesFollowSettingsAndHandlers) {
    FrameRig rig;
    rig.prefs.SetActiveTool(AppSettings::kToolScreenCopier);
    rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop, OptionState::kOff);
    rig.prefs.SetZoomFactor(700);
    rig.prefs.SetOptions(OptionWord::kMagnifier, AppSettings::kMagnifierStretchCopies);
    rig.MakeFrame();
    CMainFrame& frame = *rig.frame;

    // Radio mark on the active tool only.
    for (int id = cmd::kToolMagnifier; id <= cmd::kToolGauge; ++id) {
        const CCmdUI ui = frame.UpdateCommand(id);
        EXPECT_TRUE(ui.IsRadio()) << id;
        EXPECT_EQ(ui.CheckState(),
                  id == cmd::kToolScreenCopier ? CCmdUI::kChecked : CCmdUI::kUnchecked)
            << id;
    }
    EXPECT_EQ(frame.UpdateCommand(cmd::kStayOnTop).CheckState(), CCmdUI::kUnchecked);
    frame.ExecuteCommand(cmd::kStayOnTop);
    EXPECT_EQ(frame.UpdateCommand(cmd::kStayOnTop).CheckState(), CCmdUI::kChecked);
    EXPECT_TRUE(rig.Settings().displayOptions & AppSettings::kDisplayOnTop);
    EXPECT_TRUE(frame.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    EXPECT_EQ(frame.UpdateCommand(cmd::kZoomText).Text(), "700%");
    rig.doc.Colors().InsertColor(0, CColPick{});
    rig.doc.Colors().InsertColor(0, CColPick{});
    EXPECT_EQ(frame.UpdateCommand(cmd::kColorCountPane).Text(), "2");

    // Nobody carries these out yet: disabled, though their check marks show the settings.
    const CCmdUI stretch = frame.UpdateCommand(cmd::kStretchCopies);
    EXPECT_FALSE(stretch.Enabled());
    EXPECT_EQ(stretch.CheckState(), CCmdUI::kChecked);
    EXPECT_EQ(frame.UpdateCommand(cmd::kFollowRuler).CheckState(), CCmdUI::kUnchecked);
    EXPECT_FALSE(frame.UpdateCommand(cmd::kCopyInstructions).Enabled());
    // A check-only command whose handler is on the route is enabled.
    rig.applicationTarget.Handle(cmd::kAutoCopy);
    EXPECT_TRUE(frame.UpdateCommand(cmd::kAutoCopy).Enabled());
    // The frame's own commands are enabled.
    EXPECT_TRUE(frame.UpdateCommand(cmd::kArrange).Enabled());
    EXPECT_TRUE(frame.UpdateCommand(cmd::kAppExit).Enabled());
}

TEST(CMainFrameTest, TogglesFlipTheirBitsAndCheckMarks) {
    struct Case {
        int id;
        std::uint32_t AppSettings::*word;
        std::uint32_t bit;
    };
    const Case cases[] = {
        {cmd::kSounds, &AppSettings::soundOptions, AppSettings::kSoundPlay},
        {cmd::kShowWhileMeasuring, &AppSettings::gaugeOptions, AppSettings::kGaugeShowMainWindow},
        {cmd::kShowGridWhileMeasuring, &AppSettings::gaugeOptions, AppSettings::kGaugeShowGrid},
        {cmd::kIncludeOwnWindows, &AppSettings::screenCopierOptions,
         AppSettings::kCopierIncludeOwnWindows},
        {cmd::kIncludeCursor, &AppSettings::screenCopierOptions, AppSettings::kCopierIncludeCursor},
        {cmd::kGridlines, &AppSettings::displayOptions, AppSettings::kDisplayGridLines},
        {cmd::kViewToolbar, &AppSettings::displayOptions, AppSettings::kDisplayToolbar},
        {cmd::kViewStatusBar, &AppSettings::displayOptions, AppSettings::kDisplayStatusBar},
    };
    FrameRig rig;
    rig.MakeFrame();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const std::uint32_t& word = rig.Settings().*c.word;
        const bool before = (word & c.bit) != 0;
        rig.prefs.ClearChanged();
        ASSERT_TRUE(rig.frame->ExecuteCommand(c.id));
        EXPECT_EQ((word & c.bit) != 0, !before);
        EXPECT_TRUE(rig.prefs.IsChanged());
        EXPECT_EQ(rig.frame->UpdateCommand(c.id).CheckState(),
                  before ? CCmdUI::kUnchecked : CCmdUI::kChecked);
        rig.frame->ExecuteCommand(c.id);
        EXPECT_EQ((word & c.bit) != 0, before);
    }
    // The bars follow their bits.
    EXPECT_TRUE(rig.frame->ToolBar()->isVisibleTo(rig.frame.get()));
    rig.frame->ExecuteCommand(cmd::kViewStatusBar);
    EXPECT_FALSE(rig.frame->StatusBarEx()->isVisibleTo(rig.frame.get()));
}

TEST(CMainFrameTest, NotificationsReachTheViewsOfTheFrame) {
    FrameRig rig;
    rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines, OptionState::kOff);
    // A tool whose main view is a list (the colors view derives from the list base).
    rig.prefs.SetActiveTool(AppSettings::kToolColorPicker);
    rig.MakeFrame();
    CMainFrame& frame = *rig.frame;
    auto* list = dynamic_cast<CViewApp*>(frame.MainView());
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->GridLines());

    // Gridlines flips the bit and tells the views.
    frame.ExecuteCommand(cmd::kGridlines);
    EXPECT_TRUE(list->GridLines());

    // A zoom change made elsewhere moves the slider of the toolbar view.
    auto* slider = qobject_cast<QSlider*>(frame.ToolbarView()->Control(cmd::kZoomSlider));
    ASSERT_NE(slider, nullptr);
    rig.prefs.SetZoomFactor(900);
    rig.notify.Send(ViewNotify::kZoomChanged);
    EXPECT_EQ(slider->value(), 9);

    // A posted notification arrives once the event loop runs.
    // The change itself is sent at once; made while the view is hidden, it does not hear it.
    frame.ToolbarView()->hide();
    rig.prefs.SetZoomFactor(300);
    EXPECT_EQ(slider->value(), 9);
    frame.ToolbarView()->show();
    rig.notify.Post(ViewNotify::kZoomChanged);
    EXPECT_EQ(slider->value(), 9);
    QCoreApplication::processEvents();
    EXPECT_EQ(slider->value(), 3);

    // After a switch, the new views hear the notifications and the old ones do not.
    frame.ExecuteCommand(cmd::kToolGauge);
    auto* gaugeList = dynamic_cast<CViewApp*>(frame.MainView());
    ASSERT_NE(gaugeList, nullptr);
    rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines, OptionState::kOff);
    rig.notify.Send(ViewNotify::kGridLinesChanged);
    EXPECT_FALSE(gaugeList->GridLines());
    // The old list waits for its deletion out of the window.
    EXPECT_TRUE(list->GridLines());
}

TEST(CMainFrameTest, ShowHideTogglesTheOpenFlagAndText) {
    FrameRig rig;
    rig.MakeFrame();
    CMainFrame& frame = *rig.frame;
    frame.ShowAtStartup();
    ASSERT_TRUE(frame.isVisible());
    const PromptAndTip texts = SplitPrompt(LoadString(kIdsShowHide));
    EXPECT_EQ(frame.UpdateCommand(cmd::kShowHide).Text(), texts.tip);  // "Hid&e"

    rig.prefs.ClearChanged();
    frame.ExecuteCommand(cmd::kShowHide);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(rig.prefs.WinState(kWinStateMainFrame).IsOpen());
    EXPECT_TRUE(rig.prefs.IsChanged());
    EXPECT_EQ(frame.UpdateCommand(cmd::kShowHide).Text(), texts.prompt);  // "Sho&w"

    frame.ExecuteCommand(cmd::kShowHide);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(rig.prefs.WinState(kWinStateMainFrame).IsOpen());

    // Show only ever shows.
    frame.ExecuteCommand(cmd::kShow);
    EXPECT_TRUE(frame.isVisible());
}

TEST(CMainFrameTest, NothingShowsTheWindowBeforeStartUpPlacesIt) {
    FrameRig rig;
    rig.MakeFrame();
    rig.frame->show();
    EXPECT_FALSE(rig.frame->isVisible());
    rig.frame->ShowAtStartup();
    EXPECT_TRUE(rig.frame->isVisible());
}

TEST(CMainFrameTest, HotKeysRunTheirCommandsAndAskToResumePicking) {
    struct Case {
        const char* name;
        int hotKey;
        bool pickingStarted;
        std::optional<MsgAnswer> answer;  // the question is asked when set
        std::vector<int> wantCommands;    // reaching the document and application targets
        int wantColors = 0;               // picked into the document by the frame
        bool wantStarted = false;         // picking runs afterwards
    };
    const Case cases[] = {
        {"pick while started", kHotKeyPickColor, true, std::nullopt, {}, 1, true},
        {"pick while stopped, yes", kHotKeyPickColor, false, MsgAnswer::kYes, {}, 0, true},
        {"pick while stopped, no", kHotKeyPickColor, false, MsgAnswer::kNo, {}, 0, false},
        {"ruler", kHotKeyRuler, false, std::nullopt, {cmd::kRuler}, 0, false},
        {"clipboard viewer",
         kHotKeyClipboardViewer,
         true,
         std::nullopt,
         {cmd::kClipboardViewer},
         0,
         true},
    };
    const std::uint32_t keys[kHotKeyCount] = {
        MakeHotKey(kModControl, kVkF1 + 8), MakeHotKey(kModControl, kVkF1 + 9),
        MakeHotKey(kModControl, kVkF1 + 10), MakeHotKey(kModControl, kVkF12)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRig rig;
        for (int id = 0; id < kHotKeyCount; ++id) rig.prefs.SetHotKey(id, keys[id]);
        const std::uint32_t& general = rig.Settings().generalOptions;
        rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                            c.pickingStarted ? OptionState::kOn : OptionState::kOff);
        for (int id : {cmd::kPickColor, cmd::kResumePicking}) rig.documentTarget.Handle(id);
        for (int id : {cmd::kRuler, cmd::kClipboardViewer}) rig.applicationTarget.Handle(id);
        if (c.answer) rig.dialogs.Answer(*c.answer);
        rig.MakeFrame();
        rig.frame->RegisterHotKeysAndTray();

        const std::uint32_t key = keys[c.hotKey];
        ASSERT_TRUE(rig.hotKeys.Press(HotKeyModifiers(key), HotKeyVirtualKey(key)));

        std::vector<int> ran = rig.documentTarget.commands;
        ran.insert(ran.end(), rig.applicationTarget.commands.begin(),
                   rig.applicationTarget.commands.end());
        EXPECT_EQ(ran, c.wantCommands);
        EXPECT_EQ(rig.doc.Colors().GetCount(), c.wantColors);
        EXPECT_EQ((general & AppSettings::kGeneralPickingStarted) != 0, c.wantStarted);
        ASSERT_EQ(rig.dialogs.Messages().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(rig.dialogs.Messages()[0].text, LoadString(kIdsResumePicking));
            EXPECT_EQ(rig.dialogs.Messages()[0].buttons, MsgButtons::kYesNo);
            EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kQuestion);
        }
    }
}

TEST(CMainFrameTest, HotKeyPressedWhileTheLastIsHandledIsDropped) {
    FrameRig rig;
    const std::uint32_t ruler = MakeHotKey(kModControl, kVkF1 + 10);
    const std::uint32_t viewer = MakeHotKey(kModControl, kVkF12);
    rig.prefs.SetHotKey(kHotKeyRuler, ruler);
    rig.prefs.SetHotKey(kHotKeyClipboardViewer, viewer);
    // While the ruler command runs, the user presses the viewer's hot key.
    rig.applicationTarget.Handle(
        cmd::kRuler, [&] { rig.hotKeys.Press(HotKeyModifiers(viewer), HotKeyVirtualKey(viewer)); });
    rig.applicationTarget.Handle(cmd::kClipboardViewer);
    rig.MakeFrame();
    rig.frame->RegisterHotKeysAndTray();

    rig.hotKeys.Press(HotKeyModifiers(ruler), HotKeyVirtualKey(ruler));
    EXPECT_EQ(rig.applicationTarget.commands, std::vector<int>{cmd::kRuler});
    // Afterwards hot keys work again.
    rig.hotKeys.Press(HotKeyModifiers(viewer), HotKeyVirtualKey(viewer));
    EXPECT_EQ(rig.applicationTarget.commands,
              (std::vector<int>{cmd::kRuler, cmd::kClipboardViewer}));
}

TEST(CMainFrameTest, ShowHideHotKeyTogglesTheWindow) {
    FrameRig rig;
    const std::uint32_t key = MakeHotKey(kModControl | kModAlt, kVkF12);
    rig.prefs.SetHotKey(kHotKeyShowHide, key);
    rig.MakeFrame();
    rig.frame->RegisterHotKeysAndTray();
    rig.frame->ShowAtStartup();
    ASSERT_TRUE(rig.frame->isVisible());
    rig.hotKeys.Press(HotKeyModifiers(key), HotKeyVirtualKey(key));
    EXPECT_FALSE(rig.frame->isVisible());
}

TEST(CMainFrameTest, StartUpBalloonListsHotKeysWhenOneFailsOrAtAHiddenStart) {
    struct Case {
        const char* name;
        bool listAlways;
        bool open;
        bool taken;
        bool wantBalloon;
    };
    const Case cases[] = {
        {"plain start", false, true, false, false},
        {"hidden start without the list option", false, false, false, false},
        {"hidden start with the list option", true, false, false, true},
        {"shown start with the list option", true, true, false, false},
        {"a hot key is taken", false, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRig rig;
        const std::uint32_t key = MakeHotKey(kModControl, kVkF12);
        rig.prefs.SetHotKey(kHotKeyRuler, key);
        if (c.taken) rig.hotKeys.SetTaken(kModControl, kVkF12);
        rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayHotKeyBalloon,
                            c.listAlways ? OptionState::kOn : OptionState::kOff);
        rig.prefs.WinState(kWinStateMainFrame).SetOpen(c.open);
        rig.MakeFrame();
        rig.frame->RegisterHotKeysAndTray();
        const QString text = rig.frame->StartupBalloonText();
        EXPECT_EQ(!text.isEmpty(), c.wantBalloon);
        if (!c.wantBalloon) continue;
        EXPECT_TRUE(text.startsWith(QString::fromStdString(LoadString(kIdsApplicationStarted))));
        EXPECT_TRUE(text.contains(QStringLiteral("Ruler")));
        EXPECT_EQ(text.contains(QStringLiteral("*")), c.taken);
        EXPECT_LE(text.size(), 255);
    }
}

TEST(CMainFrameTest, DestroyingTheWindowReleasesHotKeysAndThePreviewFile) {
    FrameRig rig;
    rig.prefs.SetHotKey(kHotKeyShowHide, MakeHotKey(kModControl, kVkF12));
    rig.prefs.SetHotKey(kHotKeyRuler, MakeHotKey(kModShift, kVkF1 + 1));
    rig.MakeFrame();
    rig.frame->RegisterHotKeysAndTray();
    EXPECT_EQ(rig.hotKeys.Count(), 2u);
    // The options changed one in the meantime: it is released too.
    rig.prefs.SetHotKey(kHotKeyRuler, 0);
    rig.files.AddFolder(rig.tempDir.path().toStdString());
    const std::string preview = rig.preview.Path(rig.files);
    ASSERT_TRUE(rig.files.FileExists(preview));
    rig.frame.reset();
    EXPECT_EQ(rig.hotKeys.Count(), 0u);
    EXPECT_FALSE(rig.files.FileExists(preview));
    // The hub no longer knows the window.
    rig.notify.Send(ViewNotify::kGridLinesChanged);
}

TEST(CMainFrameTest, CloseButtonHidesToTheTrayOtherwiseExits) {
    struct Case {
        const char* what;
        bool active;
        bool tray;
        bool hides;
    };
    const Case cases[] = {
        {"active, with a tray", true, true, true},
        // Nothing would bring a hidden window back: closing ends the program.
        {"active, no tray", true, false, false},
        {"inactive", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameRig rig;
        rig.MakeFrame();
        rig.frame->Tray()->SetAvailability([&c] { return c.tray; });
        rig.frame->RegisterHotKeysAndTray();
        rig.frame->ShowAtStartup();
        if (c.active) {
            Activate(*rig.frame);
        } else {
            QApplication::setActiveWindow(nullptr);
        }
        ASSERT_EQ(rig.frame->isActiveWindow(), c.active);
        ASSERT_EQ(rig.frame->Tray()->IsInTray(), c.tray);
        const int writes = rig.files.WriteCount();
        EXPECT_EQ(rig.frame->close(), !c.hides);
        EXPECT_FALSE(rig.frame->isVisible());
        if (c.hides) {
            EXPECT_FALSE(rig.prefs.WinState(kWinStateMainFrame).IsOpen());
            EXPECT_EQ(rig.quits, 0);
            EXPECT_EQ(rig.files.WriteCount(), writes);
            EXPECT_FALSE(rig.prefs.IsSaveSuppressed());
        } else {
            EXPECT_EQ(rig.quits, 1);
            EXPECT_TRUE(rig.files.FileExists(test::kTestDataFile));
            EXPECT_TRUE(rig.prefs.IsSaveSuppressed());
        }
    }
}

TEST(CMainFrameTest, ExitSavesThePlacementAndStopsUnlessTheDocumentSaveIsCancelled) {
    for (const bool answer : {true, false}) {
        SCOPED_TRACE(answer);
        FrameRig rig;
        rig.saveModifiedAnswer = answer;
        test::NotifyCounter counter;
        rig.notify.Register(&counter);
        rig.MakeFrame();
        rig.frame->ShowAtStartup();
        rig.frame->setGeometry(100, 120, 400, 500);
        rig.frame->ExecuteCommand(cmd::kAppExit);
        EXPECT_EQ(rig.saveModifiedCalls, 1);
        EXPECT_EQ(rig.quits, answer ? 1 : 0);
        EXPECT_EQ(rig.frame->isVisible(), !answer);
        EXPECT_EQ(rig.files.FileExists(test::kTestDataFile), answer);
        EXPECT_EQ(counter.Count(ViewNotify::kSaveState), answer ? 1 : 0);
        if (answer) {
            CAppPrefs reread(
                PrefsServices{&rig.store, &rig.folders, &rig.files, &rig.dialogs, &rig.clock});
            reread.LoadFromBytes(*rig.files.Contents(test::kTestDataFile));
            const WindowPlacement& saved = reread.WinState(kWinStateMainFrame).Placement();
            EXPECT_EQ(saved.normalPosition, (Rect{100, 120, 500, 620}));
            EXPECT_EQ(saved.length, CWinState::kPlacementSize);
            // Saving stays off for the rest of the run.
            EXPECT_TRUE(rig.prefs.IsSaveSuppressed());
        }
        rig.notify.Unregister(&counter);
    }
}

TEST(CMainFrameTest, AnExitCancelledAfterARestoreSaysSettingsAreNoLongerSaved) {
    for (const bool answer : {true, false}) {
        SCOPED_TRACE(answer);
        FrameRig rig;
        rig.saveModifiedAnswer = answer;
        rig.MakeFrame();
        rig.frame->ShowAtStartup();
        const std::string backup = "/backups/NerimLens.dat";
        rig.files.CreateFolders("/backups");
        ASSERT_FALSE(rig.files.WriteFile(backup, rig.prefs.StoreToBytes()));
        rig.dialogs.ChooseFile(backup);
        rig.dialogs.Answer(MsgAnswer::kOk);
        ASSERT_EQ(rig.prefs.Restore(), DataRestoreResult::kExitRequested);
        const std::size_t shown = rig.dialogs.Messages().size();
        rig.frame->ExecuteCommand(cmd::kAppExit);
        EXPECT_EQ(rig.quits, answer ? 1 : 0);
        // Exiting needs no word; staying says what staying means.
        ASSERT_EQ(rig.dialogs.Messages().size(), shown + (answer ? 0 : 1));
        if (!answer) {
            EXPECT_EQ(rig.dialogs.Messages().back().text, LoadString(kIdsSettingsNoLongerSaved));
            EXPECT_EQ(rig.dialogs.Messages().back().icon, MsgIcon::kWarning);
        }
    }
}

TEST(CMainFrameTest, DeactivationFlushesAtMostEveryFiveMinutes) {
    FrameRig rig;
    rig.MakeFrame();
    const std::uint64_t start = rig.clock.tick;
    struct Step {
        std::uint64_t at;  // since the window was made
        bool wantWrite;
    };
    const Step steps[] = {
        {1000, false},    // just started
        {300000, false},  // exactly five minutes is not more
        {300001, true},   // more than five minutes
        {400000, false},  // soon after the last
        {600002, true},   // five minutes after the last
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at);
        rig.clock.tick = start + step.at;
        const int writes = rig.files.WriteCount();
        rig.frame->OnApplicationDeactivated();
        EXPECT_EQ(rig.files.WriteCount() > writes, step.wantWrite);
    }
    // Never while saving is suppressed.
    rig.prefs.SetSaveSuppressed(true);
    rig.clock.tick += 10 * CMainFrame::kDeactivationFlushMs;
    const int writes = rig.files.WriteCount();
    rig.frame->OnApplicationDeactivated();
    EXPECT_EQ(rig.files.WriteCount(), writes);
}

TEST(CMainFrameTest, FlushRecordsThePlacementOnlyWhenItChanged) {
    FrameRig rig;
    rig.MakeFrame();
    rig.frame->ShowAtStartup();
    rig.frame->setGeometry(10, 20, 400, 500);
    rig.frame->RecordPlacement();
    EXPECT_EQ(rig.prefs.WinState(kWinStateMainFrame).Placement().normalPosition,
              (Rect{10, 20, 410, 520}));
    rig.prefs.ClearChanged();
    rig.frame->RecordPlacement();
    EXPECT_FALSE(rig.prefs.IsChanged());
    rig.frame->move(30, 20);
    rig.frame->RecordPlacement();
    EXPECT_TRUE(rig.prefs.IsChanged());
}

TEST(CMainFrameTest, DefaultAndMinimumSizesComeFromTheColorPickerForm) {
    FrameRig rig;
    rig.MakeFrame();
    const FormTemplate* form = FindForm(res::kFormColorPicker);
    ASSERT_NE(form, nullptr);
    const Size units = FormBaseUnits(FormFont(*form));
    // Dialog units: x * cx / 4, y * cy / 8.
    const QSize defaultSize = rig.frame->DefaultSize();
    EXPECT_NEAR(defaultSize.width(), form->dlu.cx * units.cx / 4.0, 1.0);
    EXPECT_NEAR(defaultSize.height(), 250 * units.cy / 8.0, 1.0);
    const QSize minimum = rig.frame->MinimumFrameSize();
    EXPECT_EQ(minimum.width(), defaultSize.width());
    EXPECT_NEAR(minimum.height(), 200 * units.cy / 8.0, 1.0);
}

TEST(CMainFrameTest, StartUpPlacesTheWindow) {
    const Rect work{0, 0, 1280, 984};
    struct Case {
        const char* name;
        std::optional<Rect> saved;
        bool open;
        bool wantVisible;
    };
    const Case cases[] = {
        {"first run: default size, centered", std::nullopt, true, true},
        {"first run, hidden", std::nullopt, false, false},
        {"saved and fitting", Rect{50, 60, 550, 760}, true, true},
        {"too small: enlarged", Rect{50, 60, 60, 70}, true, true},
        {"on a monitor that is gone", Rect{2000, 100, 2500, 800}, true, true},
        {"saved, hidden", Rect{50, 60, 550, 760}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRig rig;
        rig.desktop.SetMonitors({MonitorInfo{{0, 0, 1280, 1024}, work}});
        CWinState& state = rig.prefs.WinState(kWinStateMainFrame);
        state.SetOpen(c.open);
        if (c.saved) state.Placement().normalPosition = *c.saved;
        rig.MakeFrame();
        rig.frame->ShowAtStartup();
        EXPECT_EQ(rig.frame->isVisible(), c.wantVisible);
        const QRect g = rig.frame->geometry();
        const QSize minimum = rig.frame->MinimumFrameSize();
        EXPECT_GE(g.width(), minimum.width());
        EXPECT_GE(g.height(), minimum.height());
        // Wholly inside the work area.
        EXPECT_TRUE(QRect(0, 0, 1280, 984).contains(g)) << g.x() << "," << g.y();
        if (!c.saved) {
            EXPECT_EQ(g.size(), rig.frame->DefaultSize());
            // Centered up to the frame's edges, which are unknown before the window shows.
            const QRect frame = rig.frame->frameGeometry();
            EXPECT_NEAR(frame.center().x(), 640, 4);
            EXPECT_NEAR(frame.center().y(), 492, 4);
        } else if (c.saved->left == 50 && c.saved->Width() >= minimum.width()) {
            EXPECT_EQ(g, QRect(50, 60, 500, 700));
        }
        // A hidden start gives memory back.
        EXPECT_EQ(rig.frame->WorkingSetTrims() > 0, !c.wantVisible);
    }
}

TEST(CMainFrameTest, PickingStateDrivesTimerIconsAndTrimming) {
    for (const bool started : {true, false}) {
        SCOPED_TRACE(started);
        FrameRig rig;
        rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                            started ? OptionState::kOn : OptionState::kOff);
        test::NotifyCounter counter;
        rig.notify.Register(&counter);
        rig.MakeFrame();
        rig.frame->ShowAtStartup();
        EXPECT_EQ(rig.frame->IsPickTimerRunning(), started);
        EXPECT_EQ(rig.frame->IconId(), started ? res::kIconStarted : res::kIconStopped);
        EXPECT_EQ(counter.Count(ViewNotify::kPickingApplied), 1);

        const int trims = rig.frame->WorkingSetTrims();
        rig.frame->hide();
        if (!started) {
            // Stopped: memory goes back at once.
            EXPECT_EQ(rig.frame->WorkingSetTrims(), trims + 1);
        } else {
            EXPECT_EQ(rig.frame->WorkingSetTrims(), trims);
            // Ticks go on while hidden; after three seconds memory goes back, once.
            rig.clock.tick += 1000;
            QTest::qWait(3 * CMainFrame::kPickTimerMs);
            EXPECT_EQ(rig.frame->WorkingSetTrims(), trims);
            EXPECT_GT(counter.Count(ViewNotify::kTimerTick), 0);
            rig.clock.tick += 2001;
            QTest::qWait(3 * CMainFrame::kPickTimerMs);
            EXPECT_EQ(rig.frame->WorkingSetTrims(), trims + 1);
            QTest::qWait(2 * CMainFrame::kPickTimerMs);
            EXPECT_EQ(rig.frame->WorkingSetTrims(), trims + 1);
        }
        rig.notify.Unregister(&counter);
    }
}

TEST(CMainFrameTest, ArrangeMakesTheWindowTopmostWithBothBars) {
    FrameRig rig;
    const std::uint32_t& display = rig.Settings().displayOptions;
    rig.prefs.SetOption(
        OptionWord::kDisplay,
        AppSettings::kDisplayOnTop | AppSettings::kDisplayToolbar | AppSettings::kDisplayStatusBar,
        OptionState::kOff);
    rig.prefs.WinState(kWinStateMainFrame).SetOpen(false);
    rig.MakeFrame();
    rig.frame->ShowAtStartup();
    ASSERT_FALSE(rig.frame->isVisible());
    rig.frame->ExecuteCommand(cmd::kArrange);
    EXPECT_TRUE(rig.frame->isVisible());
    EXPECT_TRUE(rig.prefs.WinState(kWinStateMainFrame).IsOpen());
    EXPECT_TRUE(rig.frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const std::uint32_t all =
        AppSettings::kDisplayOnTop | AppSettings::kDisplayToolbar | AppSettings::kDisplayStatusBar;
    EXPECT_EQ(display & all, all);
    EXPECT_TRUE(rig.frame->ToolBar()->isVisible());
    EXPECT_TRUE(rig.frame->StatusBarEx()->isVisible());
    EXPECT_EQ(rig.frame->size(), rig.frame->DefaultSize());
}

TEST(CMainFrameTest, StatusBarShowsIdleTextCountAndTitle) {
    FrameRig rig;
    // A tool whose views give no hint of their own.
    rig.tools = &test::BareGaugeTools();
    rig.prefs.SetActiveTool(AppSettings::kToolGauge);
    rig.MakeFrame();
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Ready"));
    EXPECT_EQ(rig.frame->StatusBarEx()->PaneText(), QStringLiteral("0"));
    EXPECT_EQ(rig.frame->windowTitle(), QStringLiteral("Untitled - NerimLens"));
    // A view's hint replaces the idle text.
    rig.documentTarget.HandleUpdate(
        cmd::kIndicatorHint, [](CCmdUI& ui) { ui.SetText("Press Enter key to pick colors"); });
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Press Enter key to pick colors"));
}

// A screenshot asked of the desktop: the first one of the setup is explained and the note
// outlives the request; a long wait is told only while the request lasts.
TEST(CMainFrameTest, ScreenshotRequestsAreToldOnTheStatusBar) {
    using enum ScreenRequestEvent;
    FrameRig rig;
    rig.tools = &test::BareGaugeTools();
    rig.prefs.SetActiveTool(AppSettings::kToolGauge);
    rig.MakeFrame();
    const QString explained = QString::fromStdString(LoadString(kIdsScreenshotFirstAsk));
    const QString waiting = QString::fromStdString(LoadString(kIdsScreenshotWaiting));
    const QString idle = QStringLiteral("Ready");
    const struct {
        ScreenRequestEvent event;
        const QString& hint;
    } steps[] = {
        {kAsking, explained}, {kEnded, explained}, {kAsking, explained},
        {kWaiting, waiting},  {kEnded, idle},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.event));
        rig.frame->OnScreenRequest(step.event);
        rig.frame->RunIdleUpdate();
        EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), step.hint);
    }
}

TEST(CMainFrameTest, TrayMenuHasShowHideFirstAsItsDefault) {
    FrameRig rig;
    rig.MakeFrame();
    rig.frame->RegisterHotKeysAndTray();
    QMenu* menu = rig.frame->TrayMenu();
    ASSERT_NE(menu->defaultAction(), nullptr);
    EXPECT_EQ(menu->defaultAction(), menu->actions().front());
    EXPECT_EQ(menu->defaultAction()->property("nlCommand").toInt(), cmd::kShowHide);
    EXPECT_EQ(rig.frame->IconId(), res::kIconStarted);
}

}  // namespace
}  // namespace nl

namespace nl {
namespace {

TEST(CMainFrameMenusTest, RecentFilesAppearWhenTheFileMenuOpens) {
    test::FrameRig rig;
    rig.MakeFrame();
    QMenu* file = rig.frame->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    auto recentIds = [&] {
        std::vector<int> ids;
        for (QAction* action : file->actions()) {
            const int id = action->property("nlCommand").toInt();
            if (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast) ids.push_back(id);
        }
        return ids;
    };
    emit file->aboutToShow();
    EXPECT_TRUE(recentIds().empty());

    rig.recentFiles.Add("/home/user/first.nlz");
    rig.recentFiles.Add("/home/user/second.nlz");
    emit file->aboutToShow();
    EXPECT_EQ(recentIds(), (std::vector<int>{cmd::kFileMruFirst, cmd::kFileMruFirst + 1}));
    // Without a handler the entries are disabled.
    for (QAction* action : file->actions()) {
        const int id = action->property("nlCommand").toInt();
        if (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
    // Opening again does not pile entries up; an entry runs its command on the document's
    // side.
    rig.documentTarget.Handle(cmd::kFileMruFirst + 1);
    emit file->aboutToShow();
    EXPECT_EQ(recentIds().size(), 2u);
    for (QAction* action : file->actions()) {
        if (action->property("nlCommand").toInt() == cmd::kFileMruFirst + 1) action->trigger();
    }
    EXPECT_EQ(rig.documentTarget.commands, std::vector<int>{cmd::kFileMruFirst + 1});
}

TEST(CMainFrameMenusTest, KeyboardHelperKeysAreLeftToTheApplication) {
    test::FrameRig rig;
    rig.MakeFrame();
    std::set<int> keyed;
    for (QAction* action : rig.frame->actions()) {
        if (!action->shortcut().isEmpty()) keyed.insert(action->property("nlCommand").toInt());
    }
    for (const Accelerator& key : FindAccelerators(res::kAcceleratorsMain)) {
        const bool helper = key.command >= cmd::kCursorLeft && key.command <= cmd::kCopy;
        EXPECT_EQ(keyed.contains(key.command), !helper) << key.command;
    }
    // Home arranges the window.
    EXPECT_TRUE(keyed.contains(cmd::kArrange));
}

}  // namespace
}  // namespace nl
