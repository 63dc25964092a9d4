// Shows one options page of the program on the real desktop for the end-to-end test, on the
// real platform services, with the program's main window as its host (hidden). It prints
// what the test needs to drive it and what happened, one line each on standard output:
//   cell ROW COLUMN X Y        the centre of a list's button cell (global coordinates)
//   control ID X Y             a point near the left edge of a control, half-way down
//   key TEXT                   the hot-key editor's key control now shows TEXT
//   hotkeys V0 V1 V2 V3        the hot key table after a change (hexadecimal)
//   command ID                 a command reached the end of the route (a hot key ran it)
//   sound RESOURCE             a sound was started
//   saved SOUNDOPTIONS S0 S1 S2 the page was saved (Apply)
// Usage: options_pages_host hotkeys|helpers [--hot-key ID=VALUE] [--sounds-off]
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>
#include <string>

#include "app/qt/CMainFrame.h"
#include "app/qt/tools.h"
#include "base/COleDateTime.h"
#include "capture/CCapturedImageStore.h"
#include "document/CDocApp.h"
#include "export/CPreviewFile.h"
#include "framework/CAppPrefs.h"
#include "framework/CCmdTarget.h"
#include "framework/CRecentFileList.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "options/qt/CHotKeyCtrl.h"
#include "options/qt/CListCtrlEx.h"
#include "options/qt/CPPHelpers.h"
#include "options/qt/CPPHotKeys.h"
#include "platform/ISound.h"
#include "platform/factory/PlatformServices.h"

namespace nl {
namespace {

constexpr int kControlClickX = 8;  // pixels from a control's left edge

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Tells each sound it starts, then plays it.
class LoggingSound final : public ISound {
public:
    explicit LoggingSound(ISound& real) : m_real(real) {}
    void PlayResource(int resourceId) override {
        Say("sound " + std::to_string(resourceId));
        m_real.PlayResource(resourceId);
    }
    void PlayWave(std::span<const std::uint8_t> wave) override { m_real.PlayWave(wave); }

private:
    ISound& m_real;
};

// The end of the command route: tells each command.
class LoggingTarget final : public CCmdTarget {
public:
    LoggingTarget() {
        AddCommandRange(1, 65535, [](int id) {
            Say("command " + std::to_string(id));
            return true;
        });
    }
};

class Forwarder final : public IViewNotifySink {
public:
    Forwarder(CPPParent& page, const CAppPrefs& prefs) : m_page(page), m_prefs(prefs) {}
    void OnViewNotify(ViewNotify type, std::intptr_t) override {
        m_page.OnViewNotify(static_cast<int>(type));
        if (type != ViewNotify::kHotKeysChanged) return;
        std::string line = "hotkeys";
        char value[16];
        for (const std::uint32_t v : m_prefs.HotKeys()) {
            std::snprintf(value, sizeof value, " 0x%X", v);
            line += value;
        }
        Say(line);
    }

private:
    CPPParent& m_page;
    const CAppPrefs& m_prefs;
};

std::string Centre(const QWidget& w, const QRect& r) {
    const QPoint c = w.mapToGlobal(r.center());
    return std::to_string(c.x()) + " " + std::to_string(c.y());
}

int Run(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool hotKeysPage = args.size() > 1 && args[1] == QStringLiteral("hotkeys");

    auto platform = PlatformServices::Create(PlatformKind::kReal);
    SystemClock clock;
    ViewNotifyHub notify;
    LoggingSound sound(platform->Sound());
    CAppPrefs prefs(PrefsServices{&platform->SettingsStore(), &platform->Folders(),
                                  &platform->Files(), &platform->Dialogs(), &clock},
                    &notify);
    prefs.SetRegistryKey();
    prefs.Initialize({});
    prefs.SetDefaults();
    for (int i = 2; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--hot-key") && i + 1 < args.size()) {
            const QStringList pair = args[++i].split('=');
            prefs.SetHotKey(pair.value(0).toInt(), pair.value(1).toUInt(nullptr, 0));
        } else if (args[i] == QStringLiteral("--sounds-off")) {
            prefs.SetOption(OptionWord::kSound, AppSettings::kSoundPlay, OptionState::kOff);
        }
    }
    CDocApp doc(clock, platform->Files(), &notify);
    CRecentFileList recentFiles(platform->SettingsStore(), prefs.Key(), 4);
    CPreviewFile preview(QDir::tempPath().toStdString() + "/nl-options-preview");
    LoggingTarget documentTarget, applicationTarget;
    CCapturedImageStore capturedImage;
    AppContext context{
        .prefs = prefs,
        .doc = doc,
        .recentFiles = recentFiles,
        .preview = preview,
        .notify = notify,
        .desktop = platform->Desktop(),
        .windowSystem = platform->WindowSystem(),
        .clipboard = platform->Clipboard(),
        .hotKeys = platform->HotKeys(),
        .sound = sound,
        .shell = platform->Shell(),
        .dialogs = platform->Dialogs(),
        .files = platform->Files(),
        .folders = platform->Folders(),
        .locale = platform->Locale(),
        .systemInfo = platform->SystemInfo(),
        .clock = clock,
        .capturedImage = capturedImage,
        .documentTarget = documentTarget,
        .applicationTarget = applicationTarget,
        .keyboardHelpersAvailable = [] { return false; },
        .saveModified = [] { return true; },
        .tickCount = [&clock] { return static_cast<std::uint64_t>(clock.TickCountMs()); }};
    CMainFrame frame(context, ProgramTools());
    frame.RegisterHotKeysAndTray();

