#include "platform/x11/CX11HotKeys.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QWindow>
#include <vector>

#include "XTestClient.h"
#include "base/CSystemError.h"
#include "x11_test_support.h"

namespace nl {
namespace {

constexpr std::uint32_t kVkF11 = 122;
constexpr std::uint32_t kVkF10 = 121;

// Presses keys with xdotool (through the XTEST extension, as a keyboard would): `action` is
// "key" (press and release), "keydown" or "keyup".
void Keys(const QString& action, const QString& keys) {
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    ASSERT_FALSE(xdotool.isEmpty()) << "xdotool is needed";
    QProcess p;
    p.start(xdotool, {action, keys});
    ASSERT_TRUE(p.waitForFinished(5000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

void Type(const QString& keys) {
    Keys(QStringLiteral("key"), keys);
}

TEST(X11HotKeysTest, PressedKeyReachesTheListenerWhateverTheLockKeys) {
    CX11HotKeys keys;
    std::vector<int> heard;
    keys.SetListener([&](int id) { heard.push_back(id); });
    ASSERT_EQ(keys.Register(1, kModControl, kVkF12), kErrorSuccess);
    ASSERT_EQ(keys.Register(2, kModControl | kModShift, kVkF10), kErrorSuccess);

    Type(QStringLiteral("ctrl+F12"));
    ASSERT_TRUE(test::WaitFor([&] { return !heard.empty(); })) << "hot key not heard";
    EXPECT_EQ(heard, std::vector<int>{1});

    // With Num Lock on, the same key still counts.
    Type(QStringLiteral("Num_Lock"));
    Type(QStringLiteral("ctrl+shift+F10"));
    const bool heardWithNumLock = test::WaitFor([&] { return heard.size() == 2; });
    Type(QStringLiteral("Num_Lock"));
    ASSERT_TRUE(heardWithNumLock);
    EXPECT_EQ(heard, (std::vector<int>{1, 2}));
}

TEST(X11HotKeysTest, KeyHeldByAnotherProgramFailsWith1409) {
    CX11HotKeys keys;
    {
        test::XTestClient other;
        ASSERT_TRUE(other.Connected());
        ASSERT_EQ(other.GrabControlF(11), 0);
        EXPECT_EQ(keys.Register(0, kModControl, kVkF11), kErrorHotkeyAlreadyRegistered);
        // With another modifier it is a different key.
        EXPECT_EQ(keys.Register(0, kModControl | kModAlt, kVkF11), kErrorSuccess);
    }
    // The other program ended: the key is free (once the server has seen it go).
    EXPECT_TRUE(test::WaitFor(
        [&] { return keys.Register(1, kModControl, kVkF11) == kErrorSuccess; }, 3000));
    // The same key for a second id of this program is refused too.
    EXPECT_EQ(keys.Register(2, kModControl, kVkF11), kErrorHotkeyAlreadyRegistered);
}

TEST(X11HotKeysTest, UnregisteredAndDestroyedKeysAreReleased) {
    test::XTestClient other;
    ASSERT_TRUE(other.Connected());
    {
        CX11HotKeys keys;
        ASSERT_EQ(keys.Register(5, kModControl, kVkF12), kErrorSuccess);
        EXPECT_NE(other.GrabControlF(12), 0);  // held by us
        keys.Unregister(5);
        EXPECT_EQ(other.GrabControlF(12), 0);  // released
        test::XTestClient third;
        EXPECT_EQ(keys.Register(6, kModControl, kVkF10), kErrorSuccess);
        EXPECT_NE(third.GrabControlF(10), 0);
    }
    // The destructor let go of F10.
    EXPECT_EQ(other.GrabControlF(10), 0);
}

TEST(X11HotKeysTest, SuspendedKeysAreFreeAndNewOnesWaitForResume) {
    CX11HotKeys keys;
    ASSERT_EQ(keys.Register(3, kModControl, kVkF11), kErrorSuccess);
    keys.Suspend();
    test::XTestClient other;
    ASSERT_TRUE(other.Connected());
    EXPECT_EQ(other.GrabControlF(11), 0);  // free while suspended
    // A key registered meanwhile is checked at once: held by the other client, refused.
    EXPECT_EQ(keys.Register(4, kModControl, kVkF11), kErrorHotkeyAlreadyRegistered);
    EXPECT_EQ(keys.Register(4, kModControl, kVkF10), kErrorSuccess);
    EXPECT_EQ(other.GrabControlF(10), 0);  // but not held until Resume
}

TEST(X11HotKeysTest, ResumedKeysAreHeldAndHeardAgain) {
    CX11HotKeys keys;
    std::vector<int> heard;
    keys.SetListener([&](int id) { heard.push_back(id); });
    ASSERT_EQ(keys.Register(3, kModControl, kVkF12), kErrorSuccess);
    keys.Suspend();
    ASSERT_EQ(keys.Register(4, kModControl, kVkF10), kErrorSuccess);
    keys.Resume();
    test::XTestClient other;
    ASSERT_TRUE(other.Connected());
    EXPECT_NE(other.GrabControlF(12), 0);
    EXPECT_NE(other.GrabControlF(10), 0);
    Type(QStringLiteral("ctrl+F10"));
    ASSERT_TRUE(test::WaitFor([&] { return !heard.empty(); })) << "resumed key not heard";
    EXPECT_EQ(heard, std::vector<int>{4});
}

TEST(X11HotKeysTest, WhileSuspendedAPressAnotherProgramTookIsReported) {
    using Taken = std::pair<std::uint32_t, std::uint32_t>;
    test::XTestClient other;
    ASSERT_TRUE(other.Connected());
    ASSERT_EQ(other.GrabControlF(10), 0);
    QWindow window;  // the focused window a press would have gone to
    window.resize(100, 100);
    window.show();
    ASSERT_TRUE(test::WaitFor([&] { return window.isExposed(); }));
    other.Focus(static_cast<xcb_window_t>(window.winId()));
    other.Sync();
    CX11HotKeys keys;
    std::vector<Taken> heard;
    keys.SetTakenListener([&](std::uint32_t m, std::uint32_t vk) { heard.emplace_back(m, vk); });
    const auto press = [&](const QString& key) {
        Keys(QStringLiteral("keydown"), key);
        test::WaitFor([&] { return !heard.empty(); }, 300);
        Keys(QStringLiteral("keyup"), key);
        test::WaitFor([] { return false; }, 100);  // the focus back, the events read
    };
    keys.Suspend();
    press(QStringLiteral("ctrl+F9"));  // nobody holds it: no report
    EXPECT_TRUE(heard.empty());
    press(QStringLiteral("ctrl+F10"));
    EXPECT_EQ(heard, std::vector<Taken>{Taken(kModControl, kVkF10)});
    // Not suspended, the program's own keys are not being typed: nothing is reported.
    heard.clear();
    keys.Resume();
    press(QStringLiteral("ctrl+F10"));
    EXPECT_TRUE(heard.empty());
}

}  // namespace
}  // namespace nl
