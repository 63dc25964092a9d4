// The Color Picker tool in the main window: the colors list in its four modes, its texts in
// the chosen format and unit, how it follows the document, the commands on the selected
// color with their enabling, the toolbar's format box and texts, and both color dialogs.
#include "colors/qt/CViewCols.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "colors/qt/CDlgColProps.h"
#include "colors/qt/CDlgEditColor.h"
#include "colors/qt/CViewToolBar.h"
#include "gui_test_support.h"
#include "picking/CDesktopSampler.h"
#include "ui/qt/CColorTile.h"
#include "ui/qt/CStatusBarEx.h"

namespace nl {
namespace {

using test::FrameRig;

constexpr int kCmykRow = 0;
constexpr int kHashHtmlRow = 4;
constexpr int kInchRow = 5;
constexpr std::uint32_t kStarted = AppSettings::kGeneralPickingStarted;

struct ColsRig : FrameRig {
    explicit ColsRig(std::uint32_t viewBits = AppSettings::kPickerViewDetails) {
        prefs.SetActiveTool(AppSettings::kToolColorPicker);
        prefs.SetOptions(OptionWord::kColorPicker,
                         (Settings().colorPickerOptions & ~kColsViewModeMask) | viewBits);
        prefs.SetColorFormat(kHashHtmlRow);
        MakeFrame();
        frame->resize(400, 500);
        frame->ShowAtStartup();
    }
    CViewCols* View() const { return dynamic_cast<CViewCols*>(frame->MainView()); }
    CViewToolBar* Toolbar() const { return dynamic_cast<CViewToolBar*>(frame->ToolbarView()); }
    CColorPicker& Colors() { return doc.Colors(); }
    // Appends a pick of `color` at (x, y).
    void Add(COLORREF color, int x = 0, int y = 0) {
        CColPick sample(CColPick::StampNow(clock));
        sample.SetColor(color);
        sample.SetPosition({x, y});
        sample.SetSourceTitle("Editor");
        Colors().InsertColor(Colors().GetCount(), sample);
    }
    void AddColors(int n) {
        for (int i = 0; i < n; ++i) Add(MakeRgb(i * 20, 255 - i * 20, 7), i * 96, i * 48);
    }
    bool Enabled(int id) { return frame->UpdateCommand(id).Enabled(); }
    QString Text(int id) const {
        auto* edit = qobject_cast<QLineEdit*>(frame->ToolbarView()->Control(id));
        return edit ? edit->text() : QStringLiteral("<none>");
    }
};

TEST(CViewColsTest, ColorPickerToolShowsTheColorsView) {
    ColsRig rig;
    ASSERT_NE(rig.View(), nullptr);
    ASSERT_NE(rig.Toolbar(), nullptr);
    EXPECT_EQ(rig.View()->Mode(), ColsViewMode::kDetails);
    EXPECT_EQ(rig.View()->ItemCount(), 0);
}

TEST(CViewColsTest, TextsFollowFormatAndUnitChoices) {
    ColsRig rig;
    rig.AddColors(2);
    CViewCols& view = *rig.View();
    EXPECT_EQ(view.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Color"));
    EXPECT_EQ(view.ItemText(0, kColsIndex), QStringLiteral("01"));
    EXPECT_EQ(view.ItemText(1, kColsColor), QStringLiteral("#14EB07"));
    EXPECT_EQ(view.ItemText(1, kColsPosition), QStringLiteral("96 , 48"));
    EXPECT_EQ(view.ItemText(1, kColsTile), QString());

    CDlgColProps* props = nullptr;
    view.SetSelection(1);
    rig.frame->ExecuteCommand(cmd::kColorProperties);
    props = view.PropertiesWindow();
    ASSERT_NE(props, nullptr);

    // The toolbar's format box stores the choice and every view follows at once.
    QComboBox* formats = rig.Toolbar()->FormatCombo();
    ASSERT_NE(formats, nullptr);
    EXPECT_EQ(formats->count(), rig.prefs.ColorFormats().GetSize());
    EXPECT_EQ(formats->currentData().toInt(), kHashHtmlRow);
    rig.prefs.ClearChanged();
    formats->setCurrentIndex(formats->findData(kCmykRow));
    EXPECT_EQ(rig.Settings().colorFormatIndex, kCmykRow);
    EXPECT_TRUE(rig.prefs.IsChanged());
    EXPECT_EQ(view.ItemText(1, kColsColor), QStringLiteral("91, 0, 97, 8"));
    // The unit box too.
    auto* units = qobject_cast<QComboBox*>(rig.Toolbar()->Control(cmd::kUnitCombo));
    ASSERT_NE(units, nullptr);
    units->setCurrentIndex(kInchRow);
    EXPECT_EQ(rig.Settings().lengthUnitIndex, kInchRow);
    EXPECT_EQ(view.ItemText(1, kColsPosition), QStringLiteral("1 , 0.5"));
    // The properties window keeps its fixed forms but takes the unit.
    ASSERT_EQ(props->Rows().size(), 13u);
    EXPECT_EQ(props->Rows()[2].value, "14EB07");
    EXPECT_EQ(props->Rows()[9].value, "1 , 0.5");
    EXPECT_EQ(props->windowTitle(), QStringLiteral("Color Properties #2"));
    EXPECT_EQ(props->Tile()->Color(), MakeRgb(20, 235, 7));
}

TEST(CViewColsTest, ViewModesStoreTheirBitAndSwapTheWidget) {
    struct Case {
        int command;
        ColsViewMode mode;
        std::uint32_t bit;
        bool tiles;
    };
    const Case cases[] = {
        {cmd::kViewLargeIcons, ColsViewMode::kLargeIcons, AppSettings::kPickerViewLargeIcons, true},
        {cmd::kViewSmallIcons, ColsViewMode::kSmallIcons, AppSettings::kPickerViewSmallIcons, true},
        {cmd::kViewList, ColsViewMode::kList, AppSettings::kPickerViewList, true},
        {cmd::kViewDetails, ColsViewMode::kDetails, AppSettings::kPickerViewDetails, false},
    };
    ColsRig rig(AppSettings::kPickerViewList);
    EXPECT_EQ(rig.View()->Mode(), ColsViewMode::kList);
    rig.AddColors(3);
    rig.View()->SetSelection(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        rig.prefs.ClearChanged();
        EXPECT_TRUE(rig.frame->ExecuteCommand(c.command));
        EXPECT_EQ(rig.View()->Mode(), c.mode);
        EXPECT_EQ(rig.Settings().colorPickerOptions & kColsViewModeMask, c.bit);
        EXPECT_TRUE(rig.prefs.IsChanged());
        EXPECT_EQ(rig.View()->TileView()->isVisible(), c.tiles);
        // The selection survives the switch.
        EXPECT_EQ(rig.View()->Selection(), 2);
        for (const Case& other : cases) {
            const CCmdUI ui = rig.frame->UpdateCommand(other.command);
            EXPECT_TRUE(ui.Enabled());
            EXPECT_EQ(ui.CheckState(),
                      other.command == c.command ? CCmdUI::kChecked : CCmdUI::kUnchecked);
        }
    }
    // The mode is taken from the settings by a new view.
    rig.frame->ExecuteCommand(cmd::kViewSmallIcons);
    rig.frame->ExecuteCommand(cmd::kToolMagnifier);
    rig.frame->ExecuteCommand(cmd::kToolColorPicker);
    ASSERT_NE(rig.View(), nullptr);
    EXPECT_EQ(rig.View()->Mode(), ColsViewMode::kSmallIcons);
}

TEST(CViewColsTest, FollowsTheDocument) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(4);
    EXPECT_EQ(view.ItemCount(), 4);
    EXPECT_EQ(view.Selection(), 3);  // an insert selects the new entry
    view.SetSelection(1);
    rig.frame->ExecuteCommand(cmd::kColorProperties);
    CDlgColProps* props = view.PropertiesWindow();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->Entry(), 1);

