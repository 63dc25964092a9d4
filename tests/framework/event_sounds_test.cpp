#include "framework/event_sounds.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/FakeSound.h"

namespace nl {
namespace {

TEST(EventSoundsTest, ShouldPlay) {
    struct Case {
        std::uint32_t options;
        std::vector<std::uint32_t> table;
        SoundEvent event;
        std::optional<int> want;
    };
    const Case cases[] = {
        {1, {1, 2, 6}, SoundEvent::kPickColor, 1201},
        {1, {1, 2, 6}, SoundEvent::kMoveCursor, 1202},
        {1, {1, 2, 6}, SoundEvent::kCopyCursor, 1206},
        {0, {1, 2, 6}, SoundEvent::kCopyCursor, std::nullopt},  // sounds switched off
        {3, {0, 2, 6}, SoundEvent::kPickColor, std::nullopt},   // "None"
        {1, {7, 0, 0}, SoundEvent::kPickColor, std::nullopt},   // no such sound
        {1, {1}, SoundEvent::kCopyCursor, std::nullopt},        // short table
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShouldPlay(c.event, c.options, c.table), c.want) << static_cast<int>(c.event);
}

TEST(EventSoundsTest, TestButtonIgnoresTheSoundOption) {
    FakeSound sound;
    const std::vector<std::uint32_t> table = {3, 0, 0};
    PlayEventSound(sound, SoundEvent::kPickColor, 0, table);
    PlayEventSound(sound, SoundEvent::kMoveCursor, 1, table);
    EXPECT_TRUE(sound.Log().empty());
    PlaySoundNumber(sound, 3);
    PlaySoundNumber(sound, 0);
    PlayEventSound(sound, SoundEvent::kPickColor, 1, table);
    ASSERT_EQ(sound.Log().size(), 2u);
    EXPECT_EQ(sound.Log()[0].resourceId, 1203);
    EXPECT_EQ(sound.Log()[1].resourceId, 1203);
}

}  // namespace
}  // namespace nl
