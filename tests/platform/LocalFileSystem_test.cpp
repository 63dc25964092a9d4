#include "platform/local/LocalFileSystem.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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
    LocalFileSystem m_fs{std::string()};  // no journal folder outside the test's own
};

// How long a file operation run in a child may take before it counts as hanging.
constexpr unsigned kChildSeconds = 5;

enum class RunAs { kSelf, kNobody };

// Runs `op` in a child process and returns its code; nothing when the child hung or could
// not become the user nobody. As nobody, permission checks apply that root would pass.
std::optional<std::uint32_t> InChild(const std::function<std::uint32_t()>& op, RunAs who) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        ::alarm(kChildSeconds);
        if (who == RunAs::kNobody && ::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || ::setgroups(0, nullptr) != 0 ||
                ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(1);
        }
        const std::uint32_t code = op();
        ::_exit(::write(channel[1], &code, sizeof code) == sizeof code ? 0 : 1);
    }
    ::close(channel[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::uint32_t code = 0;
    const bool answered = ::read(channel[0], &code, sizeof code) == sizeof code;
    ::close(channel[0]);
    if (!answered || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return code;
}

bool IsTemporaryName(const std::string& name) {
    return name.starts_with(".nl-tmp-") || name.starts_with(".nl-new-");
}

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

TEST_F(LocalFileSystemTest, TheStartOfAFileIsReadWithoutTheRest) {
    Bytes large(200000);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(m_fs.WriteFile(Path("large"), large), 0u);
    ASSERT_EQ(m_fs.WriteFile(Path("small"), Bytes{1, 2, 3}), 0u);
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0666), 0);
    Bytes start;
    ASSERT_EQ(m_fs.ReadFileStart(Path("large"), 64, start), 0u);
    EXPECT_EQ(start, Bytes(large.begin(), large.begin() + 64));
    ASSERT_EQ(m_fs.ReadFileStart(Path("small"), 64, start), 0u);
    EXPECT_EQ(start, (Bytes{1, 2, 3}));
    EXPECT_EQ(InChild([&] { return m_fs.ReadFileStart(Path("fifo"), 64, start); }, RunAs::kSelf),
              kErrorBadFileType);
    EXPECT_EQ(m_fs.ReadFileStart(Path("missing"), 64, start), kErrorFileNotFound);
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

TEST_F(LocalFileSystemTest, WhatIsNoWritableRegularFileIsRefusedUntouched) {
    const Bytes old{1, 2, 3};
    ASSERT_EQ(m_fs.WriteFile(Path("ro.dat"), old), 0u);
    ASSERT_EQ(::chmod(Path("ro.dat").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(m_root.c_str(), 0777), 0);  // the folder itself takes new files
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0666), 0);
    ASSERT_EQ(m_fs.CreateFolders(Path("folder")), 0u);
    fs::create_symlink("loop-b", Path("loop-a"));
    fs::create_symlink("loop-a", Path("loop-b"));

    struct Case {
        const char* name;
        std::function<std::uint32_t()> op;
        std::uint32_t want;
        RunAs who = RunAs::kSelf;
    };
    Bytes read;
    const Case cases[] = {
        {"write a read-only file", [&] { return m_fs.WriteFile(Path("ro.dat"), Bytes{9}); },
         kErrorAccessDenied, RunAs::kNobody},
        {"copy over a read-only file",
         [&] { return m_fs.CopyFile(Path("ro.dat"), Path("ro.dat")); }, kErrorAccessDenied,
         RunAs::kNobody},
        {"write a device", [&] { return m_fs.WriteFile("/dev/null", Bytes{9}); },
         kErrorBadFileType},
        {"read a device", [&] { return m_fs.ReadFile("/dev/zero", read); }, kErrorBadFileType},
        {"write a pipe", [&] { return m_fs.WriteFile(Path("fifo"), Bytes{9}); }, kErrorBadFileType},
        {"read a pipe", [&] { return m_fs.ReadFile(Path("fifo"), read); }, kErrorBadFileType},
        {"copy from a pipe", [&] { return m_fs.CopyFile(Path("fifo"), Path("x")); },
         kErrorBadFileType},
        {"write a folder", [&] { return m_fs.WriteFile(Path("folder"), Bytes{9}); },
         kErrorBadFileType},
        {"write a loop of links", [&] { return m_fs.WriteFile(Path("loop-a"), Bytes{9}); },
         kErrorCantResolveFilename},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InChild(c.op, c.who), c.want);  // nothing when it hung
    }
    EXPECT_EQ(Read(Path("ro.dat")), old);
    EXPECT_EQ(fs::status(Path("fifo")).type(), fs::file_type::fifo);
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
    EXPECT_TRUE(fs::is_directory(Path("folder")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"fifo", "folder", "loop-a", "loop-b", "ro.dat"}));
}

