#pragma once
#include <QLineEdit>
#include <cstdint>

namespace nl {

// A key-capture field: pressing a key with its modifiers makes it the value, shown as the
// hot key text ("Ctrl + Alt + F12", "None" for no key). While only modifiers are held they
// show with a trailing separator ("Ctrl + Alt + "); releasing them without a key shows the
// value again. Backspace or Delete without modifiers clears the value. Tab, Escape and
// Enter without modifiers are left to the dialog. The value uses the hot key table's form
// (system modifier flags in the high 16 bits, the virtual key in the low 16 bits).
class CHotKeyCtrl : public QLineEdit {
    Q_OBJECT
public:
    explicit CHotKeyCtrl(QWidget* parent = nullptr);

    std::uint32_t Value() const { return m_value; }
    void SetValue(std::uint32_t value);

signals:
    void ValueChanged(std::uint32_t value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowValue();
    void ShowHeldModifiers(std::uint32_t modifiers);

    std::uint32_t m_value = 0;
};

}  // namespace nl
