// Initialize (registry values, data folder and file overrides), locating, saving, flushing,
// back-up, restore and the start-up entry.
#include "framework/CPrefs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using test::Bytes;
using test::kDataFile;
using test::kRegistryKey;
constexpr auto kUser = SettingsScope::kUser;
constexpr auto kMachine = SettingsScope::kMachine;

struct Rig : test::PrefsRig {
    CAppPrefs prefs{Services()};
    Rig() { prefs.SetRegistryKey(); }
    std::string Text(const std::string& path) const {
        const Bytes* b = files.Contents(path);
        return b ? std::string(b->begin(), b->end()) : std::string();
    }
};

TEST(CPrefsTest, RegistryKeyIsNamedAfterCompanyAndApplication) {
    Rig rig;
    EXPECT_EQ(rig.prefs.Key(), "Software\\Nerim Rirideviz\\NerimLens\\");
    EXPECT_EQ(rig.prefs.SubKeyPath(CPrefs::kSubKey), kRegistryKey);
}

TEST(CPrefsTest, RegistryStepRecordsPathAndVersion) {
    Rig rig;
    rig.store.WriteString(kUser, kRegistryKey, "Path", "/old/nerimlens");
    rig.store.WriteInt(kUser, kRegistryKey, "Version", 0x00010011);
    rig.prefs.Initialize({});
    EXPECT_EQ(rig.prefs.RegistryVersion(), 0x00010011u);
    EXPECT_EQ(rig.store.ReadInt(kUser, kRegistryKey, "Version"), kProductVersion);
    EXPECT_EQ(rig.store.ReadString(kUser, kRegistryKey, "Path"), rig.folders.executablePath);
    EXPECT_FALSE(rig.prefs.IsFirstRunOfInstall());
}

