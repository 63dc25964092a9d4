// The main window's command handlers: the tools, the window and bar commands, the display
// and option toggles, picking and exit.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <utility>

#include "app/qt/CMainFrame.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/monitor_layout.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "overlay/edge_snap.h"
#include "overlay/qt/CFrozenScreen.h"
#include "platform/IDialogs.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "ui/qt/CStatusBarEx.h"
#include "ui/qt/CToolBarEx.h"

namespace nl {
namespace {

// The delayed pick's countdown in the status bar's hint pane, painted at once. The window
// takes no input meanwhile.
class StatusCountdown final : public IPickCountdown {
public:
    explicit StatusCountdown(CStatusBarEx& bar) : m_bar(bar) {}
    void ShowCountdown(const std::string& text) override {
        m_bar.SetHint(QString::fromStdString(text));
        m_bar.repaint();
    }
    void Wait(int milliseconds) override {
        // No events run meanwhile: the idle update would replace the countdown's text.
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }

private:
    CStatusBarEx& m_bar;
};

// One line of a "first\nsecond" string.
std::string Line(std::uint32_t id, bool second) {
    const PromptAndTip parts = SplitPrompt(LoadString(id));
    return second ? parts.tip : parts.prompt;
}

}  // namespace

// --- commands ---------------------------------------------------------------------------

void CMainFrame::AddHandlers() {
    AddToolHandlers();

    AddCommand(cmd::kShow, [this] {
        if (!isVisible()) {
            m_context.prefs.WinState(kWinStateMainFrame).SetOpen(true);
            m_context.prefs.SetChanged();
        }
        ShowAndActivate();
    });
    AddCommand(cmd::kShowHide, [this] { ShowHide(); });
    AddUpdate(cmd::kShowHide, [this](CCmdUI& ui) { ui.SetText(Line(kIdsShowHide, isVisible())); });

    AddCommand(cmd::kStayOnTop, [this] { StayOnTop(); });
    AddUpdate(cmd::kStayOnTop, [this](CCmdUI& ui) {
        ui.SetCheck(windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? CCmdUI::kChecked
                                                                     : CCmdUI::kUnchecked);
    });
    AddCommand(cmd::kArrange, [this] { Arrange(); });

    // Snapping of the Gauge's and the Screen Copier's drags: each command changes the setting
    // for the next overlay.
    const auto change = [this](auto edit) {
        SnapSetting setting = StoredSnapSetting(m_context.prefs);
        edit(setting);
        StoreSnapSetting(m_context.prefs, setting);
    };
    const auto check = [](CCmdUI& ui, bool on) {
        ui.Enable(true);
        ui.SetCheck(on ? CCmdUI::kChecked : CCmdUI::kUnchecked);
    };
    AddCommand(cmd::kSnapToEdges, [change] { change([](SnapSetting& s) { s.on = !s.on; }); });
    AddUpdate(cmd::kSnapToEdges,
              [this, check](CCmdUI& ui) { check(ui, StoredSnapSetting(m_context.prefs).on); });
    AddCommand(cmd::kSnapSteepest, [change] {
        change([](SnapSetting& s) {
            s.mode = s.mode == EdgeMode::kSteepest ? EdgeMode::kNearest : EdgeMode::kSteepest;
        });
    });
    AddUpdate(cmd::kSnapSteepest, [this, check](CCmdUI& ui) {
        check(ui, StoredSnapSetting(m_context.prefs).mode == EdgeMode::kSteepest);
    });
    AddCommandRange(cmd::kSnapToleranceFirst, cmd::kSnapToleranceLast, [change](int id) {
        change(
            [id](SnapSetting& s) { s.tolerance = kSnapTolerances[id - cmd::kSnapToleranceFirst]; });
        return true;
    });
    AddUpdateRange(cmd::kSnapToleranceFirst, cmd::kSnapToleranceLast, [this](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetRadio(StoredSnapSetting(m_context.prefs).tolerance ==
                    kSnapTolerances[ui.Id() - cmd::kSnapToleranceFirst]);
    });

    AddCommand(cmd::kGridlines, [this] {
        m_context.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines);
    });
    AddCheckOnly(cmd::kGridlines, OptionWord::kDisplay, AppSettings::kDisplayGridLines);

