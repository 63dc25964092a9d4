#pragma once
// Shared set-up of the widget tests: the program's context over the fake platform, with two
// command targets that stand for the document and the application and record what reaches
// them.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/qt/CMainFrame.h"
#include "app/qt/tools.h"
#include "base/command_ids.h"
#include "capture/CCapturedImageStore.h"
#include "document/CDocApp.h"
#include "export/CPreviewFile.h"
#include "framework/CAppPrefs.h"
#include "framework/CCmdTarget.h"
#include "framework/CRecentFileList.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CToolRegistry.h"
#include "framework/qt/CViewAppTB.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakeLocale.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/FakeWindowSystem.h"

namespace nl::test {

// A command target whose handlers record the commands they ran.
class RecordingTarget : public CCmdTarget {
public:
    // Handles `id`; `also` runs after the command is recorded.
    void Handle(int id, std::function<void()> also = {}) {
        AddCommand(id, [this, id, also] {
            commands.push_back(id);
            if (also) also();
        });
    }
    void HandleUpdate(int id, std::function<void(CCmdUI&)> handler) {
        AddUpdate(id, std::move(handler));
    }
    std::vector<int> commands;
};

// A clock whose tick count the test moves, from well past the start of the run.
class TestClock final : public FakeClock {
public:
    TestClock() : FakeClock(kNewYear2024, 10'000'000) {}
};

// Counts the notifications that reach the program's windows.
class NotifyCounter final : public IViewNotifySink {
public:
    void OnViewNotify(ViewNotify type, std::intptr_t) override { ++counts[type]; }
    int Count(ViewNotify type) const {
        const auto it = counts.find(type);
        return it == counts.end() ? 0 : it->second;
    }
    std::map<ViewNotify, int> counts;
};

inline const std::string kTestDataFile =
    "/fake/home/.local/share/Nerim Rirideviz/NerimLens/NerimLens.dat";

// The fakes, the settings (defaults, registry key set so that a flush writes the data file
// into the fake file system), the document and the context made of them.
struct GuiRig {
    FakeDesktop desktop{Rect{0, 0, 1280, 1024}};
    FakeWindowSystem windowSystem;
    FakeClipboard clipboard;
    FakeHotKeys hotKeys;
    FakeSound sound;
    FakeShell shell;
    FakeDialogs dialogs;
    FakeFileSystem files;
    FakeFolders folders;
    FakeLocale locale;
    FakeSystemInfo systemInfo;
    FakeSettingsStore store;
    TestClock clock;
    CAppPrefs prefs{PrefsServices{&store, &folders, &files, &dialogs, &clock}, &notify};
    ViewNotifyHub notify;
    CDocApp doc{clock, files, &notify};
    CRecentFileList recentFiles{store, "Software\\Nerim Rirideviz\\NerimLens", 4};
    QTemporaryDir tempDir;
    CPreviewFile preview{tempDir.path().toStdString()};
    CCapturedImageStore capturedImage{&notify};
    RecordingTarget documentTarget;
    RecordingTarget applicationTarget;
    bool keyboardAvailable = true;
    bool saveModifiedAnswer = true;
    int saveModifiedCalls = 0;

    AppContext context{.prefs = prefs,
                       .doc = doc,
                       .recentFiles = recentFiles,
                       .preview = preview,
                       .notify = notify,
                       .desktop = desktop,
                       .windowSystem = windowSystem,
                       .clipboard = clipboard,
                       .hotKeys = hotKeys,
                       .sound = sound,
                       .shell = shell,
                       .dialogs = dialogs,
                       .files = files,
                       .folders = folders,
                       .locale = locale,
                       .systemInfo = systemInfo,
                       .clock = clock,
                       .capturedImage = capturedImage,
                       .documentTarget = documentTarget,
                       .applicationTarget = applicationTarget,
                       .keyboardHelpersAvailable = [this] { return keyboardAvailable; },
                       .saveModified =
                           [this] {
                               ++saveModifiedCalls;
                               return saveModifiedAnswer;
                           },
                       .tickCount = [this] { return clock.tick; }};

    GuiRig() {
        prefs.SetRegistryKey();
        prefs.Initialize({});
        prefs.SetDefaults();
        prefs.ClearChanged();
    }
    const AppSettings& Settings() const { return prefs.Settings(); }
};

// A rig with its main window; the window's quit request is recorded instead of ending the
// test program.
struct FrameRig : GuiRig {
    std::unique_ptr<CMainFrame> frame;
    int quits = 0;
    // The tools the window offers; the program's when null.
    const CToolRegistry* tools = nullptr;

    void MakeFrame() {
        frame = std::make_unique<CMainFrame>(context, tools ? *tools : ProgramTools());
        frame->SetQuitHandler([this] { ++quits; });
    }
    ~FrameRig() {
        frame.reset();
        // Views taken out of the window are deleted from the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// The Gauge's form on a plain toolbar view with no main view: a tool whose views handle no
// command and give no hint of their own.
inline const CToolRegistry& BareGaugeTools() {
    static const CToolRegistry tools = [] {
        CToolRegistry registry;
        registry.AddTool({AppSettings::kToolGauge, cmd::kToolGauge, res::kMenuGauge,
                          res::kFormGauge,
                          [](AppContext& context, IViewHost& host, const ToolServices&) {
                              return ToolViews{new CViewAppTB(context, host, res::kFormGauge), {}};
                          }});
        return registry;
    }();
    return tools;
}

}  // namespace nl::test
