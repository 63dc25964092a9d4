#include "platform/factory/PlatformServices.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/CSystemError.h"
#include "platform/IClipboard.h"
#include "platform/IDesktop.h"
#include "platform/IFileSystem.h"
#include "platform/IFolders.h"
#include "platform/IHotKeys.h"
#include "platform/ISettingsStore.h"
#include "platform/ISingleInstance.h"

namespace nl {
namespace {

TEST(PlatformServicesTest, KindsByName) {
    struct Case {
        const char* name;
        std::optional<PlatformKind> kind;
    };
    const Case cases[] = {
        {nullptr, PlatformKind::kReal}, {"", PlatformKind::kReal}, {"real", PlatformKind::kReal},
        {"fake", PlatformKind::kFake},  {"Fake", std::nullopt},    {"x11", std::nullopt},
        {"fake ", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(unset)");
        EXPECT_EQ(PlatformKindFromName(c.name), c.kind);
    }
}

TEST(PlatformServicesTest, FakeKindWorksInAFolderOfItsOwn) {
    std::string data;
    {
        const auto platform = PlatformServices::Create(PlatformKind::kFake);
        ASSERT_EQ(platform->Kind(), PlatformKind::kFake);

        // The cursor starts over a titled window whose colour differs from the background's,
        // and moves where it is put.
        IDesktop& desktop = platform->Desktop();
        const Point start = desktop.CursorPos();
        const WindowId under = desktop.WindowFromPoint(start);
        EXPECT_NE(under, desktop.DesktopWindow());
        EXPECT_FALSE(desktop.WindowText(under).empty());
        EXPECT_FALSE(desktop.ClassName(under).empty());
        const Rect screen = desktop.VirtualScreen();
        EXPECT_NE(desktop.PixelColor(start), desktop.PixelColor({screen.left, screen.top}));
        EXPECT_GE(desktop.TopLevelWindows().size(), 3u);
        ASSERT_EQ(desktop.Monitors().size(), 1u);
        EXPECT_LT(desktop.Monitors()[0].workArea.Height(), screen.Height());
        desktop.SetCursorPos({start.x - 1, start.y});
        EXPECT_EQ(desktop.CursorPos(), (Point{start.x - 1, start.y}));

        // The program's data lies in a new folder, away from the user's home.
        data = platform->Folders().UserAppData();
        ASSERT_TRUE(platform->Files().FolderExists(data));
        if (const char* home = std::getenv("HOME"); home && *home) {
            EXPECT_NE(data.rfind(home, 0), 0u) << data;
        }
        const std::string file = data + "/probe.dat";
        const std::vector<std::uint8_t> bytes = {1, 2, 3};
        ASSERT_EQ(platform->Files().WriteFile(file, bytes), kErrorSuccess);
        std::vector<std::uint8_t> back;
        ASSERT_EQ(platform->Files().ReadFile(file, back), kErrorSuccess);
        EXPECT_EQ(back, bytes);

        // The in-memory services answer as the real ones do.
        ASSERT_EQ(platform->Clipboard().SetText("#3A6EA5"), kErrorSuccess);
        EXPECT_EQ(platform->Clipboard().Text(), "#3A6EA5");
        ASSERT_EQ(
            platform->SettingsStore().WriteInt(SettingsScope::kUser, "Software\\Test", "N", 7),
            kErrorSuccess);
        EXPECT_EQ(platform->SettingsStore().ReadInt(SettingsScope::kUser, "Software\\Test", "N"),
                  7u);
        EXPECT_EQ(platform->HotKeys().Register(1, kModControl, kVkF12), kErrorSuccess);
        EXPECT_EQ(platform->SingleInstance().Start("Nerim NerimLens"), InstanceRole::kFirst);
    }
    // The folder goes with the services.
    const auto platform = PlatformServices::Create(PlatformKind::kFake);
    EXPECT_FALSE(platform->Files().FolderExists(data)) << data;
}

}  // namespace
}  // namespace nl