    // Deleting the last entry selects the new last.
    view.SetSelection(3);
    rig.frame->ExecuteCommand(cmd::kEditDelete);
    EXPECT_EQ(view.ItemCount(), 3);
    EXPECT_EQ(view.Selection(), 2);
    EXPECT_EQ(props->Entry(), 2);
    // Deleting in the middle keeps the place.
    view.SetSelection(0);
    rig.frame->ExecuteCommand(cmd::kEditDelete);
    EXPECT_EQ(view.Selection(), 0);
    EXPECT_EQ(view.ItemText(0, kColsColor), QStringLiteral("#14EB07"));
    // A change of one entry redraws it and the properties window shows it.
    rig.Colors().SetColor(1, MakeRgb(1, 2, 3));
    EXPECT_EQ(view.ItemText(1, kColsColor), QStringLiteral("#010203"));
    EXPECT_EQ(props->Entry(), 1);
    EXPECT_EQ(props->Rows()[1].value, "1, 2, 3");
    // Deleting all empties both.
    rig.Colors().RemoveAllColors();
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(view.Selection(), -1);
    EXPECT_EQ(props->Entry(), -1);
    EXPECT_TRUE(props->Rows().empty());
    EXPECT_EQ(props->Tile()->Color(), kNoColor);
    // A full list drops the oldest and selects the newest.
    rig.AddColors(CColorPicker::kMaxColors);
    rig.Add(MakeRgb(9, 9, 9));
    EXPECT_EQ(view.ItemCount(), CColorPicker::kMaxColors);
    EXPECT_EQ(view.Selection(), CColorPicker::kMaxColors - 1);
    EXPECT_EQ(view.ItemText(CColorPicker::kMaxColors - 1, kColsColor), QStringLiteral("#090909"));
}

TEST(CViewColsTest, CommandEnablingAndMovesAtTheEnds) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    const int selectionCommands[] = {cmd::kEditCopy, cmd::kGotoColor, cmd::kEditColor,
                                     cmd::kEditDelete, cmd::kColorProperties};
    // Empty list: only Add and the view modes.
    for (const int id : selectionCommands) EXPECT_FALSE(rig.Enabled(id)) << id;
    EXPECT_FALSE(rig.Enabled(cmd::kMoveColorUp));
    EXPECT_FALSE(rig.Enabled(cmd::kMoveColorDown));
    EXPECT_FALSE(rig.Enabled(cmd::kCopyAllColors));
    EXPECT_TRUE(rig.Enabled(cmd::kAddColor));

