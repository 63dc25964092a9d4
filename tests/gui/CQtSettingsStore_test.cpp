#include "platform/qt/CQtSettingsStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "base/CSystemError.h"
#include "framework/CRecentFileList.h"
#include "platform/qt/CQtDialogs.h"

namespace nl {
namespace {

constexpr const char* kKey = "Software\\Nerim Rirideviz\\NerimLens\\CurrentVersion";

class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString UserFile() const { return m_dir.filePath("config/Nerim Rirideviz/NerimLens.conf"); }
    QString MachineFile() const { return m_dir.filePath("etc/Nerim Rirideviz/NerimLens.conf"); }
    // What an installer leaves in the machine's file.
    void WriteMachineValue(const QString& key, const QString& value) const {
        QSettings installer(MachineFile(), QSettings::IniFormat);
        installer.setValue(key, value);
        installer.sync();
        ASSERT_EQ(installer.status(), QSettings::NoError);
    }

    QTemporaryDir m_dir;
};

TEST_F(QtSettingsStoreTest, ValuesKeepTheirKindAcrossAReopen) {
    struct Case {
        const char* name;
        std::optional<std::string> text;
        std::optional<std::uint32_t> number;
    };
    const Case cases[] = {
        {"Path", "/opt/nerimlens/nerimlens", {}},
        {"Empty", "", {}},
        {"Digits", "12345", {}},  // a number written as text stays text
        {"Marked", "dword:0000002a", {}},
        {"Escaped", "str:x", {}},
        {"Spaced", "  a = b ; c  ", {}},
        {"Unicode", "Caf\xC3\xA9 \xE2\x82\xAC", {}},
        {"Version", {}, 0x00010012},
        {"Zero", {}, 0},
        {"Max", {}, 0xFFFFFFFF},
    };
    {
        CQtSettingsStore store(UserFile(), MachineFile());
        for (const Case& c : cases) {
            const std::uint32_t code =
                c.text ? store.WriteString(SettingsScope::kUser, kKey, c.name, *c.text)
                       : store.WriteInt(SettingsScope::kUser, kKey, c.name, *c.number);
            EXPECT_EQ(code, 0u) << c.name;
        }
    }
    EXPECT_TRUE(QFile::exists(UserFile()));
    CQtSettingsStore reopened(UserFile(), MachineFile());
    for (const Case& c : cases) {
        EXPECT_EQ(reopened.ReadString(SettingsScope::kUser, kKey, c.name), c.text) << c.name;
        EXPECT_EQ(reopened.ReadInt(SettingsScope::kUser, kKey, c.name), c.number) << c.name;
    }
    EXPECT_FALSE(reopened.ReadString(SettingsScope::kUser, kKey, "Missing").has_value());
    EXPECT_FALSE(reopened.ReadString(SettingsScope::kMachine, kKey, "Path").has_value());
}

TEST_F(QtSettingsStoreTest, KeysAreGroupsAndDeleteTakesTheWholeTree) {
    CQtSettingsStore store(UserFile(), MachineFile());
    store.WriteString(SettingsScope::kUser, "Software\\Nerim Rirideviz\\NerimLens\\", "Top", "1");
    store.WriteString(SettingsScope::kUser, kKey, "Path", "/x");
    store.WriteString(SettingsScope::kUser, "Software\\Other", "Keep", "1");
    EXPECT_EQ(CQtSettingsStore::SettingsKey("A\\B\\", "C"), "A/B/C");
    EXPECT_EQ(CQtSettingsStore::SettingsKey("A\\\\B"), "A/B");

    struct Case {
        const char* key;
        bool exists;
    };
    const Case before[] = {{"Software\\Nerim Rirideviz\\NerimLens", true},
                           {"Software\\Nerim Rirideviz\\NerimLens\\", true},
                           {kKey, true},
                           {"Software\\Nerim Rirideviz\\NerimLen", false},
                           {"Software\\Nothing", false}};
    for (const Case& c : before)
        EXPECT_EQ(store.KeyExists(SettingsScope::kUser, c.key), c.exists) << c.key;

    EXPECT_EQ(store.DeleteKey(SettingsScope::kUser, "Software\\Nerim Rirideviz\\NerimLens\\"), 0u);
    EXPECT_FALSE(store.KeyExists(SettingsScope::kUser, kKey));
    EXPECT_FALSE(store.KeyExists(SettingsScope::kUser, "Software\\Nerim Rirideviz\\NerimLens"));
    EXPECT_TRUE(store.KeyExists(SettingsScope::kUser, "Software\\Other"));
    EXPECT_EQ(store.DeleteKey(SettingsScope::kUser, "Software\\Nothing"),
              static_cast<std::uint32_t>(kErrorFileNotFound));
}

TEST_F(QtSettingsStoreTest, TheMachineScopeIsReadOnly) {
    WriteMachineValue("Software/Nerim Rirideviz/NerimLens/CurrentVersion/InstallInstance", "abc-1");
    CQtSettingsStore store(UserFile(), MachineFile());
    EXPECT_EQ(store.ReadString(SettingsScope::kMachine, kKey, "InstallInstance"), "abc-1");
    EXPECT_TRUE(store.KeyExists(SettingsScope::kMachine, kKey));
    EXPECT_EQ(store.WriteString(SettingsScope::kMachine, kKey, "AppStartup", "1"),
              static_cast<std::uint32_t>(kErrorAccessDenied));
    EXPECT_EQ(store.WriteInt(SettingsScope::kMachine, kKey, "Version", 1),
              static_cast<std::uint32_t>(kErrorAccessDenied));
    EXPECT_EQ(store.DeleteKey(SettingsScope::kMachine, kKey),
              static_cast<std::uint32_t>(kErrorAccessDenied));
    EXPECT_EQ(store.ReadString(SettingsScope::kMachine, kKey, "InstallInstance"), "abc-1");
    EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_F(QtSettingsStoreTest, AnUnwritableFileIsReportedAsAccessDenied) {
    // The settings file's folder is a file, so the settings cannot be written.
    QFile blocker(m_dir.filePath("config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CQtSettingsStore store(UserFile(), MachineFile());
    EXPECT_EQ(store.WriteString(SettingsScope::kUser, kKey, "Path", "/x"),
              static_cast<std::uint32_t>(kErrorAccessDenied));
}

TEST_F(QtSettingsStoreTest, DefaultPlacesFollowTheXdgVariables) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("home-config")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath("sys1") + ":/nowhere"));
    EXPECT_EQ(CQtSettingsStore::DefaultUserFile(),
              m_dir.filePath("home-config/Nerim Rirideviz/NerimLens.conf"));
    EXPECT_EQ(CQtSettingsStore::DefaultMachineFile(),
              m_dir.filePath("sys1/Nerim Rirideviz/NerimLens.conf"));
    // The recent-file list lives in the user's file through the store.
    {
        CQtSettingsStore store;
        CRecentFileList list(store, "Software\\Nerim Rirideviz\\NerimLens\\", 4);
        list.Add("/docs/a.nlz");
        list.Add("/docs/b.nlz");
        EXPECT_EQ(list.Save(), 0u);
    }
    CQtSettingsStore store;
    CRecentFileList list(store, "Software\\Nerim Rirideviz\\NerimLens\\", 4);
    list.Load();
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(list.Path(0), "/docs/b.nlz");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
}

TEST(QtDialogsTest, FiltersAndDefaultSuffixes) {
    EXPECT_EQ(CQtDialogs::QtFilters("NerimLens Files (*.nlz)|*.nlz||"),
              QStringList{"NerimLens Files (*.nlz)"});
    EXPECT_EQ(CQtDialogs::QtFilters(
                  "Text (*.txt)|*.txt|CSV (*.csv)|*.csv|HTML (*.htm)|*.htm|XML (*.xml)|*.xml||"),
              (QStringList{"Text (*.txt)", "CSV (*.csv)", "HTML (*.htm)", "XML (*.xml)"}));
    // Names without their patterns get them; several patterns are separated by spaces.
    EXPECT_EQ(CQtDialogs::QtFilters("Images|*.png;*.jpg|All Files|*.*||"),
              (QStringList{"Images (*.png *.jpg)", "All Files (*.*)"}));
    EXPECT_EQ(CQtDialogs::QtFilters(""), QStringList{});

    struct Case {
        const char* filter;
        const char* want;
    };
    const Case cases[] = {
        {"Text (*.txt)", "txt"},
        {"Images (*.png *.jpg)", "png"},
        {"All Files (*.*)", "dflt"},
        {"Anything (*)", "dflt"},
        {"Odd", "dflt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQtDialogs::SuffixOf(c.filter, "dflt"), c.want) << c.filter;
}

}  // namespace
}  // namespace nl