    AddCommand(cmd::kViewToolbar, [this] { ToggleBar(m_toolBar, AppSettings::kDisplayToolbar); });
    AddUpdate(cmd::kViewToolbar, [this](CCmdUI& ui) {
        ui.SetCheck(m_toolBar->isVisibleTo(this) ? CCmdUI::kChecked : CCmdUI::kUnchecked);
    });
    AddCommand(cmd::kViewStatusBar,
               [this] { ToggleBar(m_statusBar, AppSettings::kDisplayStatusBar); });
    AddUpdate(cmd::kViewStatusBar, [this](CCmdUI& ui) {
        ui.SetCheck(m_statusBar->isVisibleTo(this) ? CCmdUI::kChecked : CCmdUI::kUnchecked);
    });

    AddToggle(cmd::kSounds, OptionWord::kSound, AppSettings::kSoundPlay);
    AddToggle(cmd::kShowWhileMeasuring, OptionWord::kGauge, AppSettings::kGaugeShowMainWindow);
    AddToggle(cmd::kShowGridWhileMeasuring, OptionWord::kGauge, AppSettings::kGaugeShowGrid);
    AddToggle(cmd::kIncludeOwnWindows, OptionWord::kScreenCopier,
              AppSettings::kCopierIncludeOwnWindows);
    AddToggle(cmd::kIncludeCursor, OptionWord::kScreenCopier, AppSettings::kCopierIncludeCursor);

    // Check marks of commands that the tools' views and the application carry out.
    AddCheckOnly(cmd::kFitToWindow, OptionWord::kScreenCopier, AppSettings::kCopierFitImages);
    AddCheckOnly(cmd::kStretchCopies, OptionWord::kMagnifier, AppSettings::kMagnifierStretchCopies);
    AddCheckOnly(cmd::kFollowRuler, OptionWord::kMagnifier, AppSettings::kMagnifierFollowRuler);
    AddCheckOnly(cmd::kAutoStop, OptionWord::kColorPicker, AppSettings::kPickerAutoStop);
    AddCheckOnly(cmd::kAutoCopy, OptionWord::kColorPicker, AppSettings::kPickerAutoCopy);

    AddUpdate(cmd::kZoomText, [this](CCmdUI& ui) {
        char text[16];
        std::snprintf(text, sizeof text, "%d%%", m_context.prefs.Settings().zoomFactor);
        ui.SetText(text);
    });
    AddUpdate(cmd::kColorCountPane, [this](CCmdUI& ui) {
        ui.SetText(std::to_string(m_context.doc.Colors().GetCount()));
    });

    AddCommand(cmd::kKeyboardIndicator, [this] {
        m_context.dialogs.MessageBox(LoadString(kIdsKeyboardIndicator), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kInformation);
    });
    AddUpdate(cmd::kKeyboardIndicator, [this](CCmdUI& ui) {
        const bool available =
            m_context.keyboardHelpersAvailable && m_context.keyboardHelpersAvailable();
        if (m_toolbarView) m_toolbarView->SetKeyboardIndicator(available);
        ui.Enable(true);
    });

    AddCommand(cmd::kAppExit, [this] { Exit(); });

    // Starting and stopping picking, and the one menu item that does whichever applies.
    AddCommand(cmd::kResumePicking, [this] { SetPickingStarted(true); });
    AddCommand(cmd::kPickingStopped, [this] { SetPickingStarted(false); });
    AddCommand(cmd::kTogglePicking, [this] {
        const bool started = m_context.prefs.Settings().PickingStarted();
        ExecuteCommand(started ? cmd::kPickingStopped : cmd::kResumePicking);
    });
    AddUpdate(cmd::kTogglePicking, [this](CCmdUI& ui) {
        const bool started = m_context.prefs.Settings().PickingStarted();
        ui.SetText(Line(kIdsTogglePicking, started));
    });