    QWidget window;
    window.setWindowTitle(QStringLiteral("NerimLens options page"));
    CPPParent* page = hotKeysPage ? static_cast<CPPParent*>(new CPPHotKeys(context, frame, &window))
                                  : new CPPHelpers(context, frame, &window);
    auto* apply = new QPushButton(QStringLiteral("Apply"), &window);
    QObject::connect(apply, &QPushButton::clicked, [&] {
        page->SaveData();
        std::string line = "saved " + std::to_string(prefs.Settings().soundOptions);
        for (const std::uint32_t s : prefs.EventSounds()) line += " " + std::to_string(s);
        Say(line);
    });
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(page, 1);
    layout->addWidget(apply, 0, Qt::AlignRight);
    window.resize(hotKeysPage ? 420 : 520, 300);
    Forwarder forwarder(*page, prefs);
    notify.Register(&forwarder);

    // The key control of an editor that takes the focus tells its text.
    QObject::connect(&app, &QApplication::focusChanged, [](QWidget*, QWidget* now) {
        auto* key = qobject_cast<CHotKeyCtrl*>(now);
        if (!key || key->property("told").toBool()) return;
        key->setProperty("told", true);
        Say("key " + key->text().toStdString());
        QObject::connect(key, &QLineEdit::textChanged,
                         [](const QString& text) { Say("key " + text.toStdString()); });
    });

    window.show();
    QTimer::singleShot(500, [&] {
        const auto* list = page->findChild<CListCtrlEx*>();
        for (int row = 0; list && row < list->topLevelItemCount(); ++row)
            for (int column = 0; column < list->columnCount(); ++column)
                if (list->IsButtonColumn(column))
                    Say("cell " + std::to_string(row) + " " + std::to_string(column) + " " +
                        Centre(*list->viewport(), list->CellRect(row, column)));
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() && w != apply) continue;
            const std::string id = w == apply ? "apply" : w->objectName().toStdString();
            // Near the left edge: on a check box's box, inside a button.
            Say("control " + id + " " + Centre(*w, QRect(0, 0, kControlClickX * 2, w->height())));
        }
    });
    const int code = app.exec();
    notify.Unregister(&forwarder);
    return code;
}

}  // namespace
}  // namespace nl

int main(int argc, char** argv) {
    return nl::Run(argc, argv);
}