TEST_F(LocalFileSystemTest, WritesKeepLinksModesAndLongNames) {
    const std::string longName(255, 'n');
    struct Case {
        const char* name;
        std::function<void()> setUp;
        std::string written;                  // the name the write is given
        std::vector<std::string> sameBytes;   // names that must read the new bytes after it
        std::vector<std::string> stillLinks;  // names that must still be symbolic links
    };
    const Case cases[] = {
        {"relative link",
         [&] {
             ASSERT_EQ(m_fs.WriteFile(Path("real.dat"), Bytes{0}), 0u);
             fs::create_symlink("real.dat", Path("link.dat"));
         },
         "link.dat",
         {"real.dat"},
         {"link.dat"}},
        {"chain of links into a folder",
         [&] {
             ASSERT_EQ(m_fs.CreateFolders(Path("sub")), 0u);
             ASSERT_EQ(m_fs.WriteFile(Path("sub/real.dat"), Bytes{0}), 0u);
             fs::create_symlink("sub/real.dat", Path("first"));
             fs::create_symlink(Path("first"), Path("second"));  // absolute
         },
         "second",
         {"sub/real.dat", "first"},
         {"first", "second"}},
        {"link to a file not made yet",
         [&] { fs::create_symlink("made.dat", Path("ahead")); },
         "ahead",
         {"made.dat"},
         {"ahead"}},
        {"hard links",
         [&] {
             ASSERT_EQ(m_fs.WriteFile(Path("one"), Bytes{0}), 0u);
             fs::create_hard_link(Path("one"), Path("two"));
         },
         "one",
         {"two"},
         {}},
        {"name of 255 bytes",
         [&] { ASSERT_EQ(m_fs.WriteFile(Path(longName), Bytes{0}), 0u); },
         longName,
         {},
         {}},
    };
    const Bytes bytes{4, 5, 6};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_root);
        fs::create_directory(m_root);
        c.setUp();
        // Files there before the write keep their permissions.
        std::vector<std::string> existing;
        for (const std::string& name : c.sameBytes)
            if (::chmod(Path(name).c_str(), 0640) == 0) existing.push_back(name);
        ASSERT_EQ(m_fs.WriteFile(Path(c.written), bytes), 0u);
        EXPECT_EQ(Read(Path(c.written)), bytes);
        for (const std::string& name : c.sameBytes) {
            EXPECT_EQ(Read(Path(name)), bytes) << name;
            EXPECT_TRUE(fs::equivalent(Path(name), Path(c.written))) << name;
        }
        for (const std::string& name : existing)
            EXPECT_EQ(fs::status(Path(name)).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
                << name;
        for (const std::string& name : c.stillLinks)
            EXPECT_TRUE(fs::is_symlink(Path(name))) << name;
        for (const std::string& name : Names()) EXPECT_FALSE(IsTemporaryName(name)) << name;
    }
}