    rig.AddColors(3);
    view.SetSelection(-1);
    for (const int id : selectionCommands) EXPECT_FALSE(rig.Enabled(id)) << id;
    EXPECT_TRUE(rig.Enabled(cmd::kCopyAllColors));
    view.SetSelection(0);
    for (const int id : selectionCommands) EXPECT_TRUE(rig.Enabled(id)) << id;
    EXPECT_FALSE(rig.Enabled(cmd::kMoveColorUp));
    EXPECT_TRUE(rig.Enabled(cmd::kMoveColorDown));

    // Moves carry the entry and its selection; the ends stop them.
    rig.frame->ExecuteCommand(cmd::kMoveColorDown);
    EXPECT_EQ(view.Selection(), 1);
    EXPECT_EQ(view.ItemText(1, kColsColor), QStringLiteral("#00FF07"));
    rig.frame->ExecuteCommand(cmd::kMoveColorDown);
    EXPECT_EQ(view.Selection(), 2);
    EXPECT_FALSE(rig.Enabled(cmd::kMoveColorDown));
    rig.frame->ExecuteCommand(cmd::kMoveColorDown);  // ignored at the end
    EXPECT_EQ(view.Selection(), 2);
    EXPECT_EQ(view.ItemText(2, kColsColor), QStringLiteral("#00FF07"));
    rig.frame->ExecuteCommand(cmd::kMoveColorUp);
    EXPECT_EQ(view.Selection(), 1);
    EXPECT_TRUE(rig.Enabled(cmd::kMoveColorUp));

    // Replace needs picking on and a selection.
    rig.prefs.SetOption(OptionWord::kGeneral, kStarted, OptionState::kOff);
    EXPECT_FALSE(rig.Enabled(cmd::kCopyColor));
    rig.prefs.SetOption(OptionWord::kGeneral, kStarted, OptionState::kOn);
    EXPECT_TRUE(rig.Enabled(cmd::kCopyColor));
}

TEST(CViewColsTest, AddInsertsTheLiveSampleBeforeTheSelection) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(2);
    rig.Colors().Sample().SetColor(MakeRgb(0xAA, 0xBB, 0xCC));
    view.SetSelection(0);
    rig.frame->ExecuteCommand(cmd::kAddColor);
    EXPECT_EQ(view.ItemCount(), 3);
    EXPECT_EQ(view.ItemText(0, kColsColor), QStringLiteral("#AABBCC"));
    EXPECT_EQ(view.Selection(), 0);
    view.SetSelection(-1);
    rig.frame->ExecuteCommand(cmd::kAddColor);
    EXPECT_EQ(view.ItemText(3, kColsColor), QStringLiteral("#AABBCC"));
    EXPECT_EQ(view.Selection(), 3);
}

