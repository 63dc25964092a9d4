// Loading the data file: version backups and every path of the read-error recovery, with the
// user's answers scripted.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using test::BuildDataFile;
using test::Bytes;
using test::FileSpec;
using test::kDataFile;
using test::Version;

const std::string kCurrentBackup = CPrefs::VersionBackupPath(kDataFile, kProductVersion);
constexpr std::int32_t kMarkZoom = 700;  // tells loaded settings from the defaults

Bytes GoodFile(std::uint32_t writer = kProductVersion) {
    FileSpec layout;
    layout.writerVersion = writer;
    layout.zoomFactor = kMarkZoom;
    return BuildDataFile(layout);
}
Bytes Truncated(std::uint32_t writer = kProductVersion) {
    Bytes bytes = GoodFile(writer);
    bytes.resize(bytes.size() / 2);
    return bytes;
}
Bytes WrongMagic() {
    FileSpec layout;
    layout.magic = 0x21212121;
    return BuildDataFile(layout);
}
Bytes NewerFormat() {
    FileSpec layout;
    layout.formatVersion = 0x00010001;
    layout.writerVersion = Version(1, 20);
    return BuildDataFile(layout);
}

struct LoadRig : test::PrefsRig {
    std::unique_ptr<CAppPrefs> prefs;

    // Start-up as the application runs it; `lastRun` is the version the registry remembers.
    LoadResult Start(std::optional<std::uint32_t> lastRun) {
        if (lastRun) store.WriteInt(SettingsScope::kUser, test::kRegistryKey, "Version", *lastRun);
        prefs = std::make_unique<CAppPrefs>(Services());
        prefs->SetRegistryKey();
        prefs->Initialize({});
        prefs->SetDefaults();
        return prefs->Load();
    }
    std::map<std::string, Bytes> Disk() const {
        std::map<std::string, Bytes> out;
        for (const auto& path : files.Files()) out[path] = *files.Contents(path);
        return out;
    }
};

enum Box { kAsk = 25242, kFatal = 25241 };