TEST_F(LocalFileSystemTest, AWriteRemovesOnlyTemporariesNoWriterHolds) {
    const std::vector<std::string> temps = {".nl-tmp-abandon1", ".nl-tmp-inuse123",
                                            ".nl-new-justmade", ".nl-tmp-short",
                                            "notes.nl-tmp-1234"};
    for (const std::string& name : temps) std::ofstream(Path(name)) << "x";
    const int held = ::open(Path(".nl-tmp-inuse123").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_EQ(m_fs.WriteFile(Path("doc.nlz"), Bytes{1}), 0u);
    ::close(held);
    // Gone: the one nobody holds. Kept: the one a writer holds, one made with a name moments
    // ago (its writer may not have locked it yet), and names of another form.
    EXPECT_EQ(Names(), (std::vector<std::string>{".nl-new-justmade", ".nl-tmp-inuse123",
                                                 ".nl-tmp-short", "doc.nlz", "notes.nl-tmp-1234"}));
}

TEST_F(LocalFileSystemTest, LocksExcludeOtherWritersOfTheSameFile) {
    ASSERT_EQ(m_fs.WriteFile(Path("doc.nlz"), Bytes{1}), 0u);
    fs::create_symlink("doc.nlz", Path("alias.nlz"));
    constexpr std::uint32_t kNoWait = 0;
    constexpr std::uint32_t kLongWait = 4000;
    const auto tryLock = [&](const std::string& name) {
        return InChild(
            [&] {
                CFileLock lock;
                return m_fs.LockFile(Path(name), kNoWait, lock);
            },
            RunAs::kSelf);
    };
    {
        CFileLock lock;
        ASSERT_EQ(m_fs.LockFile(Path("doc.nlz"), kNoWait, lock), 0u);
        EXPECT_EQ(tryLock("doc.nlz"), kErrorSharingViolation);
        EXPECT_EQ(tryLock("alias.nlz"), kErrorSharingViolation);
        EXPECT_EQ(tryLock("new.nlz"), 0u);
        lock.Release();
        EXPECT_EQ(tryLock("doc.nlz"), 0u);
        // A file not made yet is locked through its folder until it exists.
        ASSERT_EQ(m_fs.LockFile(Path("new.nlz"), kNoWait, lock), 0u);
        EXPECT_EQ(tryLock("new.nlz"), kErrorSharingViolation);
    }

    // A writer replaces the file while another waits for it: the waiter ends up holding the
    // lock of the new file, not of the one that was renamed away.
    const pid_t writer = ::fork();
    if (writer == 0) {
        CFileLock lock;
        if (m_fs.LockFile(Path("doc.nlz"), kNoWait, lock) != 0) ::_exit(1);
        ::usleep(300 * 1000);
        ::_exit(m_fs.WriteFile(Path("doc.nlz"), Bytes{2}) == 0 ? 0 : 1);
    }
    ::usleep(100 * 1000);
    CFileLock lock;
    EXPECT_EQ(m_fs.LockFile(Path("doc.nlz"), kLongWait, lock), 0u);
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Read(Path("doc.nlz")), Bytes{2});
    EXPECT_EQ(tryLock("doc.nlz"), kErrorSharingViolation);
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
    ScopedEnv state("XDG_STATE_HOME", nullptr);
    XdgFolders folders;
    EXPECT_EQ(folders.UserState(), "/home/u/.local/state");
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

TEST(XdgFoldersTest, DocumentsComeFromTheEnvironmentOrUserDirsFile) {
    std::string home = (std::filesystem::temp_directory_path() / "nl-xdg-XXXXXX").string();
    ASSERT_NE(::mkdtemp(home.data()), nullptr);
    struct Case {
        const char* what;
        const char* variable;    // XDG_DOCUMENTS_DIR, null for unset
        const char* configHome;  // relative to home; null: XDG_CONFIG_HOME unset
        const char* dirs;        // user-dirs.dirs in the config home, null for none
        std::string want;        // relative to home when it does not start with '/'
    };
    const Case cases[] = {
        {"no file: the usual name, made later", nullptr, nullptr, nullptr, "Documents"},
        {"$HOME expanded", nullptr, nullptr,
         "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
         "XDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n",
         "Papiers"},
        {"absolute, quoted with an escaped quote and blanks", nullptr, nullptr,
         "  XDG_DOCUMENTS_DIR = \"/srv/my \\\"docs\\\"/\"  \n", "/srv/my \"docs\""},
        {"the last line counts; comments do not", nullptr, nullptr,
         "XDG_DOCUMENTS_DIR=\"$HOME/Old\"\nXDG_DOCUMENTS_DIR=$HOME/New # moved\n"
         "#XDG_DOCUMENTS_DIR=\"$HOME/Commented\"\n",
         "New"},
        {"a relative path or another variable is no answer", nullptr, nullptr,
         "XDG_DOCUMENTS_DIR=\"Docs\"\nXDG_DOCUMENTS_DIRS=\"/x\"\n"
         "XDG_DOCUMENTS_DIR=\"$HOMEDIR/y\"\n",
         "Documents"},
        {"switched off: the home folder", nullptr, nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", ""},
        {"the config home is honoured", nullptr, "cfg", "XDG_DOCUMENTS_DIR=\"$HOME/FromCfg\"\n",
         "FromCfg"},
        {"the environment wins", "/env/docs/", nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/File\"\n",
         "/env/docs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(home + "/.config");
        std::filesystem::remove_all(home + "/cfg");
        const std::string config = home + "/" + (c.configHome ? c.configHome : ".config");
        ScopedEnv homeVar("HOME", home.c_str());
        ScopedEnv configVar("XDG_CONFIG_HOME", c.configHome ? config.c_str() : nullptr);
        ScopedEnv variable("XDG_DOCUMENTS_DIR", c.variable);
        if (c.dirs) {
            std::filesystem::create_directories(config);
            std::ofstream(config + "/user-dirs.dirs") << c.dirs;
        }
        const std::string want =
            c.want.starts_with('/') ? c.want : home + (c.want.empty() ? "" : "/" + c.want);
        EXPECT_EQ(XdgFolders().Documents(), want);
    }
    std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace nl
