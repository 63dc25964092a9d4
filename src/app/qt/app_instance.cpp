// CApp's single instance: what a later start hands the first one (show yourself, open a
// document, or run a hot-key command given with --command) and how the first one raises its
// window for it.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/qt/CApp.h"
#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "framework/CDocCommands.h"
#include "framework/latency_trace.h"
#include "framework/program_options.h"
#include "platform/IFolders.h"
#include "platform/ISingleInstance.h"
#include "platform/IWindowSystem.h"

namespace nl {

namespace {

// The variable in which a launcher hands a started program on Wayland the permission to
// raise its window (the X11 startup id: kStartupIdVariable).
constexpr std::string_view kWaylandTokenVariable = kActivationTokenVariable;
// How often a handed document waiting for a modal dialog looks again.
constexpr int kHandedRequestRetryMs = 250;

}  // namespace

bool CApp::StartInstance(int& exitCode) {
    InstanceRequest request;
    request.command = m_startCommand;
    request.document = StartDocumentPath();
    request.activationToken =
        m_desktop->WindowRules().activatesByToken
            ? m_folders->Environment(kWaylandTokenVariable).value_or(std::string())
            : m_launcherStartupId.value_or(std::string());
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
        std::fprintf(stderr, "nerimlens: %s\n", CommandNotTakenMessage(m_startCommand).c_str());
    }
    return false;
}

void CApp::OnInstanceRequest(const InstanceRequest& request) {
    TraceLatency("request");
    if (!m_frame) return;
    // The launcher of the later start shows it busy until its start is complete, which it is
    // once this instance has the request: the X11 startup id is finished here (a Wayland
    // token is used up by the activation itself).
    if (!m_desktop->WindowRules().activatesByToken && !request.activationToken.empty()) {
        const std::string startupId = request.activationToken;
        QMetaObject::invokeMethod(
            this,
            [this, startupId] {
                if (m_frame)
                    m_platform->WindowSystem().FinishStartup(m_frame->NativeWindow(), startupId);
            },
            Qt::QueuedConnection);
    }
    if (!request.document.empty()) {
        // The window comes to the front at once, with the caller's permission; the document
        // opens from the event loop, after the request's connection is done with, since
        // the question to save the current document waits for the user.
        ShowFromAnotherStart(request.activationToken);
        m_handedRequests.push_back(request);
        QMetaObject::invokeMethod(
            this, [this] { OpenHandedDocuments(); }, Qt::QueuedConnection);
        return;
    }
    RunInstanceRequest(request);
}

void CApp::OpenHandedDocuments() {
    while (!m_handedRequests.empty()) {
        // A dialog that holds the program (a file chooser, a question) is answered first: a
        // document opened under it would be replaced or asked about out of turn.
        if (QApplication::activeModalWidget() != nullptr) {
            if (!m_handedRequestsTimer) {
                m_handedRequestsTimer = new QTimer(this);
                m_handedRequestsTimer->setSingleShot(true);
                connect(m_handedRequestsTimer, &QTimer::timeout, this,
                        [this] { OpenHandedDocuments(); });
            }
            m_handedRequestsTimer->start(kHandedRequestRetryMs);
            return;
        }
        InstanceRequest request = std::move(m_handedRequests.front());
        m_handedRequests.erase(m_handedRequests.begin());
        // As File > Open: the current document may be saved first, errors are reported.
        m_docCommands->OpenDocument(request.document);
        // The window is shown already: Show/Hide would only hide it again.
        if (!request.command.empty() && HotKeyIdOfCommand(request.command) != kHotKeyShowHide) {
            request.document.clear();
            request.activationToken.clear();
            RunInstanceRequest(request);
        }
    }
}

void CApp::RunInstanceRequest(const InstanceRequest& request) {
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
