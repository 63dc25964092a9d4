#include "framework/CRecentFileList.h"

#include <gtest/gtest.h>

#include "base/CSystemError.h"
#include "platform/fake/FakeSettingsStore.h"

namespace nl {
namespace {

constexpr const char* kKey = "Software\\Nerim Rirideviz\\NerimLens\\";
constexpr const char* kSection = "Software\\Nerim Rirideviz\\NerimLens\\Recent File List";

std::vector<std::string> Paths(const CRecentFileList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Size(); ++i) out.push_back(list.Path(i));
    return out;
}

TEST(RecentFileListTest, AddKeepsMostRecentFirstWithoutDuplicatesUpToTheLimit) {
    struct Case {
        int maxCount;
        std::vector<std::string> added;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {4, {"/a", "/b", "/c"}, {"/c", "/b", "/a"}},
        {4, {"/a", "/b", "/c", "/d", "/e"}, {"/e", "/d", "/c", "/b"}},
        // A listed path moves up instead of appearing twice.
        {4, {"/a", "/b", "/c", "/a"}, {"/a", "/c", "/b"}},
        {4, {"/a", "/a", "/a"}, {"/a"}},
        // Case tells files apart on this file system.
        {4, {"/a.nlz", "/A.nlz"}, {"/A.nlz", "/a.nlz"}},
        {1, {"/a", "/b"}, {"/b"}},
        {0, {"/a", "/b"}, {}},
        // Counts outside 0..16 are held to that range.
        {-3, {"/a"}, {}},
        {99,
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10", "/11", "/12", "/13", "/14",
          "/15", "/16", "/17"},
         {"/17", "/16", "/15", "/14", "/13", "/12", "/11", "/10", "/9", "/8", "/7", "/6", "/5",
          "/4", "/3", "/2"}},
        // An empty path is never listed.
        {4, {"/a", ""}, {"/a"}},
    };
    for (const Case& c : cases) {
        FakeSettingsStore store;
        CRecentFileList list(store, kKey, c.maxCount);
        for (const auto& path : c.added) list.Add(path);
        EXPECT_EQ(Paths(list), c.want) << "max " << c.maxCount;
    }
}

TEST(RecentFileListTest, SavedListLoadsBackAndStaleEntriesGo) {
    FakeSettingsStore store;
    {
        CRecentFileList list(store, kKey, 4);
        for (const char* p : {"/a", "/b", "/c", "/d"}) list.Add(p);
        ASSERT_EQ(list.Save(), 0u);
        list.Remove(0);
        list.Remove(0);
        ASSERT_EQ(list.Save(), 0u);
    }
    EXPECT_EQ(store.ReadString(SettingsScope::kUser, kSection, "File1"), "/b");
    EXPECT_EQ(store.ReadString(SettingsScope::kUser, kSection, "File2"), "/a");
    EXPECT_FALSE(store.ReadString(SettingsScope::kUser, kSection, "File3").has_value());
    EXPECT_FALSE(store.ReadString(SettingsScope::kUser, kSection, "File4").has_value());

    CRecentFileList again(store, kKey, 4);
    again.Load();
    EXPECT_EQ(Paths(again), (std::vector<std::string>{"/b", "/a"}));
}

TEST(RecentFileListTest, LoadSkipsGapsDuplicatesAndEntriesBeyondTheCount) {
    FakeSettingsStore store;
    store.WriteString(SettingsScope::kUser, kSection, "File1", "/one");
    store.WriteString(SettingsScope::kUser, kSection, "File2", "");
    store.WriteString(SettingsScope::kUser, kSection, "File3", "/one");
    store.WriteString(SettingsScope::kUser, kSection, "File4", "/four");
    store.WriteString(SettingsScope::kUser, kSection, "File5", "/five");
    CRecentFileList list(store, kKey, 4);
    list.Load();
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/one", "/four"}));
}

TEST(RecentFileListTest, SaveReportsAStoreThatRefusesWrites) {
    FakeSettingsStore store;
    CRecentFileList list(store, kKey, 4);
    list.Add("/a");
    store.FailWrites(SettingsScope::kUser, kErrorAccessDenied);
    EXPECT_EQ(list.Save(), static_cast<std::uint32_t>(kErrorAccessDenied));
}

TEST(RecentFileListTest, MenuTextNumbersAndShortensKeepingTheFileName) {
    struct Case {
        std::string path;
        int index;
        std::string want;
    };
    const Case cases[] = {
        {"/home/ann/palette.nlz", 0, "&1 /home/ann/palette.nlz"},
        {"/home/ann/work/projects/2024/web/site/palette.nlz", 1,
         "&2 /home/.../web/site/palette.nlz"},
        {"/home/ann/a/b/c/d/e/f/g/h/i/j/colors.nlz", 2, "&3 /home/.../f/g/h/i/j/colors.nlz"},
        // A file name too long for any folder keeps only the name.
        {"/home/ann/some/folder/a-very-long-palette-name-indeed.nlz", 0,
         "&1 a-very-long-palette-name-indeed.nlz"},
        // Ampersands are doubled so that they do not become mnemonics.
        {"/tmp/R&D.nlz", 0, "&1 /tmp/R&&D.nlz"},
    };
    for (const Case& c : cases) {
        FakeSettingsStore store;
        CRecentFileList list(store, kKey, 16);
        for (int i = 0; i <= c.index; ++i) list.Add(i == 0 ? c.path : "/x" + std::to_string(i));
        ASSERT_EQ(list.Path(c.index), c.path);
        EXPECT_EQ(list.MenuText(c.index), c.want);
    }
    FakeSettingsStore store;
    CRecentFileList list(store, kKey, 16);
    for (int i = 12; i >= 1; --i) list.Add("/f" + std::to_string(i));
    EXPECT_EQ(list.MenuText(8), "&9 /f9");
    EXPECT_EQ(list.MenuText(9), "1&0 /f10");
    EXPECT_EQ(list.MenuText(10), "11 /f11");
}

}  // namespace
}  // namespace nl
