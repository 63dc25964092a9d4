#include "platform/fake/FakeHotKeys.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/CSystemError.h"

namespace nl {
namespace {

constexpr std::uint32_t kVkF11 = 122;
constexpr std::uint32_t kModNoRepeat = 0x4000;

TEST(FakeHotKeysTest, KeysHeldElsewhereOrByAnotherIdFailWith1409) {
    FakeHotKeys keys;
    keys.SetTaken(kModControl, kVkF12);
    EXPECT_EQ(keys.Register(0, kModControl, kVkF12), kErrorHotkeyAlreadyRegistered);
    EXPECT_FALSE(keys.IsRegistered(0));
    // The same key with other modifiers is a different key.
    EXPECT_EQ(keys.Register(0, kModControl | kModShift, kVkF12), kErrorSuccess);
    // Another id of the program cannot take it either; "no repeat" does not make it differ.
    EXPECT_EQ(keys.Register(1, kModControl | kModShift | kModNoRepeat, kVkF12),
              kErrorHotkeyAlreadyRegistered);
    keys.SetTaken(kModControl, kVkF12, false);
    EXPECT_EQ(keys.Register(1, kModControl, kVkF12), kErrorSuccess);

    keys.FailRegistrations(kErrorNotSupported);
    EXPECT_EQ(keys.Register(2, kModAlt, kVkF11), kErrorNotSupported);
}

TEST(FakeHotKeysTest, ReRegisteringAnIdReplacesItsKeyAndPressesReachTheListener) {
    FakeHotKeys keys;
    std::vector<int> heard;
    keys.SetListener([&](int id) { heard.push_back(id); });
    ASSERT_EQ(keys.Register(3, kModControl, kVkF12), kErrorSuccess);
    ASSERT_EQ(keys.Register(3, kModAlt, kVkF11), kErrorSuccess);
    EXPECT_EQ(keys.Count(), 1u);
    EXPECT_FALSE(keys.Press(kModControl, kVkF12));  // the old key was released
    EXPECT_TRUE(keys.Press(kModAlt, kVkF11));
    // The released key is free for another id.
    EXPECT_EQ(keys.Register(0, kModControl, kVkF12), kErrorSuccess);
    EXPECT_TRUE(keys.Press(kModControl, kVkF12));
    keys.Unregister(0);
    keys.Unregister(7);  // never registered: nothing happens
    EXPECT_FALSE(keys.Press(kModControl, kVkF12));
    EXPECT_EQ(heard, (std::vector<int>{3, 0}));
}

}  // namespace
}  // namespace nl