TEST(CViewColsTest, RowsComeAndGoAtTheColorsIndex) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(3);
    QSignalSpy inserted(view.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(view.model(), &QAbstractItemModel::rowsRemoved);
    CColPick sample(CColPick::StampNow(rig.clock));
    sample.SetColor(MakeRgb(0xAA, 0xBB, 0xCC));
    rig.Colors().InsertColor(1, sample);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    EXPECT_EQ(view.ItemText(1, kColsColor), QStringLiteral("#AABBCC"));
    rig.Colors().RemoveColor(2);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(view.ItemCount(), 3);
}

TEST(CViewColsTest, CopiesAndTheirFailure) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(2);
    view.SetSelection(1);
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("#14EB07"));
    rig.frame->ExecuteCommand(cmd::kCopyAllColors);
    EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("#00FF07\r\n#14EB07\r\n"));
    rig.Colors().Sample().SetColor(MakeRgb(1, 2, 3));
    rig.frame->ExecuteCommand(cmd::kCopyLiveColor);
    EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("#010203"));
    EXPECT_TRUE(rig.dialogs.Messages().empty());

    constexpr std::uint32_t kAccessDenied = 5;
    rig.clipboard.FailWith(kAccessDenied);
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kError);
    EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("#010203"));

    // The properties window copies one row's value or every row.
    rig.clipboard.FailWith(0);
    rig.frame->ExecuteCommand(cmd::kColorProperties);
    CDlgColProps* props = view.PropertiesWindow();
    ASSERT_NE(props, nullptr);
    props->List()->setCurrentIndex(props->List()->model()->index(2, 0));
    EXPECT_TRUE(props->CopySelectedProperty());
    EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("14EB07"));
    EXPECT_TRUE(props->CopyAllProperties());
    const std::string all = rig.clipboard.Text().value_or("");
    EXPECT_EQ(all.rfind("Index\t2\r\nRGB\t20, 235, 7\r\n", 0), 0u) << all;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 13);
    rig.clipboard.FailWith(kAccessDenied);
    std::uint32_t error = 0;
    EXPECT_FALSE(props->CopyAllProperties(&error));
    EXPECT_EQ(error, kAccessDenied);
}

TEST(CViewColsTest, PropertiesWithoutSelectionClosesTheWindow) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(1);
    rig.frame->ExecuteCommand(cmd::kColorProperties);
    ASSERT_NE(view.PropertiesWindow(), nullptr);
    EXPECT_TRUE(view.PropertiesWindow()->isVisible());
    view.SetSelection(-1);
    view.ShowProperties();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.PropertiesWindow() == nullptr || !view.PropertiesWindow()->isVisible());
}

TEST(CViewColsTest, EditWithoutChangesLeavesTheEntryAlone) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.Add(MakeRgb(128, 128, 128));
    const CColPick before = rig.Colors().GetAt(0);
    test::NotifyCounter counter;
    rig.notify.Register(&counter);
    struct Case {
        const char* what;
        std::function<int(CDlgEditColor&)> run;
    };
    const Case cases[] = {
        {"OK at once", [](CDlgEditColor&) { return QDialog::Accepted; }},
        {"slider away and back",
         [](CDlgEditColor& d) {
             QSlider* l = d.Slider(CDlgEditColor::kLuminosity);
             const int start = l->value();
             l->setValue(start + 7);
             EXPECT_NE(d.State().NewColor(), MakeRgb(128, 128, 128));
             EXPECT_EQ(d.Spin(CDlgEditColor::kLuminosity)->value(), start + 7);
             l->setValue(start);
             return QDialog::Accepted;
         }},
        {"spin away then Reset",
         [](CDlgEditColor& d) {
             d.Spin(CDlgEditColor::kHue)->setValue(10);
             d.Spin(CDlgEditColor::kSaturation)->setValue(200);
             d.ResetAll();
             return QDialog::Accepted;
         }},
        {"changed then cancelled",
         [](CDlgEditColor& d) {
             d.SetComponent(CDlgEditColor::kSaturation, 240);
             return QDialog::Rejected;
         }},
    };
    for (const Case& c : cases) {
        view.SetSelection(0);
        view.SetEditRunner(c.run);
        rig.frame->ExecuteCommand(cmd::kEditColor);
        EXPECT_EQ(rig.Colors().GetAt(0), before) << c.what;
        EXPECT_EQ(counter.Count(ViewNotify::kColorChanged), 0) << c.what;
    }
    rig.notify.Unregister(&counter);
}

