#include "options/qt/CDlgHotKey.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/hot_keys.h"
#include "options/hot_key_edit.h"
#include "options/qt/CHotKeyCtrl.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

constexpr char kCaption[] = "NerimLens: Options: System: Edit Hot Key";
constexpr int kMinimumWidth = 360;  // pixels: the prompt wraps on about three lines

}  // namespace

CDlgHotKey::CDlgHotKey(IHotKeys& hotKeys, IDialogs& dialogs, int hotKeyId, std::uint32_t current,
                       std::uint32_t promptId, Registration registration, QWidget* parent)
    : QDialog(parent),
      m_hotKeys(hotKeys),
      m_dialogs(dialogs),
      m_id(hotKeyId),
      m_current(current),
      m_registration(registration) {
    setObjectName(QStringLiteral("editHotKey"));
    setWindowTitle(ToQt(kCaption));
    setMinimumWidth(kMinimumWidth);
    m_prompt = new QLabel(this);
    m_prompt->setObjectName(QString::number(kControlPrompt));
    m_prompt->setWordWrap(true);
    if (promptId != 0)
        m_prompt->setText(ToQt(LoadString(promptId)));
    else
        m_prompt->hide();
    m_key = new CHotKeyCtrl(this);
    m_key->setObjectName(QString::number(kControlHotKey));
    m_key->SetValue(current);
    m_heldNote = new QLabel(this);
    m_heldNote->setObjectName(QStringLiteral("heldNote"));
    m_heldNote->setWordWrap(true);
    m_heldNote->hide();
    connect(m_key, &CHotKeyCtrl::ValueChanged, m_heldNote, &QLabel::hide);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_key);
    layout->addWidget(m_heldNote);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgHotKey::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgHotKey::reject);
    m_key->setFocus();
}

CDlgHotKey::~CDlgHotKey() {
    ResumeHotKeys();
}

void CDlgHotKey::showEvent(QShowEvent* event) {
    // The program's own hot keys would never reach the key control.
    if (!m_suspended) {
        m_hotKeys.Suspend();
        m_hotKeys.SetTakenListener([this](std::uint32_t modifiers, std::uint32_t virtualKey) {
            ShowHeldElsewhere(modifiers, virtualKey);
        });
        m_suspended = true;
    }
    QDialog::showEvent(event);
}

void CDlgHotKey::ResumeHotKeys() {
    if (!m_suspended) return;
    m_suspended = false;
    m_hotKeys.SetTakenListener(nullptr);
    m_hotKeys.Resume();
}

void CDlgHotKey::ShowHeldElsewhere(std::uint32_t modifiers, std::uint32_t virtualKey) {
    m_heldNote->setText(ToQt(
        FormatString(kIdsHotKeyHeldElsewhere, {HotKeyText(MakeHotKey(modifiers, virtualKey))})));
    m_heldNote->show();
    // The note takes a line of its own: the dialog grows rather than squeezing the prompt.
    layout()->activate();
    const int wanted = hasHeightForWidth() ? heightForWidth(width()) : sizeHint().height();
    if (wanted > height()) resize(width(), wanted);
}

void CDlgHotKey::done(int result) {
    ResumeHotKeys();
    QDialog::done(result);
}

void CDlgHotKey::accept() {
    if (SaveData()) QDialog::accept();
}

bool CDlgHotKey::SaveData() {
    const std::uint32_t value = m_key->Value();
    switch (CheckHotKeyEdit(m_current, value)) {
        case HotKeyEdit::kKeep:
            return true;
        case HotKeyEdit::kRefuse:
            RefuseWith(LoadString(kIdsInvalidHotKey), MsgIcon::kWarning);
            return false;
        case HotKeyEdit::kRegister:
            break;
    }
    if (m_registration == Registration::kRegisterAtOnce) {
        if (const std::uint32_t error = SetHotKey(m_hotKeys, m_id, value)) {
            // The old key, which the settings still hold, keeps working.
            if (m_current != 0) SetHotKey(m_hotKeys, m_id, m_current);
            RefuseWith(FormatSystemError(error), MsgIcon::kWarning);
            return false;
        }
    }
    m_current = value;
    return true;
}

void CDlgHotKey::RefuseWith(const std::string& message, MsgIcon icon) {
    m_dialogs.MessageBox(message, LoadString(kIdsAppTitle), MsgButtons::kOk, icon);
    m_key->setFocus();
}

}  // namespace nl