    // Picks of the color under the cursor, while picking runs.
    for (const int id : {cmd::kPickColor, cmd::kShiftEnterAction}) {
        AddCommand(id, [this, id] { RunPick(id, PickOrigin::kCommand); });
        AddUpdate(id,
                  [this](CCmdUI& ui) { ui.Enable(m_context.prefs.Settings().PickingStarted()); });
    }
}

void CMainFrame::SetPickingStarted(bool started) {
    m_context.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                              started ? OptionState::kOn : OptionState::kOff);
    ApplyPickingState();
}

bool CMainFrame::ApplyFrozenScreen(bool started) {
    CFrozenScreen& frozen = *m_frozen;
    if (!started || m_context.desktop.FollowsPointer()) {
        if (frozen.IsOpen()) {
            StackOverFrozenScreen(nullptr);
            frozen.Close();
        }
        return true;
    }
    if (frozen.IsOpen()) return true;
    std::string error;
    if (!frozen.Open(&error)) {
        m_context.dialogs.MessageBox(FormatString(kIdsCannotFreeze, {error}),
                                     LoadString(kIdsAppTitle), MsgButtons::kOk, MsgIcon::kWarning);
        return false;
    }
    // The main window and the tool windows stay above the picture, usable while picking: the
    // Magnifier and the panes show what the pointer is over, and Stop picking is at hand.
    const std::vector<QWidget*> pictures = frozen.Windows();
    StackOverFrozenScreen(pictures.empty() ? nullptr : pictures.front());
    return true;
}

void CMainFrame::StackOverFrozenScreen(QWidget* picture) {
    if (m_context.desktop.WindowRules().raisesOverFullScreen) {
        for (const OwnedWindow& window : m_windows)
            if (window.widget && window.widget->isVisible()) window.widget->raise();
        if (isVisible()) raise();
        return;
    }
    // A Wayland compositor keeps a window above a full-screen one only when that is its
    // parent, and floats a window with a parent when it is mapped: the main window (its tool
    // windows with it) is mapped again as the picture's child, and on its own once the
    // picture went. Over the picture it takes its default size, whatever size the tiling
    // gave it, so that it leaves most of the picture to pick from.
    if (!windowHandle()) return;
    const bool shown = isVisible();
    if (shown) hide();
    windowHandle()->setTransientParent(picture ? picture->windowHandle() : nullptr);
    if (picture) resize(DefaultSize());
    if (shown) show();
}

IPickCountdown& CMainFrame::Countdown() {
    if (!m_countdown) m_countdown = std::make_unique<StatusCountdown>(*m_statusBar);
    return *m_countdown;
}

void CMainFrame::HideForCapture() {
    m_hiddenForCapture.clear();
    for (const OwnedWindow& window : m_windows) {
        if (window.widget && window.widget->isVisible()) {
            m_hiddenForCapture.emplace_back(window.widget);
            window.widget->hide();
        }
    }
    if (isVisible()) {
        m_hiddenForCapture.emplace_back(this);
        hide();
    }
}