TEST(CViewColsTest, EditAppliesAChangedColor) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.Add(MakeRgb(255, 0, 0));
    view.SetSelection(0);
    QString oldText, newText, caption;
    view.SetEditRunner([&](CDlgEditColor& d) {
        caption = d.windowTitle();
        EXPECT_EQ(d.Slider(CDlgEditColor::kHue)->tickInterval(), 20);
        EXPECT_EQ(d.Slider(CDlgEditColor::kHue)->maximum(), 240);
        d.Slider(CDlgEditColor::kLuminosity)->setValue(240);
        oldText = d.OldText()->text();
        newText = d.NewText()->text();
        EXPECT_EQ(d.NewTile()->Color(), MakeRgb(255, 255, 255));
        // The single reset puts one component back.
        d.ResetComponent(CDlgEditColor::kLuminosity);
        EXPECT_EQ(d.Spin(CDlgEditColor::kLuminosity)->value(), 120);
        d.SetComponent(CDlgEditColor::kHue, 80);
        return QDialog::Accepted;
    });
    rig.frame->ExecuteCommand(cmd::kEditColor);
    EXPECT_EQ(caption, QStringLiteral("Edit Color #1"));
    EXPECT_EQ(oldText, QStringLiteral("#FF0000"));
    EXPECT_EQ(newText, QStringLiteral("#FFFFFF"));
    EXPECT_EQ(rig.Colors().GetAt(0).Color(), MakeRgb(0, 255, 0));
    EXPECT_EQ(rig.Colors().GetAt(0).Version(), 2);
    EXPECT_EQ(view.ItemText(0, kColsColor), QStringLiteral("#00FF00"));
}

TEST(CViewColsTest, EditTakesATypedColorExactlyAndRefusesNonsense) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.Add(MakeRgb(255, 0, 0));
    view.SetSelection(0);
    view.SetEditRunner([](CDlgEditColor& d) {
        QLineEdit* text = d.NewText();
        EXPECT_FALSE(text->isReadOnly());
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("nonsense"));
        d.accept();  // refused: the dialog stays open and says why
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.TypedNote()->text().contains(QStringLiteral("\"nonsense\" is not a color")))
            << d.TypedNote()->text().toStdString();
        text->selectAll();
        // The 0..240 sliders cannot hold #1A5C9E; the typed color is kept whole.
        QTest::keyClicks(text, QStringLiteral("rgb(26 92 158 / 50%)"));
        EXPECT_EQ(d.NewTile()->Color(), MakeRgb(0x1A, 0x5C, 0x9E));
        EXPECT_EQ(text->text(), QStringLiteral("rgb(26 92 158 / 50%)"));  // as typed
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.TypedNote()->text().contains(QStringLiteral("alpha")));
        return d.result();
    });
    rig.frame->ExecuteCommand(cmd::kEditColor);
    EXPECT_EQ(rig.Colors().GetAt(0).Color(), MakeRgb(0x1A, 0x5C, 0x9E));
}

TEST(CViewColsTest, ToolbarTextsAndTileFollowPicking) {
    ColsRig rig;
    rig.AddColors(1);
    rig.Colors().Sample().SetColor(MakeRgb(0x10, 0x20, 0x30));
    rig.Colors().Sample().SetPosition({192, 96});
    rig.Colors().Sample().SetSourceTitle("Report - Writer");
    rig.prefs.SetLengthUnit(kInchRow);

    rig.frame->ExecuteCommand(cmd::kResumePicking);
    rig.notify.Send(ViewNotify::kTimerTick);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.Text(cmd::kPositionText), QStringLiteral("02: #102030 @ 2 , 1"));
    EXPECT_EQ(rig.Text(cmd::kWindowTitleText), QStringLiteral("Report - Writer"));
    EXPECT_EQ(rig.Toolbar()->Tile()->Color(), MakeRgb(0x10, 0x20, 0x30));

    rig.frame->ExecuteCommand(cmd::kPickingStopped);
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.Text(cmd::kPositionText), QStringLiteral("Start to enable"));
    EXPECT_EQ(rig.Text(cmd::kWindowTitleText), QString());
    EXPECT_EQ(rig.Toolbar()->Tile()->Color(), kNoColor);
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Disabled"));
}