TEST(CPrefsTest, NewInstallationRefreshesTheStartupEntry) {
    struct Case {
        const char* what;
        std::optional<std::string> instance, seen, appStartup;
        bool entryBefore;
        bool failWrites;
        bool wantFirstRun, wantEntry;
    };
    const Case cases[] = {
        {"new instance, start with the system", "A", "B", "1", false, false, true, true},
        {"new instance, not started", "A", {}, "0", true, false, true, false},
        {"same instance leaves the entry alone", "A", "A", "1", true, false, false, true},
        {"no installer value", {}, {}, "1", false, false, false, false},
        {"the seen instance cannot be written", "A", "B", "1", true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        if (c.instance)
            rig.store.WriteString(kMachine, kRegistryKey, "InstallInstance", *c.instance);
        if (c.appStartup)
            rig.store.WriteString(kMachine, kRegistryKey, "AppStartup", *c.appStartup);
        if (c.seen) rig.store.WriteString(kUser, kRegistryKey, "Reserved6", *c.seen);
        if (c.entryBefore) rig.prefs.CreateStartupShortcut();
        if (c.failWrites) rig.store.FailWrites(kUser, kErrorAccessDenied);
        rig.prefs.Initialize({});
        EXPECT_EQ(rig.prefs.IsFirstRunOfInstall(), c.wantFirstRun);
        EXPECT_EQ(rig.files.FileExists(rig.prefs.StartupShortcutPath()), c.wantEntry);
        if (c.wantFirstRun) {
            EXPECT_EQ(rig.store.ReadString(kUser, kRegistryKey, "Reserved6"), *c.instance);
        }
    }
}

TEST(CPrefsTest, StartupEntryStartsTheExecutable) {
    Rig rig;
    rig.folders.executablePath = "/opt/My Tools/nerim$lens";
    ASSERT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
    EXPECT_EQ(rig.prefs.StartupShortcutPath(),
              std::string("/fake/home/.config/autostart/") + kDesktopAppId + ".desktop");
    EXPECT_EQ(rig.Text(rig.prefs.StartupShortcutPath()),
              std::string("[Desktop Entry]\nType=Application\nName=NerimLens\nComment=") +
                  kFileDescription + "\nIcon=" + kDesktopIconName +
                  "\nTryExec=/opt/My Tools/nerim$lens"
                  "\nExec=\"/opt/My Tools/nerim\\\\$lens\"\nTerminal=false\n");
    // Present: creating again leaves it; removing twice is fine.
    rig.files.AddFile(rig.prefs.StartupShortcutPath(), {'x'});
    EXPECT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
    EXPECT_EQ(rig.Text(rig.prefs.StartupShortcutPath()), "x");
    EXPECT_EQ(rig.prefs.RemoveStartupShortcut(), 0u);
    EXPECT_EQ(rig.prefs.RemoveStartupShortcut(), 0u);
    EXPECT_FALSE(rig.files.FileExists(rig.prefs.StartupShortcutPath()));
}

TEST(CPrefsTest, AnEarlierVersionsStartupEntryIsTakenOver) {
    const std::string earlier = "/fake/home/.config/autostart/NerimLens.desktop";
    const std::string entry = "[Desktop Entry]\nExec=nerimlens\n";
    Rig rig;
    rig.files.AddFile(earlier, Bytes(entry.begin(), entry.end()));
    EXPECT_TRUE(rig.prefs.IsStartupShortcutEnabled());
    // Written anew under the launcher's name, with the old one gone: one start at log-in.
    ASSERT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
    EXPECT_FALSE(rig.files.FileExists(earlier));
    EXPECT_TRUE(rig.files.FileExists(rig.prefs.StartupShortcutPath()));
    rig.files.AddFile(earlier, Bytes(entry.begin(), entry.end()));
    ASSERT_EQ(rig.prefs.RemoveStartupShortcut(), 0u);
    EXPECT_FALSE(rig.files.FileExists(earlier));
    EXPECT_FALSE(rig.prefs.IsStartupShortcutEnabled());
}

// The keys of a desktop entry's main group.
std::map<std::string, std::string> EntryKeys(const std::string& entry) {
    std::map<std::string, std::string> keys;
    std::istringstream lines(entry);
    std::string line;
    bool inMainGroup = false;
    while (std::getline(lines, line)) {
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
        } else if (const auto equals = line.find('='); inMainGroup && equals != line.npos) {
            keys[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return keys;
}

TEST(CPrefsTest, StartupEntryNamesTheInstalledProgramAndKeepsTheOverrides) {
    struct Case {
        const char* what;
        std::string executable, path;
        std::vector<std::string> files;  // on the disk besides the data files
        std::vector<std::string> args;
        std::string wantExec;  // as the entry's line holds it
    };
    const std::string installed = "/usr/bin/nerimlens";
    const Case cases[] = {
        {"installed: by name", installed, "/usr/local/bin:/usr/bin", {installed}, {}, "nerimlens"},
        {"another program of the name comes first",
         installed,
         "/usr/local/bin:/usr/bin",
         {"/usr/local/bin/nerimlens", installed},
         {},
         installed},
        {"a build tree",
         "/home/u/src/build/nerimlens",
         "/usr/bin",
         {installed},
         {},
         "/home/u/src/build/nerimlens"},
        {"relative and empty PATH entries count for nothing",
         "/home/u/src/build/nerimlens",
         "build::/usr/sbin",
         {"build/nerimlens"},
         {},
         "/home/u/src/build/nerimlens"},
        {"the overrides of the command line, expanded and quoted",
         installed,
         "/usr/bin",
         {installed},
         {"doc.nlz", "userdatafolder:$ROOT/prefs", "UserDataFilePath:/data/My 100%/a$b.dat"},
         "nerimlens UserDataFolder:/data/prefs \"UserDataFilePath:/data/My 100%%/a\\\\$b.dat\""},
        {"a relative override from the folder the program started in",
         installed,
         "/usr/bin",
         {installed, "prefs/mine.dat"},
         {"UserDataFolder:<application>", "UserDataFilePath:prefs/mine.dat"},
         "nerimlens \"UserDataFolder:<application>\" UserDataFilePath:/data/prefs/mine.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.folders.executablePath = c.executable;
        rig.folders.environment = {{"PATH", c.path}, {"ROOT", "/data"}, {"PWD", "/data"}};
        for (const std::string& file : c.files) rig.files.AddFile(file, {});
        rig.files.AddFolder("/data/prefs");
        rig.files.AddFile("/data/My 100%/a$b.dat", {});
        rig.prefs.Initialize(c.args);
        ASSERT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
        EXPECT_EQ(EntryKeys(rig.Text(rig.prefs.StartupShortcutPath()))["Exec"], c.wantExec);
    }
}

TEST(CPrefsTest, StartupEntryAgreesWithTheInstalledLauncher) {
    std::ifstream file(NL_LAUNCHER_PATH);
    ASSERT_TRUE(file) << NL_LAUNCHER_PATH;
    auto launcher = EntryKeys(std::string(std::istreambuf_iterator<char>(file), {}));
    Rig rig;
    rig.folders.executablePath = "/usr/bin/nerimlens";
    ASSERT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
    auto startup = EntryKeys(rig.Text(rig.prefs.StartupShortcutPath()));
    for (const char* key : {"Type", "Name", "Icon", "Terminal"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(launcher[key].empty());
        EXPECT_EQ(startup[key], launcher[key]);
    }
    // The launcher starts the installed program by name and passes it the opened document.
    EXPECT_EQ(launcher["Exec"], "nerimlens %f");
    EXPECT_EQ(startup["Exec"], rig.folders.executablePath);
    EXPECT_EQ(startup["TryExec"], rig.folders.executablePath);
    // Both are named alike, so that the desktop's session settings show the launcher's entry.
    EXPECT_EQ(std::filesystem::path(rig.prefs.StartupShortcutPath()).filename(),
              std::filesystem::path(NL_LAUNCHER_PATH).filename());
}

TEST(CPrefsTest, HiddenStartupEntryCountsAsOffAndIsWrittenAnew) {
    struct Case {
        const char* entry;
        bool enabled;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nType=Application\nHidden=true\n", false},
        {"[Desktop Entry]\r\nHidden = true\r\n", false},
        {"[Desktop Entry]\nHidden=false\n", true},
        // A key of another group does not hide the entry.
        {"[Desktop Entry]\nType=Application\n[Desktop Action x]\nHidden=true\n", true},
        {"[Desktop Entry]\nX-Hidden=true\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Rig rig;
        const std::string path = rig.prefs.StartupShortcutPath();
        rig.files.AddFile(path, Bytes(c.entry, c.entry + std::strlen(c.entry)));
        EXPECT_EQ(rig.prefs.IsStartupShortcutEnabled(), c.enabled);
        ASSERT_EQ(rig.prefs.CreateStartupShortcut(), 0u);
        EXPECT_TRUE(rig.prefs.IsStartupShortcutEnabled());
        EXPECT_EQ(rig.Text(path) == c.entry, c.enabled);
    }
    Rig rig;
    EXPECT_FALSE(rig.prefs.IsStartupShortcutEnabled());
}

TEST(CPrefsTest, OverridesChooseTheDataFile) {
    struct Case {
        const char* what;
        std::string folderValue, fileValue;  // registry values, "" for none
        std::vector<std::string> args;
        std::string wantPath;
    };
    const std::string exeFolder = "/fake/opt/nerimlens";
    const Case cases[] = {
        {"default", "", "", {}, kDataFile},
        {"registry folder", "/data/prefs", "", {}, "/data/prefs/NerimLens.dat"},
        {"registry folder beside the executable",
         "<application>",
         "",
         {},
         exeFolder + "/NerimLens.dat"},
        {"argument beside the executable",
         "",
         "",
         {"doc.nlz", "UserDataFolder:<APPLICATION>"},
         exeFolder + "/NerimLens.dat"},
        {"argument wins over the registry",
         "/data/prefs",
         "",
         {"userdatafolder:/data/other"},
         "/data/other/NerimLens.dat"},
        {"argument with variables",
         "",
         "",
         {"UserDataFolder:%ROOT%/${SUB}"},
         "/data/prefs/NerimLens.dat"},
        {"file override wins over the folder",
         "/data/prefs",
         "/data/mine.dat",
         {},
         "/data/mine.dat"},
        {"file argument", "", "", {"UserDataFilePath:$ROOT/$SUB/mine.dat"}, "/data/prefs/mine.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.files.AddFolder("/data/prefs");
        rig.files.AddFolder("/data/other");
        rig.files.AddFolder(exeFolder);
        rig.files.AddFile("/data/mine.dat", {});
        rig.files.AddFile("/data/prefs/mine.dat", {});
        rig.folders.environment = {{"ROOT", "/data"}, {"SUB", "prefs"}};
        if (!c.folderValue.empty())
            rig.store.WriteString(kUser, kRegistryKey, "UserDataFolder", c.folderValue);
        if (!c.fileValue.empty())
            rig.store.WriteString(kUser, kRegistryKey, "UserDataFilePath", c.fileValue);
        rig.prefs.Initialize(c.args);
        EXPECT_EQ(rig.prefs.DataFilePath(), c.wantPath);
    }
}

TEST(CPrefsTest, BadOverridesRaiseTheirErrors) {
    struct Case {
        const char* what;
        std::string valueName, value;
        std::vector<std::string> args;
        std::uint32_t wantCode;
        std::string wantData;
    };
    const std::string prefix =
        "HKEY_CURRENT_USER\\Software\\Nerim Rirideviz\\NerimLens\\CurrentVersion: ";
    const Case cases[] = {
        {"registry folder",
         "UserDataFolder",
         "/nowhere",
         {},
         kErrorPathNotFound,
         prefix + "UserDataFolder = /nowhere"},
        {"registry folder names a file",
         "UserDataFolder",
         "/data/mine.dat",
         {},
         kErrorPathNotFound,
         prefix + "UserDataFolder = /data/mine.dat"},
        {"folder argument",
         "",
         "",
         {"UserDataFolder:%NOPE%/x"},
         kErrorPathNotFound,
         "UserDataFolder:%NOPE%/x"},
        {"empty folder argument",
         "",
         "",
         {"UserDataFolder:"},
         kErrorPathNotFound,
         "UserDataFolder:"},
        {"registry file",
         "UserDataFilePath",
         "/data/none.dat",
         {},
         kErrorFileNotFound,
         prefix + "UserDataFilePath = /data/none.dat"},
        {"file argument names a folder",
         "",
         "",
         {"UserDataFilePath:/data"},
         kErrorFileNotFound,
         "UserDataFilePath:/data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.files.AddFile("/data/mine.dat", {});
        if (!c.valueName.empty()) rig.store.WriteString(kUser, kRegistryKey, c.valueName, c.value);
        try {
            rig.prefs.Initialize(c.args);
            ADD_FAILURE() << "no error";
        } catch (const CSystemError& e) {
            EXPECT_EQ(e.Code(), c.wantCode);
            EXPECT_EQ(e.Data(), c.wantData);
            EXPECT_EQ(e.Message(), "Error #" + std::to_string(c.wantCode) + ": " +
                                       SystemErrorText(c.wantCode) + "\n\nData: " + c.wantData);
        }
    }
}

TEST(CPrefsTest, ExpandEnvironment) {
    FakeFolders folders;
    folders.environment = {{"HOME", "/home/u"}, {"A", "x"}, {"LONG_NAME", "y"}};
    const std::pair<const char*, const char*> cases[] = {
        {"%A%/%LONG_NAME%", "x/y"},
        {"${A}$LONG_NAME/z", "xy/z"},
        {"~/d", "/home/u/d"},
        {"~user/d", "~user/d"},
        {"%MISSING%/$NONE", "%MISSING%/$NONE"},
        {"100%", "100%"},
        {"a$", "a$"},
    };
    for (const auto& [in, want] : cases)
        EXPECT_EQ(CPrefs::ExpandEnvironment(in, folders), want) << in;
}

TEST(CPrefsTest, DataFileFallsBackToTheExecutableFolder) {
    Rig rig;
    rig.folders.commonAppData.clear();  // the application-data folders are not usable
    CAppPrefs prefs(rig.Services());
    EXPECT_FALSE(prefs.ShellFoldersUsable());
    EXPECT_EQ(prefs.DataFilePath(), "/fake/opt/nerimlens/NerimLens.dat");
}

TEST(CPrefsTest, SaveCreatesTheFolderAndClearsTheChangedFlag) {
    Rig rig;
    rig.prefs.SetPickDelay(1200);
    rig.prefs.SetChanged();
    ASSERT_TRUE(rig.prefs.Save());
    EXPECT_FALSE(rig.prefs.IsChanged());
    ASSERT_TRUE(rig.files.FileExists(kDataFile));
    CAppPrefs reread(rig.Services());
    reread.LoadFromBytes(*rig.files.Contents(kDataFile));
    EXPECT_EQ(reread.Settings().pickDelay, 1200);
}

TEST(CPrefsTest, SaveFailuresAreShownAndKeepTheSettings) {
    struct Case {
        FakeFileSystem::Op op;
        std::string path;
        std::uint32_t code;
        std::string wantText;
    };
    const Case cases[] = {
        {FakeFileSystem::Op::kWrite, kDataFile, kErrorAccessDenied,
         "Unable to write to " + kDataFile + ", it is read-only or opened by someone else."},
        {FakeFileSystem::Op::kWrite, kDataFile, kErrorDiskFull,
         "Error #112: There is not enough space on the disk.\n\nData: " + kDataFile},
        {FakeFileSystem::Op::kCreateFolders, test::kDataFolder, kErrorAccessDenied,
         "Unable to write to " + test::kDataFolder +
             ", it is read-only or opened by someone else."},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.files.Fail(c.op, c.path, c.code);
        rig.prefs.SetChanged();
        EXPECT_FALSE(rig.prefs.Save());
        EXPECT_TRUE(rig.prefs.IsChanged());
        ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
        EXPECT_EQ(rig.dialogs.Messages()[0].text, c.wantText);
        EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kWarning);
    }
}

TEST(CPrefsTest, FlushLetsWindowsStoreTheirStateThenSaves) {
    Rig rig;
    int calls = 0;
    const CSubscription flush = rig.prefs.SubscribeFlush([&] {
        ++calls;
        rig.prefs.WinState(kWinStateRuler).SetOpen(true);
    });
    rig.prefs.Flush();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(rig.prefs.IsChanged());
    CAppPrefs reread(rig.Services());
    reread.LoadFromBytes(*rig.files.Contents(kDataFile));
    EXPECT_TRUE(reread.WinState(kWinStateRuler).IsOpen());

    // Suppressed: nothing is written and the flag is cleared.
    rig.prefs.SetSaveSuppressed(true);
    rig.prefs.SetChanged();
    const int writes = rig.files.WriteCount();
    rig.prefs.Flush();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(rig.files.WriteCount(), writes);
    EXPECT_FALSE(rig.prefs.IsChanged());
    EXPECT_FALSE(rig.prefs.Save());
}

TEST(CPrefsTest, BackUpFlushesAndCopies) {
    Rig rig;
    rig.dialogs.ChooseFile("/fake/home/Documents/copy.dat");
    rig.prefs.SetZoomFactor(800);
    ASSERT_TRUE(rig.prefs.BackUp());
    ASSERT_EQ(rig.dialogs.FileDialogs().size(), 1u);
    EXPECT_TRUE(rig.dialogs.FileDialogs()[0].save);
    // The dialog starts in the documents folder, made for it.
    EXPECT_EQ(rig.dialogs.FileDialogs()[0].request.initialFolder, "/fake/home/Documents");
    EXPECT_TRUE(rig.files.FolderExists("/fake/home/Documents"));
    EXPECT_EQ(rig.dialogs.FileDialogs()[0].request.filter, "NerimLens Data Files (*.dat)|*.dat||");
    ASSERT_TRUE(rig.files.FileExists("/fake/home/Documents/copy.dat"));
    EXPECT_EQ(*rig.files.Contents("/fake/home/Documents/copy.dat"), *rig.files.Contents(kDataFile));
    CAppPrefs reread(rig.Services());
    reread.LoadFromBytes(*rig.files.Contents("/fake/home/Documents/copy.dat"));
    EXPECT_EQ(reread.Settings().zoomFactor, 800);

    // Cancelled: nothing happens; a failed copy is reported.
    EXPECT_FALSE(rig.prefs.BackUp());
    rig.dialogs.ChooseFile("/nowhere/copy.dat");
    EXPECT_FALSE(rig.prefs.BackUp());
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text,
              "Error #3: The system cannot find the path specified.\n\nData: /nowhere/copy.dat");
}

// The side file beside the data file: written by Save in its exact text, read back by Load
// (leniently: a damaged line is skipped, not the file), carried by Back Up and Restore.
TEST(CPrefsTest, SideSettingsLiveInAFileNamedAfterTheDataFile) {
    const struct {
        const char* data;
        const char* side;
    } names[] = {{"/d/NerimLens.dat", "/d/NerimLens.ini"},
                 {"/d/plain", "/d/plain.ini"},
                 {"/d/odd.ini", "/d/odd.ini.ini"},
                 {"/d.x/data", "/d.x/data.ini"}};
    for (const auto& n : names) EXPECT_EQ(CSideSettings::PathFor(n.data), n.side) << n.data;

    const std::string side = test::kDataFolder + "/NerimLens.ini";
    Rig rig;
    rig.prefs.Initialize({});
    rig.prefs.SetSide("window.1.scale", "2");
    rig.prefs.SetSide("bad key", "refused");
    rig.prefs.SetSide("ruler.unit", "lpx\nx=1");  // a line break would forge a line
    EXPECT_TRUE(rig.prefs.IsChanged());
    ASSERT_TRUE(rig.prefs.Save());
    EXPECT_EQ(rig.Text(side),
              "# NerimLens: settings kept beside the data file of the same name.\n"
              "window.1.scale=2\n");

    // Read back at the next start, past lines a hand or a crash left behind.
    rig.files.AddFile(side, [] {
        const std::string text =
            "# comment\r\nwindow.1.scale=1.5\r\n\x01\xff junk\n=no key\nspace key=1\nlast=";
        return Bytes(text.begin(), text.end());
    }());
    Rig next;
    next.files = rig.files;
    next.prefs.Initialize({});
    next.prefs.Load();
    EXPECT_EQ(next.prefs.Side().Get("window.1.scale"), "1.5");
    EXPECT_EQ(next.prefs.Side().Get("last"), "");
    EXPECT_EQ(next.prefs.Side().Get("space key"), std::nullopt);
    EXPECT_FALSE(next.prefs.IsChanged());

    // Back Up puts the side file beside the copy; Restore brings it back.
    next.dialogs.ChooseFile("/fake/home/Documents/copy.dat");
    ASSERT_TRUE(next.prefs.BackUp());
    EXPECT_EQ(next.Text("/fake/home/Documents/copy.ini"), next.Text(side));
    next.files.DeleteFile(side);
    next.dialogs.ChooseFile("/fake/home/Documents/copy.dat");
    next.dialogs.Answer(MsgAnswer::kOk);
    EXPECT_EQ(next.prefs.Restore(), DataRestoreResult::kExitRequested);
    EXPECT_EQ(next.Text(side), next.Text("/fake/home/Documents/copy.ini"));
}

TEST(CPrefsTest, RestoreReplacesTheDataFileAndStopsSaving) {
    enum class Asked { kNothing, kConfirmation, kError, kBoth };
    struct Case {
        const char* what;
        std::optional<std::string> chosen;
        MsgAnswer confirm;
        DataRestoreResult want;
        Asked asked;
        const char* error = "";
    };
    const std::string source = "/fake/home/Documents/old.dat";
    const std::string other = "/fake/home/Documents/notes.dat";
    const std::string missing = "/fake/home/Documents/missing.dat";
    const Case cases[] = {
        {"restored", source, MsgAnswer::kOk, DataRestoreResult::kExitRequested,
         Asked::kConfirmation},
        {"confirmation cancelled", source, MsgAnswer::kCancel, DataRestoreResult::kCancelled,
         Asked::kConfirmation},
        {"no file chosen", std::nullopt, MsgAnswer::kOk, DataRestoreResult::kCancelled,
         Asked::kNothing},
        {"not a data file: refused before anything changes", other, MsgAnswer::kOk,
         DataRestoreResult::kFailed, Asked::kError,
         "Attempted to access /fake/home/Documents/notes.dat past its end."},
        {"cannot be read", missing, MsgAnswer::kOk, DataRestoreResult::kFailed, Asked::kError,
         "Error #2: The system cannot find the file specified.\n\n"
         "Data: /fake/home/Documents/missing.dat"},
        {"the data file cannot be written", source, MsgAnswer::kOk, DataRestoreResult::kFailed,
         Asked::kBoth},
    };
    // A data file with a setting of its own, to tell it from the current one.
    Bytes saved;
    {
        Rig writer;
        writer.prefs.Initialize({});
        writer.prefs.SetOptions(OptionWord::kGeneral, 0x00010501);
        saved = writer.prefs.StoreToBytes();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.files.AddFile(source, saved);
        rig.files.AddFile(other, Bytes{'o', 'l', 'd'});
        rig.files.AddFile(kDataFile, Bytes{'c', 'u', 'r'});
        if (c.asked == Asked::kBoth) rig.files.Fail(FakeFileSystem::Op::kWrite, kDataFile, 5);
        rig.dialogs.ChooseFile(c.chosen);
        if (c.asked == Asked::kConfirmation || c.asked == Asked::kBoth)
            rig.dialogs.Answer(c.confirm);
        rig.prefs.SetChanged();
        const std::uint32_t general = rig.prefs.Settings().generalOptions;
        EXPECT_EQ(rig.prefs.Restore(), c.want);
        ASSERT_EQ(rig.dialogs.FileDialogs().size(), 1u);
        EXPECT_EQ(rig.dialogs.FileDialogs()[0].request.initialFolder, "/fake/home/Documents");
        const bool restored = c.want == DataRestoreResult::kExitRequested;
        EXPECT_EQ(*rig.files.Contents(kDataFile) == saved, restored);
        EXPECT_EQ(rig.prefs.IsSaveSuppressed(), restored);
        EXPECT_EQ(rig.prefs.IsChanged(), !restored);
        if (!restored) {
            // Checking the chosen file left the settings in memory as they were.
            EXPECT_EQ(rig.prefs.Settings().generalOptions, general);
        }
        // The exit that follows flushes: the restored file must survive it.
        rig.prefs.Flush();
        if (restored) {
            EXPECT_TRUE(*rig.files.Contents(kDataFile) == saved);
        }
        const auto& messages = rig.dialogs.Messages();
        switch (c.asked) {
            case Asked::kNothing:
                EXPECT_TRUE(messages.empty());
                break;
            case Asked::kConfirmation:
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text, LoadString(kIdsRestoreConfirm));
                EXPECT_EQ(messages[0].buttons, MsgButtons::kOkCancel);
                break;
            case Asked::kError:
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text, c.error);
                break;
            case Asked::kBoth:  // and the flush's own report of the failed write
                ASSERT_EQ(messages.size(), 3u);
                EXPECT_EQ(messages[0].text, LoadString(kIdsRestoreConfirm));
                EXPECT_EQ(messages[1].text, "Error #5: Access is denied.\n\nData: " + kDataFile);
                break;
        }
    }
}

}  // namespace
}  // namespace nl
