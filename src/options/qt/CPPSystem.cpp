#include "options/qt/CPPSystem.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"
#include "platform/IShell.h"

namespace nl {
namespace {

QString Text(std::size_t row) {
    return QString::fromStdString(LoadStringRow(kIdsMaintenancePageTexts, row));
}

}  // namespace

CPPSystem::CPPSystem(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent),
      m_configureUpdates(new QPushButton(Text(kConfigureUpdates))),
      m_checkForUpdates(new QPushButton(Text(kCheckForUpdates))),
      m_backUp(new QPushButton(Text(kBackUp))),
      m_restore(new QPushButton(Text(kRestore))),
      m_openLocation(new QPushButton(Text(kOpenFileLocation))) {
    m_configureUpdates->setObjectName("configureUpdates");
    m_checkForUpdates->setObjectName("checkForUpdates");
    m_backUp->setObjectName("backUp");
    m_restore->setObjectName("restore");
    m_openLocation->setObjectName("openFileLocation");

    auto* updates = new QGroupBox(Text(kUpdates), this);
    auto* updatesLayout = new QVBoxLayout(updates);
    updatesLayout->addWidget(m_configureUpdates);
    updatesLayout->addWidget(m_checkForUpdates);
    auto* data = new QGroupBox(Text(kDataFileGroup), this);
    auto* dataLayout = new QVBoxLayout(data);
    dataLayout->addWidget(m_backUp);
    dataLayout->addWidget(m_restore);
    dataLayout->addWidget(m_openLocation);
    // Made and bound like the others, never shown.
    m_openLocation->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(updates);
    layout->addWidget(data);
    layout->addStretch();
    for (QPushButton* button :
         {m_configureUpdates, m_checkForUpdates, m_backUp, m_restore, m_openLocation})
        button->setAutoDefault(false);

    connect(m_configureUpdates, &QPushButton::clicked, this,
            [this] { m_host.ExecuteCommand(cmd::kUpdaterSettings); });
    connect(m_checkForUpdates, &QPushButton::clicked, this,
            [this] { m_host.ExecuteCommand(cmd::kCheckForUpdates); });
    connect(m_backUp, &QPushButton::clicked, this, &CPPSystem::BackUp);
    connect(m_restore, &QPushButton::clicked, this, &CPPSystem::Restore);
    connect(m_openLocation, &QPushButton::clicked, this, &CPPSystem::OpenFileLocation);
}

void CPPSystem::LoadData() {
    FillControls([this] { UpdateUpdaterButtons(); });
}

void CPPSystem::UpdateUpdaterButtons() {
    const auto follow = [this](QPushButton* button, int command) {
        const CCmdUI state = m_host.UpdateCommand(command);
        button->setEnabled(state.Enabled());
        AddToolTip(button,
                   state.ToolTip() ? *state.ToolTip() : SplitPrompt(LoadString(command)).prompt);
    };
    follow(m_configureUpdates, cmd::kUpdaterSettings);
    follow(m_checkForUpdates, cmd::kCheckForUpdates);
}

void CPPSystem::showEvent(QShowEvent* event) {
    if (!m_resolved) {
        m_resolved = true;
        ResolveDataFile();
    }
    CPPParent::showEvent(event);
}

void CPPSystem::ResolveDataFile() {
    try {
        m_dataFile = m_context.prefs.DataFilePath();
    } catch (const CSystemError& e) {
        m_dataFile.clear();
        ShowWarning(e.Message());
    }
    for (QPushButton* button : {m_backUp, m_restore, m_openLocation})
        button->setEnabled(!m_dataFile.empty());
}

void CPPSystem::BackUp() {
    m_context.prefs.BackUp();
}

void CPPSystem::Restore() {
    if (m_context.prefs.Restore() != DataRestoreResult::kExitRequested) return;
    // The normal exit: the document's save question may still keep the program running,
    // then with its settings no longer written.
    m_host.ExecuteCommand(cmd::kAppExit);
}

void CPPSystem::OpenFileLocation() {
    if (m_dataFile.empty()) return;
    const std::string folder = std::filesystem::path(m_dataFile).parent_path().string();
    if (const std::uint32_t code = m_context.shell.OpenFile(folder))
        ShowWarning(FormatSystemError(code, folder));
}

}  // namespace nl