TEST(CPrefsLoadTest, RecoveryPaths) {
    struct Case {
        const char* what;
        std::optional<Bytes> dataFile;
        std::optional<Bytes> currentBackup;
        std::optional<std::uint32_t> lastRun;
        std::vector<MsgAnswer> answers;
        bool wantExit;
        std::vector<Box> wantBoxes;
        std::map<std::string, Bytes> wantDisk;
        bool wantLoaded;  // the file's settings, not the defaults
    };
    const std::uint32_t v117 = Version(1, 17);
    const Case cases[] = {
        {"missing file, no backup", {}, {}, kProductVersion, {}, false, {}, {}, false},
        {"missing file, empty backup",
         {},
         Bytes{},
         kProductVersion,
         {},
         false,
         {},
         {{kCurrentBackup, {}}},
         false},
        {"missing file, backup restored",
         {},
         GoodFile(),
         kProductVersion,
         {},
         false,
         {},
         {{kDataFile, GoodFile()}, {kCurrentBackup, GoodFile()}},
         true},
        {"wrong magic, OK keeps it as damaged",
         WrongMagic(),
         {},
         kProductVersion,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {{kDataFile + ".damaged", WrongMagic()}},
         false},
        {"newer format, OK keeps it under its writer's version",
         NewerFormat(),
         {},
         kProductVersion,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {{kDataFile + ".1.20.bak", NewerFormat()}},
         false},
        {"empty file, OK deletes it",
         Bytes{},
         {},
         kProductVersion,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {},
         false},
        {"wrong magic, OK restores this version's backup",
         WrongMagic(),
         GoodFile(),
         kProductVersion,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {{kDataFile, GoodFile()},
          {kCurrentBackup, GoodFile()},
          {kDataFile + ".damaged", WrongMagic()}},
         true},
        {"Cancel exits and leaves the file",
         WrongMagic(),
         {},
         kProductVersion,
         {MsgAnswer::kCancel},
         true,
         {kAsk},
         {{kDataFile, WrongMagic()}},
         false},
        {"older writer leaves a backup of its version",
         GoodFile(v117),
         {},
         v117,
         {},
         false,
         {},
         {{kDataFile, GoodFile(v117)}, {kDataFile + ".1.17.bak", GoodFile(v117)}},
         true},
        {"older writer, first run on this registry",
         GoodFile(v117),
         {},
         {},
         {},
         false,
         {},
         {{kDataFile, GoodFile(v117)}, {kDataFile + ".1.17.bak", GoodFile(v117)}},
         true},
        {"same version, no backup",
         GoodFile(),
         {},
         kProductVersion,
         {},
         false,
         {},
         {{kDataFile, GoodFile()}},
         true},
        {"corrupt older file is kept under its version",
         Truncated(v117),
         {},
         v117,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {{kDataFile + ".1.17.bak", Truncated(v117)}},
         false},
        {"corrupt file of this version after an upgrade is not restored again",
         Truncated(),
         {},
         v117,
         {MsgAnswer::kOk},
         false,
         {kAsk},
         {{kDataFile + ".damaged", Truncated()}},
         false},
        {"corrupt file whose backup is corrupt too",
         Truncated(),
         Truncated(),
         kProductVersion,
         {MsgAnswer::kOk},
         true,
         {kAsk, kFatal},
         {{kCurrentBackup + ".bak", Truncated()}, {kDataFile + ".damaged", Truncated()}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadRig rig;
        if (c.dataFile) rig.files.AddFile(kDataFile, *c.dataFile);
        if (c.currentBackup) rig.files.AddFile(kCurrentBackup, *c.currentBackup);
        for (const auto a : c.answers) rig.dialogs.Answer(a);

        const LoadResult result = rig.Start(c.lastRun);

        EXPECT_EQ(result.exitRequested, c.wantExit);
        EXPECT_EQ(result.exitCode, c.wantExit ? 1 : 0);
        ASSERT_EQ(rig.dialogs.Messages().size(), c.wantBoxes.size());
        for (std::size_t i = 0; i < c.wantBoxes.size(); ++i) {
            const auto& box = rig.dialogs.Messages()[i];
            const std::string lead = LoadString(c.wantBoxes[i]).substr(0, 60);
            EXPECT_EQ(box.text.substr(0, 60), lead) << i;
            EXPECT_EQ(box.buttons,
                      c.wantBoxes[i] == kAsk ? MsgButtons::kOkCancel : MsgButtons::kOk);
            EXPECT_EQ(box.icon, c.wantBoxes[i] == kAsk ? MsgIcon::kWarning : MsgIcon::kError);
        }
        EXPECT_EQ(rig.Disk(), c.wantDisk);
        EXPECT_EQ(rig.prefs->Settings().zoomFactor, c.wantLoaded ? kMarkZoom : 400);
        EXPECT_TRUE(rig.prefs->IsLoaded());
        EXPECT_FALSE(rig.prefs->IsChanged());
        EXPECT_EQ(rig.prefs->WinStateCount(), 7);
        EXPECT_EQ(rig.dialogs.PendingAnswers(), 0u);
    }
}

TEST(CPrefsLoadTest, MessagesNameTheFileAndTheError) {
    LoadRig rig;
    rig.files.AddFile(kDataFile, Truncated());
    rig.files.AddFile(kCurrentBackup, WrongMagic());
    rig.dialogs.Answer(MsgAnswer::kOk);
    ASSERT_TRUE(rig.Start(kProductVersion).exitRequested);
    ASSERT_EQ(rig.dialogs.Messages().size(), 2u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text,
              "An error occurred while reading the following configuration file:\n\n\t" +
                  kDataFile + "\n\nError:\n\tAttempted to access " + kDataFile +
                  " past its end.\n\n- Choose OK to try loading an older configuration file if "
                  "available.\n- Choose Cancel to exit the application.\n\nThe file is kept "
                  "as:\n\n\t" +
                  kDataFile + ".damaged");
    EXPECT_EQ(rig.dialogs.Messages()[0].caption, "NerimLens");
    EXPECT_EQ(rig.dialogs.Messages()[1].text,
              "An error occurred while reading the following configuration file:\n\n\t" +
                  kDataFile + "\n\nError:\n\t" + kDataFile +
                  " has a bad format.\n\nNerimLens will now close.\n\nPlease run the program "
                  "again and it will start fresh with default settings, if possible.");
    // The damaged file is kept, the restored backup set aside and the data file removed.
    EXPECT_EQ(rig.files.Files(),
              (std::vector<std::string>{kCurrentBackup + ".bak", kDataFile + ".damaged"}));
}

TEST(CPrefsLoadTest, FailedFileOperationsEndInTheClosingMessage) {
    struct Case {
        const char* what;
        FakeFileSystem::Op op;
        std::string path;
        bool withBackup;
        std::string wantError;  // in the closing message
    };
    const Case cases[] = {
        {"setting the unreadable file aside", FakeFileSystem::Op::kMove, kDataFile, false,
         "Error #5: Access is denied.\n\nData: " + kDataFile},
        {"copy of the backup", FakeFileSystem::Op::kCopy, kCurrentBackup, true,
         "Error #112: There is not enough space on the disk.\n\nData: " + kDataFile},
        {"read of the file", FakeFileSystem::Op::kRead, kDataFile, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadRig rig;
        rig.files.AddFile(kDataFile, WrongMagic());
        if (c.withBackup) rig.files.AddFile(kCurrentBackup, GoodFile());
        rig.files.Fail(c.op, c.path,
                       c.op == FakeFileSystem::Op::kCopy ? kErrorDiskFull : kErrorAccessDenied);
        rig.dialogs.Answer(MsgAnswer::kOk);
        const LoadResult result = rig.Start(kProductVersion);
        if (c.op == FakeFileSystem::Op::kRead) {
            // An unreadable file goes through the question like a damaged one; setting it aside
            // then lets the program start with the defaults.
            EXPECT_FALSE(result.exitRequested);
            ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
            EXPECT_NE(rig.dialogs.Messages()[0].text.find("\tError #5: Access is denied."),
                      std::string::npos);
            continue;
        }
        EXPECT_TRUE(result.exitRequested);
        EXPECT_EQ(result.exitCode, 1);
        ASSERT_EQ(rig.dialogs.Messages().size(), 2u);
        EXPECT_NE(rig.dialogs.Messages()[1].text.find("Error:\n\t" + c.wantError + "\n\n"),
                  std::string::npos)
            << rig.dialogs.Messages()[1].text;
    }
}

TEST(CPrefsLoadTest, MissingDataFolderLeavesTheDefaultsAndCreatesNothing) {
    LoadRig rig;
    EXPECT_FALSE(rig.Start(kProductVersion).exitRequested);
    EXPECT_TRUE(rig.files.Files().empty());
    EXPECT_FALSE(rig.files.FolderExists(test::kDataFolder));
    EXPECT_TRUE(rig.dialogs.Messages().empty());
}

TEST(CPrefsLoadTest, RestoredBackupIsMarkedForArchiving) {
    LoadRig rig;
    rig.files.AddFile(kCurrentBackup, GoodFile());
    rig.Start(kProductVersion);
    EXPECT_TRUE(rig.files.HasArchiveAttribute(kDataFile));
}

TEST(CPrefsLoadTest, VersionBackupReplacesAnOlderOneUnlessItCannotBeDeleted) {
    const std::string backup117 = kDataFile + ".1.17.bak";
    for (const bool deletable : {true, false}) {
        SCOPED_TRACE(deletable);
        LoadRig rig;
        rig.files.AddFile(kDataFile, GoodFile(Version(1, 17)));
        rig.files.AddFile(backup117, Bytes{1, 2, 3});
        if (!deletable) rig.files.Fail(FakeFileSystem::Op::kDelete, backup117, kErrorAccessDenied);
        EXPECT_FALSE(rig.Start(Version(1, 17)).exitRequested);
        EXPECT_EQ(*rig.files.Contents(backup117),
                  deletable ? GoodFile(Version(1, 17)) : Bytes({1, 2, 3}));
    }
}

TEST(CPrefsLoadTest, VersionBackupName) {
    EXPECT_EQ(CPrefs::VersionBackupPath("/d/NerimLens.dat", 0x00010012),
              "/d/NerimLens.dat.1.18.bak");
    EXPECT_EQ(CPrefs::VersionBackupPath("x.dat", 0x0002000A), "x.dat.2.10.bak");
}

}  // namespace
}  // namespace nl
