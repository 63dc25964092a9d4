#include "options/qt/CDlgHotKey.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "base/CSystemError.h"
#include "base/string_ids.h"
#include "framework/hot_keys.h"
#include "gui_test_support.h"
#include "options/qt/CHotKeyCtrl.h"

namespace nl {
namespace {

constexpr std::uint32_t kVkF9 = 120;
constexpr std::uint32_t kVkF10 = 121;
constexpr std::uint32_t kVkF11 = 122;

struct DialogRig : test::GuiRig {
    std::unique_ptr<CDlgHotKey> dialog;
    void Open(std::uint32_t current, std::uint32_t promptId = kIdsHotKeyPrompt) {
        if (current != 0) SetHotKey(hotKeys, kHotKeyRuler, current);
        dialog = std::make_unique<CDlgHotKey>(hotKeys, dialogs, kHotKeyRuler, current, promptId,
                                              CDlgHotKey::Registration::kRegisterAtOnce, nullptr);
        dialog->show();
    }
    // The user presses `key` in the key control, then OK (the focus on OK meanwhile).
    void PressThenOk(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        if (key != Qt::Key_unknown) QTest::keyClick(dialog->KeyControl(), key, modifiers);
        auto* ok = dialog->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        ok->setFocus();
        dialog->accept();
    }
};

TEST(CDlgHotKeyTest, KeysAreCheckedRegisteredOrRefusedWithTheControlFocused) {
    const std::uint32_t ctrlF10 = MakeHotKey(kModControl, kVkF10);
    struct Case {
        const char* name;
        std::uint32_t current;
        Qt::Key key;  // Qt::Key_unknown: no key pressed
        Qt::KeyboardModifiers modifiers;
        bool takenByOther;  // Ctrl+F11 is held by another program
        std::string text;   // what the control shows after the key
        bool accepted;
        MsgIcon icon;  // of the message; kNone: no message
        std::string message;
        std::uint32_t registered;  // the key registered for the id afterwards
    };
    const Case cases[] = {
        {"Ctrl+Alt+F12", ctrlF10, Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier, false,
         "Ctrl + Alt + F12", true, MsgIcon::kNone, "", MakeHotKey(kModControl | kModAlt, kVkF12)},
        {"F1 alone is Help", ctrlF10, Qt::Key_F1, Qt::NoModifier, false, "F1", false,
         MsgIcon::kWarning, "Invalid hot key.", ctrlF10},
        {"Shift+F1", 0, Qt::Key_F1, Qt::ShiftModifier, false, "Shift + F1", true, MsgIcon::kNone,
         "", MakeHotKey(kModShift, kVkF1)},
        {"Alt+F4", ctrlF10, Qt::Key_F4, Qt::AltModifier, false, "Alt + F4", false,
         MsgIcon::kWarning, "Invalid hot key.", ctrlF10},
        {"Ctrl+Alt+F4", ctrlF10, Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier, false,
         "Ctrl + Alt + F4", false, MsgIcon::kWarning, "Invalid hot key.", ctrlF10},
        {"Ctrl+P", ctrlF10, Qt::Key_P, Qt::ControlModifier, false, "Ctrl + P", false,
         MsgIcon::kWarning, "Invalid hot key.", ctrlF10},
        {"held by another program", ctrlF10, Qt::Key_F11, Qt::ControlModifier, true, "Ctrl + F11",
         false, MsgIcon::kWarning, FormatSystemError(kErrorHotkeyAlreadyRegistered), ctrlF10},
        {"Backspace clears", ctrlF10, Qt::Key_Backspace, Qt::NoModifier, false, "None", true,
         MsgIcon::kNone, "", 0},
        // An unchanged key is not checked again, even one the editor would refuse.
        {"unchanged", MakeHotKey(kModControl, 'P'), Qt::Key_unknown, Qt::NoModifier, false,
         "Ctrl + P", true, MsgIcon::kNone, "", MakeHotKey(kModControl, 'P')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig rig;
        if (c.takenByOther) rig.hotKeys.SetTaken(kModControl, kVkF11);
        rig.Open(c.current);
        rig.PressThenOk(c.key, c.modifiers);
        EXPECT_EQ(rig.dialog->KeyControl()->text().toStdString(), c.text);
        EXPECT_EQ(rig.dialog->isVisible(), !c.accepted);
        EXPECT_EQ(rig.dialog->result(), c.accepted ? QDialog::Accepted : QDialog::Rejected);
        if (c.icon == MsgIcon::kNone) {
            EXPECT_TRUE(rig.dialogs.Messages().empty());
        } else {
            ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
            EXPECT_EQ(rig.dialogs.Messages()[0].text, c.message);
            EXPECT_EQ(rig.dialogs.Messages()[0].icon, c.icon);
            EXPECT_EQ(rig.dialog->focusWidget(), rig.dialog->KeyControl());
        }
        const auto key = rig.hotKeys.KeyOf(kHotKeyRuler);
        EXPECT_EQ(MakeHotKey(key.modifiers, key.virtualKey), c.registered);
        EXPECT_EQ(rig.dialog->Value(), c.accepted ? c.registered : c.current);
    }
}

TEST(CDlgHotKeyTest, HotKeysAreSuspendedWhileTheEditorIsUpAndThePromptIsOptional) {
    DialogRig rig;
    rig.Open(MakeHotKey(kModControl | kModAlt, kVkF9));
    EXPECT_TRUE(rig.hotKeys.IsSuspended());
    EXPECT_FALSE(rig.hotKeys.Press(kModControl | kModAlt, kVkF9));
    EXPECT_EQ(rig.dialog->windowTitle(), "NerimLens: Options: System: Edit Hot Key");
    EXPECT_TRUE(rig.dialog->Prompt()->isVisibleTo(rig.dialog.get()));
    EXPECT_TRUE(rig.dialog->Prompt()->text().startsWith("Define or cancel a hot key"));
    rig.dialog->reject();
    EXPECT_FALSE(rig.hotKeys.IsSuspended());
    EXPECT_TRUE(rig.hotKeys.Press(kModControl | kModAlt, kVkF9));

    DialogRig bare;
    bare.Open(0, 0);
    EXPECT_FALSE(bare.dialog->Prompt()->isVisibleTo(bare.dialog.get()));
    // Modifiers alone show with a separator until a key comes; released, the value is back.
    const auto send = [&](QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers held) {
        QKeyEvent event(type, key, held);
        QApplication::sendEvent(bare.dialog->KeyControl(), &event);
        return bare.dialog->KeyControl()->text().toStdString();
    };
    EXPECT_EQ(send(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier), "Ctrl + ");
    EXPECT_EQ(send(QEvent::KeyPress, Qt::Key_Alt, Qt::ControlModifier), "Ctrl + Alt + ");
    EXPECT_EQ(send(QEvent::KeyRelease, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier),
              "Ctrl + ");
    EXPECT_EQ(send(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier), "None");
    // X keyboards report Ctrl+Alt+F9 as the console switch symbol, which Qt names no key.
    constexpr quint32 kXf86SwitchVt9 = 0x1008FE09;
    QKeyEvent vt(QEvent::KeyPress, 0, Qt::ControlModifier | Qt::AltModifier, 0, kXf86SwitchVt9, 0);
    QApplication::sendEvent(bare.dialog->KeyControl(), &vt);
    EXPECT_EQ(bare.dialog->KeyControl()->Value(), MakeHotKey(kModControl | kModAlt, kVkF9));
    bare.dialog.reset();  // destroyed while shown: the keys come back all the same
    EXPECT_FALSE(bare.hotKeys.IsSuspended());
}

TEST(CDlgHotKeyTest, AKeyAnotherProgramTookIsNamedUntilAKeyIsTyped) {
    DialogRig rig;
    rig.hotKeys.SetTaken(kModControl | kModShift, kVkF10);
    rig.Open(0);
    QLabel* note = rig.dialog->HeldNote();
    EXPECT_FALSE(note->isVisibleTo(rig.dialog.get()));
    rig.hotKeys.Press(kModControl, kVkF10);  // free: it reaches the control as a key
    EXPECT_FALSE(note->isVisibleTo(rig.dialog.get()));
    rig.hotKeys.Press(kModControl | kModShift, kVkF10);
    EXPECT_TRUE(note->isVisibleTo(rig.dialog.get()));
    EXPECT_EQ(note->text().toStdString(), "Ctrl + Shift + F10 is held by another program.");
    QTest::keyClick(rig.dialog->KeyControl(), Qt::Key_F11, Qt::ControlModifier);
    EXPECT_FALSE(note->isVisibleTo(rig.dialog.get()));
    // Closed, the editor hears of no more keys.
    rig.dialog->reject();
    rig.hotKeys.Press(kModControl | kModShift, kVkF10);
    EXPECT_FALSE(note->isVisibleTo(rig.dialog.get()));
}

}  // namespace
}  // namespace nl