TEST(CViewColsTest, StatusHintWhilePicking) {
    ColsRig rig;
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    rig.frame->SetActiveView(rig.View());
    struct Case {
        bool foreground;
        bool keyboard;
        const char* hint;
    };
    const Case cases[] = {
        {false, true, "Click here to activate NerimLens"},
        {true, false, "Move cursor outside this window"},
        {true, true, "Press Enter key to pick colors"},
    };
    for (const Case& c : cases) {
        rig.desktop.SetForeground(c.foreground ? rig.frame->NativeWindow() : kNoWindow);
        rig.keyboardAvailable = c.keyboard;
        rig.frame->RunIdleUpdate();
        EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QString::fromLatin1(c.hint));
    }
}

TEST(CViewColsTest, ReplaceAndGotoUseTheSelectedEntry) {
    ColsRig rig;
    CViewCols& view = *rig.View();
    rig.AddColors(2);
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    rig.desktop.FillRect({0, 0, 50, 50}, MakeRgb(5, 6, 7));
    rig.desktop.SetCursorPos({10, 10});
    rig.frame->Sampler().RefreshSample();
    view.SetSelection(0);
    rig.frame->ExecuteCommand(cmd::kCopyColor);
    EXPECT_EQ(rig.Colors().GetAt(0).Color(), MakeRgb(5, 6, 7));
    EXPECT_EQ(view.ItemText(0, kColsColor), QStringLiteral("#050607"));

    view.SetSelection(1);
    rig.frame->ExecuteCommand(cmd::kGotoColor);
    EXPECT_EQ(rig.desktop.CursorPos(), (Point{96, 48}));
}

TEST(CViewColsTest, PropertiesWindowKeepsItsPlace) {
    ColsRig rig;
    rig.AddColors(1);
    rig.frame->ExecuteCommand(cmd::kColorProperties);
    CDlgColProps* props = rig.View()->PropertiesWindow();
    ASSERT_NE(props, nullptr);
    props->setGeometry(120, 140, 500, 300);
    props->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const Rect placed = rig.prefs.WinState(kWinStateColorProperties).Placement().normalPosition;
    EXPECT_EQ(placed, (Rect{120, 140, 620, 440}));

    rig.frame->ExecuteCommand(cmd::kColorProperties);
    props = rig.View()->PropertiesWindow();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->geometry(), QRect(120, 140, 500, 300));
}

TEST(CViewColsTest, TilesPaintTheColorsInEveryMode) {
    struct Case {
        int command;
        bool gridLines;
    };
    const Case cases[] = {{cmd::kViewDetails, false},
                          {cmd::kViewDetails, true},
                          {cmd::kViewLargeIcons, true},
                          {cmd::kViewSmallIcons, false},
                          {cmd::kViewList, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " grid " << c.gridLines);
        ColsRig rig;
        if (c.gridLines) {
            rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines,
                                OptionState::kOn);
        } else {
            rig.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines,
                                OptionState::kOff);
        }
        rig.notify.Send(ViewNotify::kGridLinesChanged);
        rig.Add(MakeRgb(200, 10, 30));
        rig.Add(MakeRgb(10, 180, 90));
        rig.View()->SetSelection(-1);
        rig.frame->ExecuteCommand(c.command);
        CViewCols& view = *rig.View();
        QAbstractItemView* shown = c.command == cmd::kViewDetails
                                       ? static_cast<QAbstractItemView*>(&view)
                                       : static_cast<QAbstractItemView*>(view.TileView());
        const int column = c.command == cmd::kViewDetails ? kColsTile : kColsIndex;
        const QImage image = shown->viewport()->grab().toImage();
        for (int row = 0; row < 2; ++row) {
            const QRect item = shown->visualRect(view.model()->index(row, column));
            ASSERT_FALSE(item.isEmpty());
            const QColor expected = row == 0 ? QColor(200, 10, 30) : QColor(10, 180, 90);
            // Near the item's top left corner, clear of the number drawn in the middle.
            EXPECT_EQ(image.pixelColor(item.left() + 3, item.top() + 2), expected) << row;
            if (c.command != cmd::kViewDetails) {
                // The bottom right pixel is left for the grid lines when they are on.
                const QColor corner = image.pixelColor(item.right(), item.bottom());
                EXPECT_EQ(corner == expected, !c.gridLines) << row;
            }
        }
    }
}

