#include "options/qt/CHotKeyCtrl.h"

#include <QKeyEvent>

#include "framework/hot_keys.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/qt_keys.h"

namespace nl {

namespace {

constexpr char kHeldSeparator[] = " + ";

// X keyboards turn Ctrl+Alt+F1 .. F12 into the console-switch symbols XF86Switch_VT_1 .. 12,
// which Qt reports as no key; the native symbol tells which F-key it was.
constexpr quint32 kSwitchVt1 = 0x1008FE01;
constexpr quint32 kSwitchVt12 = 0x1008FE0C;

std::uint32_t VirtualKeyOf(const QKeyEvent& event) {
    if (const std::uint32_t vk = VirtualKeyFromQtKey(event.key(), event.modifiers())) return vk;
    const quint32 native = event.nativeVirtualKey();
    if (native >= kSwitchVt1 && native <= kSwitchVt12) return kVkF1 + (native - kSwitchVt1);
    return 0;
}

bool IsModifierKey(int key) {
    switch (key) {
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return true;
        default:
            return false;
    }
}

// The modifier a modifier key stands for; the event's own state may not include it yet.
Qt::KeyboardModifiers ModifierOfKey(int key) {
    switch (key) {
        case Qt::Key_Control:
            return Qt::ControlModifier;
        case Qt::Key_Shift:
            return Qt::ShiftModifier;
        case Qt::Key_Alt:
            return Qt::AltModifier;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return Qt::MetaModifier;
        default:
            return {};
    }
}

}  // namespace

CHotKeyCtrl::CHotKeyCtrl(QWidget* parent) : QLineEdit(parent) {
    // The text is ours: no context menu, no drops, no input method composing into it.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    ShowValue();
}

void CHotKeyCtrl::SetValue(std::uint32_t value) {
    m_value = value;
    ShowValue();
}

void CHotKeyCtrl::ShowValue() {
    setText(ToQt(HotKeyText(m_value)));
    setCursorPosition(static_cast<int>(text().size()));
}

void CHotKeyCtrl::ShowHeldModifiers(std::uint32_t modifiers) {
    if (modifiers == 0) {
        ShowValue();
        return;
    }
    setText(ToQt(HotKeyText(MakeHotKey(modifiers, 0)) + kHeldSeparator));
    setCursorPosition(static_cast<int>(text().size()));
}

bool CHotKeyCtrl::event(QEvent* event) {
    // Tab would otherwise be a key like any other; it moves the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
            // Shortcuts of the window (Alt+letter mnemonics, ...) never take a key from here.
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CHotKeyCtrl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (IsModifierKey(key)) {
        ShowHeldModifiers(SystemModifiersFromQt(held | ModifierOfKey(key)));
        return;
    }
    if (held == Qt::NoModifier) {
        switch (key) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                event->ignore();
                return;
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
                SetValue(0);
                emit ValueChanged(m_value);
                return;
            default:
                break;
        }
    }
    const std::uint32_t virtualKey = VirtualKeyOf(*event);
    if (virtualKey == 0) return;
    SetValue(MakeHotKey(SystemModifiersFromQt(held), virtualKey));
    emit ValueChanged(m_value);
}

void CHotKeyCtrl::keyReleaseEvent(QKeyEvent* event) {
    if (!IsModifierKey(event->key())) return;
    // The modifiers still held after this release, without a key: shown until one comes.
    const Qt::KeyboardModifiers still =
        event->modifiers() & ~Qt::KeypadModifier & ~ModifierOfKey(event->key());
    if (text() != ToQt(HotKeyText(m_value))) ShowHeldModifiers(SystemModifiersFromQt(still));
}

void CHotKeyCtrl::focusOutEvent(QFocusEvent* event) {
    ShowValue();
    QLineEdit::focusOutEvent(event);
}

}  // namespace nl
