#include "platform/local/LocalFileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/CSystemError.h"
#include "platform/local/XdgFolders.h"

namespace nl {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed at the end.
class LocalFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "nl-fs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Path(const std::string& name) const { return (m_root / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_root))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    Bytes Read(const std::string& path) {
        Bytes bytes;
        EXPECT_EQ(m_fs.ReadFile(path, bytes), 0u);
        return bytes;
    }

    fs::path m_root;
    LocalFileSystem m_fs;
};

TEST_F(LocalFileSystemTest, WriteReplacesWholeFilesAndLeavesNoTemporaryFile) {
    const std::string file = Path("NerimLens.dat");
    ASSERT_EQ(m_fs.WriteFile(file, Bytes(10000, 7)), 0u);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(m_fs.WriteFile(file, Bytes{1, 2, 3}), 0u);
    EXPECT_EQ(Read(file), (Bytes{1, 2, 3}));
    std::uint64_t size = 0;
    EXPECT_EQ(m_fs.FileSize(file, size), 0u);
    EXPECT_EQ(size, 3u);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file keeps its permissions
    EXPECT_EQ(Names(), std::vector<std::string>{"NerimLens.dat"});
}

TEST_F(LocalFileSystemTest, FailuresComeBackAsSystemErrors) {
    Bytes bytes;
    std::uint64_t size = 0;
    ASSERT_EQ(m_fs.CreateFolders(Path("a/b/c")), 0u);
    EXPECT_EQ(m_fs.CreateFolders(Path("a/b/c")), 0u);
    EXPECT_TRUE(m_fs.FolderExists(Path("a/b")));
    EXPECT_FALSE(m_fs.FileExists(Path("a/b")));

    EXPECT_EQ(m_fs.ReadFile(Path("missing"), bytes), kErrorFileNotFound);
    EXPECT_EQ(m_fs.FileSize(Path("missing"), size), kErrorFileNotFound);
    EXPECT_EQ(m_fs.DeleteFile(Path("missing")), kErrorFileNotFound);
    EXPECT_EQ(m_fs.CopyFile(Path("missing"), Path("x")), kErrorFileNotFound);
    EXPECT_EQ(m_fs.MoveFile(Path("missing"), Path("x")), kErrorFileNotFound);
    EXPECT_NE(m_fs.WriteFile(Path("no/such/folder/f"), Bytes{1}), 0u);
    EXPECT_EQ(m_fs.ReadFile(Path("a"), bytes), kErrorBadFileType);  // a folder
    ASSERT_EQ(m_fs.WriteFile(Path("f"), Bytes{1}), 0u);
    EXPECT_NE(m_fs.CreateFolders(Path("f/g")), 0u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "f"}));
}

TEST_F(LocalFileSystemTest, CopyAndMoveReplaceTheTarget) {
    ASSERT_EQ(m_fs.WriteFile(Path("src"), Bytes(200000, 5)), 0u);
    ASSERT_EQ(m_fs.WriteFile(Path("dst"), Bytes{9}), 0u);
    ASSERT_EQ(m_fs.CopyFile(Path("src"), Path("dst")), 0u);
    EXPECT_EQ(Read(Path("dst")), Bytes(200000, 5));
    // Copying a file onto itself leaves it whole.
    ASSERT_EQ(m_fs.CopyFile(Path("src"), Path("src")), 0u);
    EXPECT_EQ(Read(Path("src")).size(), 200000u);

    ASSERT_EQ(m_fs.WriteFile(Path("new"), Bytes{4}), 0u);
    ASSERT_EQ(m_fs.MoveFile(Path("new"), Path("dst")), 0u);
    EXPECT_EQ(Read(Path("dst")), Bytes{4});
    EXPECT_FALSE(m_fs.FileExists(Path("new")));
    EXPECT_EQ(m_fs.SetArchiveAttribute(Path("dst")), 0u);
    EXPECT_EQ(m_fs.DeleteFile(Path("dst")), 0u);
    EXPECT_EQ(Names(), std::vector<std::string>{"src"});
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(XdgFoldersTest, FollowsTheBaseDirectoryRules) {
    ScopedEnv home("HOME", "/home/u");
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv dirs("XDG_DATA_DIRS", "relative:/opt/share/:/usr/share");
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg/");
    XdgFolders folders;
    EXPECT_EQ(folders.UserAppData(), "/home/u/.local/share");
    EXPECT_EQ(folders.CommonAppData(), "/opt/share");
    EXPECT_EQ(folders.Autostart(), "/cfg/autostart");
    {
        ScopedEnv relative("XDG_DATA_HOME", "not/absolute");
        EXPECT_EQ(folders.UserAppData(), "/home/u/.local/share");
    }
    {
        ScopedEnv absolute("XDG_DATA_HOME", "/data/");
        EXPECT_EQ(folders.UserAppData(), "/data");
    }
    EXPECT_FALSE(folders.ExecutablePath().empty());
}

}  // namespace
}  // namespace nl
