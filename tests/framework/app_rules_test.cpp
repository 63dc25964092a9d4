#include "framework/app_rules.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/CCmdTarget.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using test::PrefsRig;

TEST(MaintenanceSwitchTest, WholeCommandLineComparedWithoutCase) {
    struct Case {
        std::vector<std::string> arguments;
        MaintenanceSwitch want;
    };
    const Case cases[] = {
        {{}, MaintenanceSwitch::kNone},
        {{"/upgrade"}, MaintenanceSwitch::kUpgrade},
        {{"/UNINSTALL"}, MaintenanceSwitch::kUninstall},
        {{"/UnInstall"}, MaintenanceSwitch::kUninstall},
        {{" /upgrade "}, MaintenanceSwitch::kUpgrade},
        // Only the whole line counts: a switch among other arguments is an ordinary start.
        {{"/uninstall", "x.nlz"}, MaintenanceSwitch::kNone},
        {{"x.nlz", "/upgrade"}, MaintenanceSwitch::kNone},
        {{"/uninstal"}, MaintenanceSwitch::kNone},
        {{"-uninstall"}, MaintenanceSwitch::kNone},
        {{"/upgrade/uninstall"}, MaintenanceSwitch::kNone},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const auto& a : c.arguments) line += "[" + a + "]";
        EXPECT_EQ(ParseMaintenanceSwitch(c.arguments), c.want) << line;
    }
}

class MaintenanceRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_prefs.SetRegistryKey();
        m_rig.files.AddFolder(m_rig.folders.autostart);
        m_rig.files.AddFile(m_prefs.StartupShortcutPath(), {'x'});
        m_rig.store.WriteString(SettingsScope::kUser, test::kRegistryKey, "Path", "/opt/x");
        m_rig.store.WriteString(SettingsScope::kUser, "Software\\Other\\App", "Keep", "1");
        m_rig.store.WriteString(SettingsScope::kMachine, test::kRegistryKey, "AppStartup", "1");
    }

    PrefsRig m_rig;
    CAppPrefs m_prefs{m_rig.Services()};
};

TEST_F(MaintenanceRunTest, EachSwitchRemovesWhatItShould) {
    struct Case {
        MaintenanceSwitch which;
        bool shortcutKept;
        bool userKeyKept;
    };
    const Case cases[] = {
        {MaintenanceSwitch::kNone, true, true},
        {MaintenanceSwitch::kUpgrade, false, true},
        {MaintenanceSwitch::kUninstall, false, false},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(RunMaintenanceSwitch(c.which, m_prefs), 0u);
        EXPECT_EQ(m_rig.files.FileExists(m_prefs.StartupShortcutPath()), c.shortcutKept);
        EXPECT_EQ(m_rig.store.KeyExists(SettingsScope::kUser, test::kRegistryKey), c.userKeyKept);
        // Other programs' settings are never touched.
        EXPECT_TRUE(m_rig.store.KeyExists(SettingsScope::kUser, "Software\\Other\\App"));
    }
}

TEST_F(MaintenanceRunTest, UninstallGoesOnWhenTheMachineKeyIsReadOnly) {
    m_rig.store.FailWrites(SettingsScope::kMachine, kErrorAccessDenied);
    EXPECT_EQ(RunMaintenanceSwitch(MaintenanceSwitch::kUninstall, m_prefs), 0u);
    EXPECT_FALSE(m_rig.store.KeyExists(SettingsScope::kUser, test::kRegistryKey));
    EXPECT_FALSE(m_rig.files.FileExists(m_prefs.StartupShortcutPath()));
}

TEST(UpdaterTest, PathArgumentsAndTimer) {
    EXPECT_EQ(UpdaterPath("/opt/nerimlens/bin/nerimlens"), "/opt/nerimlens/bin/NerimUpdaterAI");
    EXPECT_EQ(UpdaterPath("/nerimlens"), "/NerimUpdaterAI");
    EXPECT_EQ(UpdaterArguments(UpdaterRequest::kCheckNow), std::vector<std::string>{"/checknow"});
    EXPECT_EQ(UpdaterArguments(UpdaterRequest::kSilent), std::vector<std::string>{"/silent"});
    EXPECT_EQ(UpdaterArguments(UpdaterRequest::kConfigure, 0x3A00007),
              (std::vector<std::string>{"/configure", "60817415"}));
    EXPECT_EQ(UpdaterTimerInterval(0), 5000);
    EXPECT_EQ(UpdaterTimerInterval(1), 21600000);
    EXPECT_EQ(UpdaterTimerInterval(7), 21600000);
}

TEST(UpdaterTest, CommandsAreDisabledWithAReasonWithoutTheUpdater) {
    CCmdUI installed(cmd::kCheckForUpdates);
    UpdateUpdaterCommand(installed, UpdaterPresence::kInstalled);
    EXPECT_TRUE(installed.Enabled());
    EXPECT_FALSE(installed.ToolTip());
    CCmdUI missing(cmd::kCheckForUpdates);
    UpdateUpdaterCommand(missing, UpdaterPresence::kMissing);
    EXPECT_FALSE(missing.Enabled());
    ASSERT_TRUE(missing.ToolTip());
    EXPECT_NE(missing.ToolTip()->find("package manager"), std::string::npos);
}

TEST(StartDocumentTest, OnlyAnUnnamedStartReopensTheLastDocument) {
    constexpr std::uint32_t kKeep = AppSettings::kGeneralKeepDocument;
    constexpr std::uint32_t kBoth = kKeep | AppSettings::kGeneralReopenDocument;
    struct Case {
        StartDocument named;
        std::uint32_t options;
        const char* recent;
        bool reopens;
    };
    const Case cases[] = {
        {StartDocument::kNoneNamed, kBoth, "/d/a.nlc", true},
        // A named document that did not open leaves the new document.
        {StartDocument::kNamed, kBoth, "/d/a.nlc", false},
        {StartDocument::kNoneNamed, kKeep, "/d/a.nlc", false},
        {StartDocument::kNoneNamed, AppSettings::kGeneralReopenDocument, "/d/a.nlc", false},
        {StartDocument::kNoneNamed, kBoth, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.named) << " " << c.options << " " << c.recent);
        EXPECT_EQ(ReopensLastDocument(c.named, c.options, c.recent), c.reopens);
    }
}

}  // namespace
}  // namespace nl
