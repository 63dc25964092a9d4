#include "ruler/qt/CDlgScale.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "base/StringTable.h"
#include "platform/IDialogs.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

constexpr int kControlFactor = 3080;
constexpr int kControlAutoPreview = 3082;

std::optional<int> ParseFactor(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

CDlgScale::CDlgScale(QWidget* parent, int startFactor, bool autoPreview, Hooks hooks,
                     IDialogs& dialogs)
    : QDialog(parent),
      m_hooks(std::move(hooks)),
      m_dialogs(dialogs),
      m_value(startFactor),
      m_start(startFactor),
      m_autoPreview(autoPreview) {
    setWindowTitle(ToQt(LoadString(kIdsScaleCaption)));
    auto* label = new QLabel(ToQt(LoadString(kIdsScaleFactor)), this);
    m_edit = new QSpinBox(this);
    m_edit->setObjectName(QString::number(kControlFactor));
    m_edit->setRange(kMinFactor, kMaxFactor);
    m_edit->setKeyboardTracking(true);
    m_edit->setAlignment(Qt::AlignRight);
    m_line = m_edit->findChild<QLineEdit*>();
    label->setBuddy(m_edit);
    auto* percent = new QLabel(ToQt(LoadString(kIdsScalePercent)), this);
    m_check = new QCheckBox(ToQt(LoadString(kIdsScaleAutoPreview)), this);
    m_check->setObjectName(QString::number(kControlAutoPreview));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_edit, 1);
    row->addWidget(percent);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_check);
    layout->addWidget(buttons);

    LoadData();
    // Typing and the arrows both change the text.
    connect(m_edit, &QSpinBox::textChanged, this,
            [this](const QString& text) { OnTextEdited(text); });
    connect(m_check, &QCheckBox::clicked, this, [this] { OnCheckClicked(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgScale::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgScale::reject);
}

void CDlgScale::LoadData() {
    QSignalBlocker block(m_edit);
    m_edit->setValue(m_value);
    m_line->setText(QString::number(m_value));
    m_check->setChecked(m_autoPreview);
}

bool CDlgScale::SaveData() {
    const std::optional<int> value = ParseFactor(m_line->text());
    if (!value || *value < kMinFactor || *value > kMaxFactor) {
        m_dialogs.MessageBox(FormatString(kIdpParseIntRange,
                                          {std::to_string(kMinFactor), std::to_string(kMaxFactor)}),
                             LoadString(kIdsAppTitle), MsgButtons::kOk, MsgIcon::kWarning);
        m_edit->setFocus();
        m_edit->selectAll();
        return false;
    }
    m_value = *value;
    m_autoPreview = m_check->isChecked();
    if (m_hooks.storeAutoPreview) m_hooks.storeAutoPreview(m_autoPreview);
    return true;
}

void CDlgScale::OnTextEdited(const QString& text) {
    if (!m_autoPreview) return;
    const std::optional<int> value = ParseFactor(text);
    if (!value || *value < kMinFactor || *value > kMaxFactor) return;
    m_value = *value;
    if (m_hooks.apply) m_hooks.apply(m_value);
}

void CDlgScale::OnCheckClicked() {
    if (!SaveData()) {
        LoadData();
        return;
    }
    if (m_autoPreview && m_hooks.apply) m_hooks.apply(m_value);
}

void CDlgScale::accept() {
    if (!SaveData()) return;
    if (m_hooks.apply) m_hooks.apply(m_value);
    QDialog::accept();
}

void CDlgScale::reject() {
    if (m_autoPreview && m_value != m_start && m_hooks.apply) m_hooks.apply(m_start);
    QDialog::reject();
}

}  // namespace nl
