// The main window's global hot keys and its notification icon with the start-up balloon.
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <string>
#include <string_view>

#include "app/qt/CMainFrame.h"
#include "app/qt/CTrayItem.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/hot_keys.h"
#include "framework/qt/CCommandBinder.h"
#include "platform/IDialogs.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"
#include "res/version.h"
#include "ui/qt/svg_icons.h"

namespace nl {
namespace {

// Limits of the notification icon's texts.
constexpr int kTrayTipMax = 127;
constexpr int kBalloonTitleMax = 63;
constexpr int kBalloonTextMax = 255;

// The program's description with its first " - " turned into a line break.
std::string TrayToolTip() {
    constexpr std::string_view kDash = " - ";
    const std::string_view description = kFileDescription;
    const std::size_t dash = description.find(kDash);
    if (dash == std::string_view::npos) return std::string(description);
    return std::string(description.substr(0, dash)) + "\n" +
           std::string(description.substr(dash + kDash.size()));
}

}  // namespace

void CMainFrame::RegisterHotKeysAndTray() {
    const AppSettings& s = m_context.prefs.Settings();
    const std::vector<std::uint32_t> table = m_context.prefs.HotKeyTable();
    const HotKeyErrors errors = RegisterAllHotKeys(m_context.hotKeys, table);
    m_context.hotKeys.SetListener([this](int id) { OnHotKey(id); });
    const bool listAlways = HasBit(s.displayOptions, AppSettings::kDisplayHotKeyBalloon);
    const StartupHotKeyList list = BuildStartupHotKeyList(table, errors, listAlways);

    // The notification icon with its tool tip, menu and clicks.
    m_tray->SetToolTip(ToQt(TrayToolTip()).left(kTrayTipMax));
    m_binder->BuildPopupMenu(m_trayMenu, res::kMenuTray);
    for (QAction* action : m_trayMenu->actions()) {
        if (CCommandBinder::CommandOf(action) != 0) {
            m_trayMenu->setDefaultAction(action);
            break;
        }
    }
    m_tray->SetMenu(m_trayMenu);
    m_tray->SetClickHandler(
        [this](QSystemTrayIcon::ActivationReason reason) { OnTrayActivated(reason); });
    if (m_iconId == 0) {
        m_iconId = s.PickingStarted() ? res::kIconStarted : res::kIconStopped;
        setWindowIcon(IconFromSvg(m_iconId));
    }
    ShowTrayIcon(IconFromSvg(m_iconId));

    // The start-up balloon: at a hidden start that lists the hot keys, or when a hot key
    // could not be registered.
    const bool hiddenStart = listAlways && !m_context.prefs.WinState(kWinStateMainFrame).IsOpen();
    if (list.showBalloon || hiddenStart) {
        m_balloonText = ToQt(LoadString(kIdsApplicationStarted) + list.text).left(kBalloonTextMax);
        const QString title = (QString::fromUtf8(kProductName) + QLatin1Char(' ') +
                               QString::fromUtf8(kProductVersionText))
                                  .left(kBalloonTitleMax);
        m_tray->SetPendingBalloon(title, m_balloonText);
    }
    m_tray->Add();
}

void CMainFrame::OnHotKey(int id) {
    // A hot key pressed while the previous one is still being handled is dropped.
    if (m_inHotKey) return;
    m_inHotKey = true;
    const bool started = m_context.prefs.Settings().PickingStarted();
    const PickingStart start =
        m_context.desktop.FollowsPointer() ? PickingStart::kAsk : PickingStart::kAtOnce;
    const HotKeyAction action = ActionForHotKey(id, started, start);
    if (action.askResumePicking) {
        const MsgAnswer answer =
            m_context.dialogs.MessageBox(LoadString(kIdsResumePicking), LoadString(kIdsAppTitle),
                                         MsgButtons::kYesNo, MsgIcon::kQuestion);
        if (answer == MsgAnswer::kYes)
            ExecuteCommand(static_cast<int>(kCmdResumePicking), PickOrigin::kKey);
    } else if (action.command != 0) {
        ExecuteCommand(static_cast<int>(action.command), PickOrigin::kKey);
    }
    m_inHotKey = false;
}

void CMainFrame::OnTrayActivated(int reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    QAction* first = m_trayMenu->defaultAction();
    // Shift+click runs the first item at once.
    if (first && QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier)) {
        ExecuteCommand(CCommandBinder::CommandOf(first));
        return;
    }
    if (isVisible()) {
        raise();
        activateWindow();
    }
    m_binder->UpdateMenu(m_trayMenu);
    m_trayMenu->popup(QCursor::pos());
}

void CMainFrame::ShowTrayIcon(const QIcon& pixels) {
    // The program's own icon is in the icon theme once installed, under the launcher's icon
    // name; the picking icon shows a state no theme knows, and goes as pixels.
    m_tray->SetIcon(
        pixels, m_iconId == res::kIconStopped ? QString::fromUtf8(kDesktopIconName) : QString());
}

}  // namespace nl
