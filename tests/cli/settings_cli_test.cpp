// Runs "nerimlens-cli settings" on data files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "framework/prefs_test_support.h"

namespace nl {
namespace {

using test::RunCli;
using test::RunResult;

namespace fs = std::filesystem;
using test::Bytes;

class SettingsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "nl-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Path(const std::string& name) const { return (m_root / name).string(); }
    static Bytes ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    fs::path m_root;
};

TEST_F(SettingsCliTest, DefaultsWritesTheLayoutAndChecksOk) {
    const std::string file = Path("NerimLens.dat");
    const RunResult written = RunCli({"settings", "defaults", file});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    Bytes actual = ReadBytes(file);
    Bytes expected = test::BuildDataFile(test::FileSpec{});
    ASSERT_EQ(actual.size(), expected.size());
    // The save dates aside: the moment in the settings block and in the common block.
    const std::string common = "SCCN";
    const auto at = std::search(actual.begin(), actual.end(), common.begin(), common.end());
    ASSERT_NE(at, actual.end());
    for (const std::size_t offset :
         {std::size_t{16}, static_cast<std::size_t>(at - actual.begin()) + 12})
        std::copy_n(actual.begin() + static_cast<std::ptrdiff_t>(offset), 8,
                    expected.begin() + static_cast<std::ptrdiff_t>(offset));
    EXPECT_EQ(actual, expected);

    const RunResult checked = RunCli({"settings", "check", file});
    EXPECT_EQ(checked.exitCode, 0);
    EXPECT_EQ(checked.out, "ok\n");
}

TEST_F(SettingsCliTest, DefaultsTakesValidHotKeysAndRefusesOthers) {
    struct Case {
        std::vector<std::string> options;
        bool wantOk;
        std::vector<std::uint32_t> wantHotKeys;
    };
    const Case cases[] = {
        {{"--hot-key", "0=0x2007B"}, true, {0x2007B, 0, 0, 0, 0}},  // Ctrl+F12
        {{"--hot-key", "1=131195", "--hot-key", "3=0x40070"}, true, {0, 0x2007B, 0, 0x40070, 0}},
        // The Contrast window's goes to the side file.
        {{"--hot-key", "4=0x2007B"}, true, {0, 0, 0, 0, 0x2007B}},
        {{"--hot-key", "0=0x20050"}, false, {}},  // Ctrl+P
        {{"--hot-key", "0=0x70"}, false, {}},     // F1 alone
        {{"--hot-key", "0=0x10073"}, false, {}},  // Alt+F4
        {{"--hot-key", "5=0x2007B"}, false, {}},
        {{"--hot-key", "0"}, false, {}},
        {{"--hot-key", "x=1"}, false, {}},
        {{"--hot-key", "0=12abc"}, false, {}},
    };
    for (const Case& c : cases) {
        const std::string file = Path("hot.dat");
        fs::remove(file);
        std::vector<std::string> args = {"settings", "defaults", file};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult written = RunCli(args);
        // A refused hot key is a bad argument.
        EXPECT_EQ(written.exitCode, c.wantOk ? 0 : 2) << c.options.back() << " " << written.err;
        EXPECT_EQ(fs::exists(file), c.wantOk) << c.options.back();
        if (!c.wantOk) continue;
        const RunResult dumped = RunCli({"settings", "dump", file});
        ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
        const auto json = nlohmann::json::parse(dumped.out);
        std::vector<std::uint32_t> hotKeys;
        for (const auto& entry : json["hot_keys"]) hotKeys.push_back(entry["value"]);
        hotKeys.push_back(json["contrast_hot_key"]["value"]);
        EXPECT_EQ(hotKeys, c.wantHotKeys);
        EXPECT_EQ(fs::exists(Path("hot.ini")), c.wantHotKeys[4] != 0);
        fs::remove(Path("hot.ini"));
    }
}

TEST_F(SettingsCliTest, DefaultsReplacesOnlyDataFilesUnlessForced) {
    ASSERT_EQ(RunCli({"settings", "defaults", Path("old.dat")}).exitCode, 0);
    WriteBytes(Path("doc.nlz"), Bytes{'N', 'C', 'n', 'l', 'D', 'o', 'c'});
    WriteBytes(Path("empty.dat"), Bytes{});
    struct Case {
        std::vector<std::string> args;
        int wantExit;
        const char* wantError;  // part of the one error line; empty when it succeeds
    };
    const Case cases[] = {
        {{"settings", "defaults", Path("doc.nlz")}, 1, "doc.nlz is not a data file; give --force"},
        {{"settings", "defaults", "/dev/null"}, 1, "Error #222: This is not a regular file"},
        {{"settings", "defaults", ""}, 1, "Data: \"\""},
        {{"settings", "check", ""}, 1, "Data: \"\""},
        {{"settings", "defaults", Path("old.dat")}, 0, ""},
        {{"settings", "defaults", Path("empty.dat")}, 0, ""},
        {{"settings", "defaults", Path("new.dat")}, 0, ""},
        {{"settings", "defaults", "--force", Path("doc.nlz")}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const Bytes before = ReadBytes(c.args.back());
        const RunResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.wantExit);
        if (c.wantExit != 0) {
            EXPECT_NE(r.err.find(c.wantError), std::string::npos) << r.err;
            EXPECT_EQ(ReadBytes(c.args.back()), before);
        } else {
            EXPECT_EQ(RunCli({"settings", "check", c.args.back()}).out, "ok\n");
        }
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(SettingsCliTest, DefaultsKeepsAFileItCannotReadUnlessForced) {
    const std::string file = Path("theirs.txt");
    const Bytes theirs = {'n', 'o', 't', ' ', 'y', 'o', 'u', 'r', 's', '\n'};
    WriteBytes(file, theirs);
    fs::permissions(file, fs::perms::owner_write);
    // A user who may read every file (root) has no such file to test with.
    if (::access(file.c_str(), R_OK) == 0) GTEST_SKIP() << "this user can read a mode 0200 file";

    const RunResult refused = RunCli({"settings", "defaults", file});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("theirs.txt is not a data file; give --force"), std::string::npos)
        << refused.err;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes(file), theirs);

    fs::permissions(file, fs::perms::owner_write);
    const RunResult forced = RunCli({"settings", "defaults", "--force", file});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(RunCli({"settings", "check", file}).out, "ok\n");
}

TEST_F(SettingsCliTest, DumpPrintsEverySetting) {
    test::FileSpec layout;
    layout.zoomFactor = 800;
    layout.hotKeys = {0x2007B, 0, 0, 0, 0x10070};
    layout.writerVersion = 0x00010011;
    const std::string file = Path("prefs.dat");
    WriteBytes(file, test::BuildDataFile(layout));
    const RunResult r = RunCli({"settings", "dump", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    const char* keys[] = {"recent_file_count",
                          "general_options",
                          "general_options_names",
                          "display_options",
                          "display_options_names",
                          "sound_options",
                          "sound_options_names",
                          "active_tool",
                          "export_option",
                          "zoom_factor",
                          "color_format_index",
                          "length_unit_index",
                          "color_picker_options",
                          "color_picker_options_names",
                          "magnifier_options",
                          "magnifier_options_names",
                          "gauge_options",
                          "gauge_options_names",
                          "screen_copier_options",
                          "screen_copier_options_names",
                          "pick_delay",
                          "screen_copier_fill_color",
                          "reserved_a",
                          "reserved_b",
                          "writer_version",
                          "format_version",
                          "saved_at",
                          "ruler",
                          "event_sounds",
                          "custom_colors",
                          "hot_keys",
                          "contrast_hot_key",
                          "window_states"};
    for (const char* key : keys) EXPECT_TRUE(json.contains(key)) << key;
    EXPECT_EQ(json.size(), std::size(keys));
    EXPECT_EQ(json["zoom_factor"], 800);
    EXPECT_EQ(json["general_options"], 0x00010701);
    EXPECT_EQ(json["screen_copier_fill_color"], 0xFFFFFF);
    EXPECT_EQ(json["writer_version"], 0x00010011);
    EXPECT_EQ(json["format_version"], 0x00010000);
    EXPECT_EQ(json["saved_at"], "2024-01-01T00:00:00Z");
    EXPECT_EQ(
        json["ruler"],
        nlohmann::json::parse(
            R"({"caption_items":515,"caption_items_names":["unit","scale","cursor_projection"],)"
            R"("options":16385,"options_names":["unit_pixel","guide"],"base":10,"scale":100,)"
            R"("auto_preview":1})"));
    EXPECT_EQ(json["event_sounds"].size(), 3u);
    EXPECT_EQ(json["custom_colors"].size(), 16u);
    ASSERT_EQ(json["hot_keys"].size(), 5u);
    EXPECT_EQ(json["hot_keys"][0]["text"], "Ctrl + F12");
    EXPECT_EQ(json["hot_keys"][1]["text"], "None");
    EXPECT_EQ(json["hot_keys"][4]["value"], 0x10070);
    ASSERT_EQ(json["window_states"].size(), 7u);
    EXPECT_EQ(json["window_states"][1]["flags"], 0);
    EXPECT_EQ(json["window_states"][1]["numbers"], nlohmann::json::parse("[0]"));
    EXPECT_EQ(json["window_states"][0]["placement"]["show_cmd"], 0);
    EXPECT_EQ(json["window_states"][0]["placement"]["normal_position"]["right"], 0);
}

TEST_F(SettingsCliTest, DumpNamesTheBitsOfEveryOptionWord) {
    test::FileSpec layout;
    layout.generalOptions = 0x00010301;
    layout.displayOptions = 0x02000102;
    layout.soundOptions = 0;
    layout.colorPickerOptions = 0x00080100;
    layout.magnifierOptions = 0x8010;  // 0x8000 has no name
    layout.gaugeOptions = 0x100;
    layout.screenCopierOptions = 0x120;
    const std::string file = Path("named.dat");
    WriteBytes(file, test::BuildDataFile(layout));
    const RunResult r = RunCli({"settings", "dump", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    const std::pair<const char*, const char*> cases[] = {
        {"general_options", R"(["picking_started","keep_document","reopen_document","tool_tips"])"},
        {"display_options", R"(["stay_on_top","grid_lines","status_bar"])"},
        {"sound_options", "[]"},
        {"color_picker_options", R"(["auto_stop","view_list"])"},
        {"magnifier_options", R"(["cursor_position","0x8000"])"},
        {"gauge_options", R"(["show_grid"])"},
        {"screen_copier_options", R"(["include_cursor","fit_images"])"},
    };
    for (const auto& [word, names] : cases)
        EXPECT_EQ(json[std::string(word) + "_names"], nlohmann::json::parse(names)) << word;
}

TEST_F(SettingsCliTest, DumpDefaultsToTheProgramsOwnFile) {
    const std::string folder = Path("data/Nerim Rirideviz/NerimLens");
    fs::create_directories(folder);
    test::FileSpec layout;
    layout.pickDelay = 1300;
    WriteBytes(folder + "/NerimLens.dat", test::BuildDataFile(layout));
    const RunResult r = RunCli({"settings", "dump"}, "LC_ALL=C XDG_DATA_HOME=" + Path("data"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["pick_delay"], 1300);
}

TEST_F(SettingsCliTest, CheckReportsDamageAndLeavesTheFileAlone) {
    test::FileSpec badMagic;
    badMagic.magic = 0x21212121;
    Bytes truncated = test::BuildDataFile(test::FileSpec{});
    truncated.resize(300);
    struct Case {
        const char* what;
        Bytes bytes;
        std::string wantError;
    };
    const std::string file = Path("NerimLens.dat");
    const Case cases[] = {
        {"wrong magic", test::BuildDataFile(badMagic), file + " has a bad format."},
        {"truncated", truncated, "Attempted to access " + file + " past its end."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(file, c.bytes);
        for (const char* command : {"check", "dump"}) {
            const RunResult r = RunCli({"settings", command, file});
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find(c.wantError), std::string::npos) << r.err;
        }
        EXPECT_EQ(ReadBytes(file), c.bytes);
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_root)) names.push_back(e.path().filename());
        EXPECT_EQ(names, std::vector<std::string>{"NerimLens.dat"});
    }
    const RunResult missing = RunCli({"settings", "check", Path("missing.dat")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Error #2: "), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace nl