void CMainFrame::RestoreAfterCapture() {
    const std::vector<QPointer<QWidget>> hidden = std::exchange(m_hiddenForCapture, {});
    for (const QPointer<QWidget>& window : hidden) {
        if (window) window->show();
    }
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void CMainFrame::AddToolHandlers() {
    // One command per registered tool makes it the active tool; its item shows a radio mark
    // while it is.
    for (const CToolRegistry::Tool& tool : m_tools.Tools()) {
        const std::int32_t number = tool.tool;
        AddCommand(tool.command, [this, number] { SwitchTool(number); });
        AddUpdate(tool.command, [this, number](CCmdUI& ui) {
            ui.SetRadio(m_context.prefs.Settings().activeTool == number);
        });
    }
}

void CMainFrame::AddToggle(int id, OptionWord word, std::uint32_t bit) {
    AddCommand(id, [this, word, bit] { m_context.prefs.ToggleOption(word, bit); });
    AddUpdate(id, [this, word, bit](CCmdUI& ui) {
        ui.SetCheck(m_context.prefs.Settings().HasOption(word, bit) ? CCmdUI::kChecked
                                                                    : CCmdUI::kUnchecked);
    });
}

void CMainFrame::AddCheckOnly(int id, OptionWord word, std::uint32_t bit) {
    AddUpdate(id, [this, word, bit](CCmdUI& ui) {
        ui.SetCheck(m_context.prefs.Settings().HasOption(word, bit) ? CCmdUI::kChecked
                                                                    : CCmdUI::kUnchecked);
        // Still disabled while no view that carries the command out is shown.
        ui.Enable(RouteHasHandler(ui.Id()));
    });
}

// --- window commands --------------------------------------------------------------------

void CMainFrame::ShowHide() {
    const bool show = !isVisible();
    m_context.prefs.WinState(kWinStateMainFrame).SetOpen(show);
    m_context.prefs.SetChanged();
    if (show) {
        ShowAndActivate();
    } else {
        hide();
    }
}

void CMainFrame::ShowAndActivate() {
    show();
    raise();
    activateWindow();
}

void CMainFrame::StayOnTop() {
    m_context.prefs.ToggleOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop);
    ApplyTopmost(
        m_context.prefs.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop));
}

void CMainFrame::ApplyTopmost(bool topmost) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost);
    // The existing native window changes its state where the desktop can do that; Qt's own
    // record of the flags follows without recreating the window (it maps the window with
    // them the next time it is shown).
    if (testAttribute(Qt::WA_WState_Created) && windowHandle() &&
        m_context.desktop.SetStaysOnTop(NativeWindow(),
                                        topmost ? StaysOnTop::kOn : StaysOnTop::kOff)) {
        overrideWindowFlags(flags);
        windowHandle()->setFlags(flags);
        return;
    }
    // Changing the flags takes the window off the screen; put it back where it was.
    const bool visible = isVisible();
    const QRect where = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    setGeometry(where);
    if (visible) show();
}

void CMainFrame::Arrange() {
    resize(DefaultSize());
    // Centering moves the whole window, frame included.
    const Rect centered =
        CenterOnWorkArea(DeviceRect(frameGeometry()), m_context.desktop.Monitors(),
                         m_context.desktop.VirtualScreen());
    move(LogicalPoint({centered.left, centered.top}));
    m_context.prefs.SetOption(OptionWord::kDisplay,
                              AppSettings::kDisplayToolbar | AppSettings::kDisplayStatusBar,
                              OptionState::kOn);
    m_toolBar->show();
    m_statusBar->show();
    m_context.prefs.SetChanged();
    if (!isVisible()) ShowHide();
    if (m_context.prefs.SetOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop,
                                  OptionState::kOn))
        ApplyTopmost(true);
}

void CMainFrame::ToggleBar(QWidget* bar, std::uint32_t bit) {
    bar->setVisible(!bar->isVisibleTo(this));
    m_context.prefs.SetOption(OptionWord::kDisplay, bit,
                              bar->isVisibleTo(this) ? OptionState::kOn : OptionState::kOff);
}

bool CMainFrame::PrepareExit() {
    if (m_exiting) return true;
    if (m_context.saveModified && !m_context.saveModified()) {
        // Saving stops short of an exit only after a restore, whose settings wait for the
        // next start: the user keeps working, told that nothing changed now is kept.
        if (m_context.prefs.IsSaveSuppressed())
            m_context.dialogs.MessageBox(LoadString(kIdsSettingsNoLongerSaved),
                                         LoadString(kIdsAppTitle), MsgButtons::kOk,
                                         MsgIcon::kWarning);
        return false;
    }
    m_exiting = true;
    m_context.prefs.Flush();
    m_context.prefs.SetSaveSuppressed(true);
    m_picking->Stop();
    return true;
}

void CMainFrame::Quit() {
    if (m_quit) {
        m_quit();
    } else {
        QCoreApplication::quit();
    }
}

void CMainFrame::Exit() {
    if (m_exiting || !PrepareExit()) return;
    close();
    Quit();
}

}  // namespace nl
