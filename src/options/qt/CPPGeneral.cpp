#include "options/qt/CPPGeneral.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "options/option_rules.h"
#include "options/qt/CRangeSpinBox.h"

namespace nl {
namespace {

// How far the controls that depend on "Normal" are indented under it, in pixels.
constexpr int kDependentIndent = 20;

QString Text(std::size_t row) {
    return QString::fromStdString(LoadStringRow(kIdsGeneralPageTexts, row));
}

OptionState StateOf(const QAbstractButton* button) {
    return button->isChecked() ? OptionState::kOn : OptionState::kOff;
}

}  // namespace

CPPGeneral::CPPGeneral(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent),
      m_runAtStartup(new QCheckBox(Text(kRunAtStartup), this)),
      m_none(new QRadioButton(Text(kNone))),
      m_normal(new QRadioButton(Text(kNormal))),
      m_autoLoad(new QCheckBox(Text(kAutoLoad))),
      m_autoSave(new QCheckBox(Text(kAutoSave))),
      m_recentLabel(new QLabel(Text(kRecentDocuments))),
      m_recent(new CRangeSpinBox(kMinRecentDocuments, kMaxRecentDocuments)) {
    m_runAtStartup->setObjectName("runAtStartup");
    m_none->setObjectName("documentsNone");
    m_normal->setObjectName("documentsNormal");
    m_autoLoad->setObjectName("autoLoad");
    m_autoSave->setObjectName("autoSave");
    m_recent->setObjectName("recentDocuments");
    m_recentLabel->setBuddy(m_recent);

    auto* recentRow = new QHBoxLayout;
    recentRow->addWidget(m_recentLabel);
    recentRow->addWidget(m_recent);
    recentRow->addStretch();
    auto* dependent = new QVBoxLayout;
    dependent->setContentsMargins(kDependentIndent, 0, 0, 0);
    dependent->addWidget(m_autoLoad);
    dependent->addWidget(m_autoSave);
    dependent->addLayout(recentRow);

    auto* group = new QGroupBox(Text(kDocumentManagement), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_none);
    groupLayout->addWidget(m_normal);
    groupLayout->addLayout(dependent);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_runAtStartup);
    layout->addWidget(group);
    layout->addStretch();

    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(m_runAtStartup), static_cast<QAbstractButton*>(m_none),
          static_cast<QAbstractButton*>(m_normal), static_cast<QAbstractButton*>(m_autoLoad),
          static_cast<QAbstractButton*>(m_autoSave)})
        connect(button, &QAbstractButton::toggled, this, [this] {
            UpdateEnabling();
            OnControlChanged();
        });
    connect(m_recent, &QSpinBox::textChanged, this, [this] { OnControlChanged(); });
}

void CPPGeneral::LoadData() {
    FillControls([this] {
        const AppSettings& settings = m_context.prefs.Settings();
        m_runAtStartup->setChecked(m_context.prefs.IsStartupShortcutEnabled());
        const bool normal =
            settings.HasOption(OptionWord::kGeneral, AppSettings::kGeneralKeepDocument);
        (normal ? m_normal : m_none)->setChecked(true);
        m_autoLoad->setChecked(
            settings.HasOption(OptionWord::kGeneral, AppSettings::kGeneralReopenDocument));
        m_autoSave->setChecked(
            settings.HasOption(OptionWord::kGeneral, AppSettings::kGeneralSaveWithoutAsking));
        m_recent->setValue(settings.recentFileCount);
        UpdateEnabling();
    });
}

bool CPPGeneral::SaveData() {
    const std::optional<int> recent =
        ParseIntInRange(m_recent->Text(), kMinRecentDocuments, kMaxRecentDocuments);
    if (!recent) {
        ShowWarning(IntRangeMessage(kMinRecentDocuments, kMaxRecentDocuments));
        m_recent->setFocus();
        m_recent->selectAll();
        return false;
    }
    if (!SaveStartupEntry()) return false;

    CAppPrefs& prefs = m_context.prefs;
    prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralKeepDocument, StateOf(m_normal));
    prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralReopenDocument, StateOf(m_autoLoad));
    prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralSaveWithoutAsking,
                    StateOf(m_autoSave));
    // The recent-file list takes its length at start-up.
    prefs.SetRecentFileCount(*recent);
    prefs.SetChanged();
    return true;
}

bool CPPGeneral::SaveStartupEntry() {
    CAppPrefs& prefs = m_context.prefs;
    const bool wanted = m_runAtStartup->isChecked();
    if (wanted == prefs.IsStartupShortcutEnabled()) return true;
    const std::uint32_t code =
        wanted ? prefs.CreateStartupShortcut() : prefs.RemoveStartupShortcut();
    if (code == 0) return true;
    ShowWarning(FormatSystemError(code, prefs.StartupShortcutPath()));
    return false;
}

void CPPGeneral::UpdateEnabling() {
    const bool normal = m_normal->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(m_autoLoad), static_cast<QWidget*>(m_autoSave),
                             static_cast<QWidget*>(m_recentLabel), static_cast<QWidget*>(m_recent)})
        control->setEnabled(normal);
}

}  // namespace nl
