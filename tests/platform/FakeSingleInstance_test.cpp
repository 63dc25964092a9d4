#include "platform/fake/FakeSingleInstance.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(FakeSingleInstanceTest, LaterStartsShowTheFirstUntilItEnds) {
    FakeSingleInstance::Session session;
    int shown = 0;
    {
        FakeSingleInstance first(session);
        first.SetShowListener([&] { ++shown; });
        EXPECT_EQ(first.Start("Nerim NerimLens"), InstanceRole::kFirst);
        EXPECT_EQ(first.Start("Nerim NerimLens"), InstanceRole::kFirst);  // asking again
        FakeSingleInstance other(session);
        EXPECT_EQ(other.Start("Nerim Other"), InstanceRole::kFirst);  // names are separate

        FakeSingleInstance second(session);
        EXPECT_EQ(second.Start("Nerim NerimLens"), InstanceRole::kSecondShown);
        EXPECT_EQ(shown, 1);
        first.SetResponsive(false);
        EXPECT_EQ(second.Start("Nerim NerimLens"), InstanceRole::kSecondUnanswered);
        EXPECT_EQ(shown, 1);
    }
    // The first ended: the name is free again.
    EXPECT_FALSE(session.IsHeld("Nerim NerimLens"));
    FakeSingleInstance next(session);
    EXPECT_EQ(next.Start("Nerim NerimLens"), InstanceRole::kFirst);
}

}  // namespace
}  // namespace nl
