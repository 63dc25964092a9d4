// CApp's single instance: what a later start hands the first one (show yourself, or run a
// hot-key command given with --command) and how the first one raises its window for it.
#include <QGuiApplication>
#include <cstdio>

#include "app/qt/CApp.h"
#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "framework/latency_trace.h"
#include "framework/program_options.h"
#include "platform/IFolders.h"
#include "platform/ISingleInstance.h"
#include "platform/IWindowSystem.h"

namespace nl {

namespace {

// The variables in which a launcher hands a started program the permission to raise its
// window: the Wayland activation token, the X11 startup id.
constexpr std::string_view kWaylandTokenVariable = "XDG_ACTIVATION_TOKEN";
constexpr std::string_view kStartupIdVariable = "DESKTOP_STARTUP_ID";

}  // namespace

bool CApp::StartInstance(int& exitCode) {
    InstanceRequest request;
    request.command = m_startCommand;
    const std::string_view tokenVariable =
        m_desktop->WindowRules().activatesByToken ? kWaylandTokenVariable : kStartupIdVariable;
    request.activationToken = m_folders->Environment(tokenVariable).value_or(std::string());
    m_instance->SetRequest(request);
    TraceLatency("instance");
    const InstanceRole role = m_instance->Start(kInstanceName);
    if (role == InstanceRole::kFirst) {
        m_instance->SetRequestListener(
            [this](const InstanceRequest& request) { OnInstanceRequest(request); });
        return true;
    }
    if (role == InstanceRole::kSecondShown) {
        exitCode = 0;
    } else if (m_startCommand.empty()) {
        std::fprintf(stderr, "nerimlens: the running instance did not answer\n");
    } else {
        std::fprintf(stderr, "nerimlens: the running instance did not take the command \"%s\"\n",
                     m_startCommand.c_str());
    }
    return false;
}

void CApp::OnInstanceRequest(const InstanceRequest& request) {
    TraceLatency("request");
    if (!m_frame) return;
    if (request.command.empty()) {
        ShowFromAnotherStart(request.activationToken);
        return;
    }
    const std::optional<int> id = HotKeyIdOfCommand(request.command);
    if (!id) return;
    const bool wasVisible = m_frame->isVisible();
    m_frame->OnHotKey(*id);
    // The window that Show/Hide brought back comes to the front with the caller's permission.
    if (*id == kHotKeyShowHide && !wasVisible && m_frame->isVisible())
        ActivateMainWindow(request.activationToken);
}

void CApp::RunStartCommand() {
    const std::optional<int> id = HotKeyIdOfCommand(m_startCommand);
    if (!id || !m_frame) return;
    // The program started for Show/Hide: the start itself is what the user wanted to see, so
    // the window is shown rather than toggled away again.
    if (*id == kHotKeyShowHide) {
        if (!m_frame->isVisible()) m_frame->ExecuteCommand(cmd::kShow);
        return;
    }
    m_frame->OnHotKey(*id);
}

void CApp::ShowFromAnotherStart(const std::string& activationToken) {
    if (!m_frame) return;
    if (!m_frame->isVisible()) {
        m_frame->ExecuteCommand(cmd::kShow);
    } else if (m_frame->isMinimized()) {
        m_frame->showNormal();
    }
    ActivateMainWindow(activationToken);
}

void CApp::ActivateMainWindow(const std::string& activationToken) {
    m_frame->raise();
    if (m_desktop->WindowRules().activatesByToken) {
        // A Wayland client raises its window only with an xdg-activation token, and Qt's
        // xdg-shell hands the token of this variable to the compositor when it makes a
        // window's surface, not when the window asks to be activated later: the window is
        // mapped afresh to carry the caller's token (compositors such as sway also focus a
        // window that is newly mapped).
        if (!activationToken.empty())
            qputenv(kWaylandTokenVariable.data(), QByteArray::fromStdString(activationToken));
        if (m_frame->isVisible()) {
            m_frame->hide();
            m_frame->show();
        }
        m_frame->activateWindow();
        return;
    }
    m_frame->activateWindow();
    // Qt's own request carries the program's last input time, which a window manager that
    // prevents focus stealing refuses; the user asked through another program.
    m_platform->WindowSystem().RequestActivation(m_frame->NativeWindow(),
                                                 StartupIdTime(activationToken));
}

}  // namespace nl
