#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

#include "platform/IDialogs.h"

class QLabel;

namespace nl {

class CHotKeyCtrl;
class IHotKeys;

// The editor of one hot key: a key-capture control (3085) and a prompt (3086, hidden without
// a prompt string). OK checks a key that differs from the current one (only F1 to F12, F1
// with a modifier, never Alt+F4; an empty value clears the hot key) and, when told to
// register at once, registers it; a refusal or a failed registration is shown and the dialog
// stays open with the focus on the key control. While the dialog is up the program's hot
// keys are suspended, so that their keys reach the control; a key that another program's
// grab takes away instead is named in a note below the control, until a key is typed.
class CDlgHotKey : public QDialog {
public:
    static constexpr int kControlHotKey = 3085;
    static constexpr int kControlPrompt = 3086;
    enum class Registration { kStoreOnly, kRegisterAtOnce };

    // `promptId` is a string id (0: no prompt).
    CDlgHotKey(IHotKeys& hotKeys, IDialogs& dialogs, int hotKeyId, std::uint32_t current,
               std::uint32_t promptId, Registration registration, QWidget* parent);
    ~CDlgHotKey() override;

    // The hot key: the one the dialog started with until OK stored a new one.
    std::uint32_t Value() const { return m_current; }
    CHotKeyCtrl* KeyControl() const { return m_key; }
    QLabel* Prompt() const { return m_prompt; }
    QLabel* HeldNote() const { return m_heldNote; }

    void accept() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads and checks the key control: false (after telling the user) when the dialog must
    // stay open.
    bool SaveData();
    void RefuseWith(const std::string& message, MsgIcon icon);
    void ResumeHotKeys();
    void ShowHeldElsewhere(std::uint32_t modifiers, std::uint32_t virtualKey);

    IHotKeys& m_hotKeys;
    IDialogs& m_dialogs;
    const int m_id;
    std::uint32_t m_current;
    const Registration m_registration;
    CHotKeyCtrl* m_key = nullptr;
    QLabel* m_prompt = nullptr;
    QLabel* m_heldNote = nullptr;
    bool m_suspended = false;
};

}  // namespace nl