TEST(CViewColsTest, AClickedItemIsTheWholeRowSelectedInEveryMode) {
    const int selectionCommands[] = {cmd::kEditCopy,       cmd::kGotoColor,   cmd::kEditColor,
                                     cmd::kEditDelete,     cmd::kMoveColorUp, cmd::kMoveColorDown,
                                     cmd::kColorProperties};
    for (const int mode :
         {cmd::kViewLargeIcons, cmd::kViewSmallIcons, cmd::kViewList, cmd::kViewDetails}) {
        SCOPED_TRACE(mode);
        ColsRig rig;
        rig.AddColors(3);
        rig.frame->ExecuteCommand(mode);
        CViewCols& view = *rig.View();
        view.SetSelection(-1);
        QAbstractItemView* shown = mode == cmd::kViewDetails
                                       ? static_cast<QAbstractItemView*>(&view)
                                       : static_cast<QAbstractItemView*>(view.TileView());
        const QRect item = shown->visualRect(view.model()->index(1, kColsIndex));
        ASSERT_FALSE(item.isEmpty());
        QTest::mouseClick(shown->viewport(), Qt::LeftButton, {}, item.center());

        EXPECT_EQ(view.Selection(), 1);
        EXPECT_TRUE(view.selectionModel()->isRowSelected(1, {}));
        for (const int id : selectionCommands) EXPECT_TRUE(rig.Enabled(id)) << id;
        rig.frame->ExecuteCommand(cmd::kEditCopy);
        EXPECT_EQ(rig.clipboard.Text(), std::optional<std::string>("#14EB07"));
        // Back in details the whole row shows selected.
        rig.frame->ExecuteCommand(cmd::kViewDetails);
        EXPECT_EQ(view.Selection(), 1);
        EXPECT_TRUE(view.selectionModel()->isRowSelected(1, {}));

        // A double-click opens the edit dialog on that entry.
        rig.frame->ExecuteCommand(mode);
        COLORREF edited = kNoColor;
        view.SetEditRunner([&](CDlgEditColor& dialog) {
            edited = dialog.State().OldColor();
            return QDialog::Rejected;
        });
        view.SetSelection(-1);
        QTest::mouseClick(shown->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(shown->viewport(), Qt::LeftButton, {}, item.center());
        EXPECT_EQ(edited, MakeRgb(20, 235, 7));
    }
}

TEST(CViewColsTest, TheNameColumnShowsBesideTheColorAndIsRemembered) {
    ColsRig rig;
    rig.Add(MakeRgb(0xFF, 0x63, 0x47));  // tomato
    rig.Add(MakeRgb(0xFF, 0x63, 0x48));
    EXPECT_TRUE(rig.View()->isColumnHidden(kColsName));
    EXPECT_EQ(rig.frame->UpdateCommand(cmd::kColorNameColumn).CheckState(), CCmdUI::kUnchecked);

    rig.frame->ExecuteCommand(cmd::kColorNameColumn);
    CViewCols& view = *rig.View();
    ASSERT_FALSE(view.isColumnHidden(kColsName));
    EXPECT_EQ(rig.frame->UpdateCommand(cmd::kColorNameColumn).CheckState(), CCmdUI::kChecked);
    EXPECT_EQ(view.ItemText(0, kColsName), QStringLiteral("tomato"));
    EXPECT_EQ(view.ItemText(1, kColsName), QStringLiteral("\u2248 tomato"));
    const auto left = [&view](int column) {
        return view.visualRect(view.model()->index(0, column)).left();
    };
    EXPECT_LT(left(kColsColor), left(kColsName));
    EXPECT_LT(left(kColsName), left(kColsPosition));
    EXPECT_GT(view.columnWidth(kColsName), 40);
    EXPECT_EQ(rig.prefs.Side().Get("colors.nameColumn"), "1");

    // The view made for the tool next time shows it too; hiding it again is remembered.
    rig.frame->ExecuteCommand(cmd::kToolMagnifier);
    rig.frame->ExecuteCommand(cmd::kToolColorPicker);
    ASSERT_NE(rig.View(), nullptr);
    EXPECT_FALSE(rig.View()->isColumnHidden(kColsName));
    rig.frame->ExecuteCommand(cmd::kColorNameColumn);
    EXPECT_TRUE(rig.View()->isColumnHidden(kColsName));
    EXPECT_EQ(rig.prefs.Side().Get("colors.nameColumn"), std::nullopt);
}

}  // namespace
}  // namespace nl
