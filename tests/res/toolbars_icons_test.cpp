#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "res/forms.h"
#include "res/icons.h"
#include "res/menus.h"
#include "res/toolbars.h"

namespace nl {
namespace {

namespace fs = std::filesystem;

bool InMenu(const std::vector<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::kCommand && item.id == id) return true;
        if (item.kind == MenuItemKind::kPopup && InMenu(item.items, id)) return true;
    }
    return false;
}

TEST(ToolbarsTest, MainToolbarButtonsHaveIconsTipsAndMenuItems) {
    const auto buttons = FindToolbar(res::kToolbarMain);
    ASSERT_FALSE(buttons.empty());
    EXPECT_NE(buttons.front(), 0);
    EXPECT_NE(buttons.back(), 0);
    std::set<int> seen;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const int id = buttons[i];
        if (id == 0) {
            EXPECT_NE(buttons[i - 1], 0) << "two separators at " << i;
            continue;
        }
        EXPECT_TRUE(seen.insert(id).second) << id << " twice";
        EXPECT_FALSE(FindIconSvg(id).empty()) << id;
        const PromptAndTip strings = SplitPrompt(LoadString(static_cast<std::uint32_t>(id)));
        EXPECT_FALSE(strings.prompt.empty()) << id;
        EXPECT_FALSE(strings.tip.empty()) << id;
        // Every button can also be reached from the menu bar of every tool.
        for (const int menu : {res::kMenuMain, res::kMenuMagnifier, res::kMenuScreenCopier,
                               res::kMenuColorPicker, res::kMenuGauge})
            EXPECT_TRUE(InMenu(FindMenu(menu)->popups, id)) << id << " missing in " << menu;
    }
    // The four tools are all there.
    for (const int tool :
         {cmd::kToolMagnifier, cmd::kToolScreenCopier, cmd::kToolColorPicker, cmd::kToolGauge})
        EXPECT_EQ(seen.count(tool), 1u) << tool;
    EXPECT_TRUE(FindToolbar(1001).empty());
}

// Every icon that a toolbar, a form or the program itself shows.
std::set<int> UsedIcons() {
    std::set<int> ids = {res::kIconStarted, res::kIconStopped, res::kIconKeyboardAvailable,
                         res::kIconKeyboardUnavailable};
    for (const int id : FindToolbar(res::kToolbarMain))
        if (id != 0) ids.insert(id);
    for (const int form :
         {res::kFormMagnifier, res::kFormScreenCopier, res::kFormColorPicker, res::kFormGauge}) {
        for (const FormControl& control : FindForm(form)->controls)
            if (!control.hidden && (control.kind == FormControlKind::kCheckButton ||
                                    control.kind == FormControlKind::kIconButton))
                ids.insert(control.id);
    }
    return ids;
}

TEST(IconsTest, EveryUsedIconExistsAndIsDistinct) {
    const std::set<int> used = UsedIcons();
    EXPECT_GE(used.size(), 36u);
    std::set<std::string> texts;
    for (const int id : used) {
        const std::string_view svg = FindIconSvg(id);
        ASSERT_FALSE(svg.empty()) << id;
        EXPECT_EQ(svg.rfind("<svg ", 0), 0u) << id;
        EXPECT_NE(svg.find(R"(xmlns="http://www.w3.org/2000/svg")"), std::string_view::npos) << id;
        EXPECT_NE(svg.find(R"(viewBox="0 0 16 16")"), std::string_view::npos) << id;
        EXPECT_TRUE(texts.insert(std::string(svg)).second) << id << " repeats another icon";
    }
    for (const int id : {0, 1, 999, 3000, 3116 + 1, 99999}) EXPECT_TRUE(FindIconSvg(id).empty());
}

TEST(IconsTest, EveryIconIsWellFormedXml) {
    std::string pattern = (fs::temp_directory_path() / "nlicons-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    std::string command = "xmllint --noout";
    for (const int id : UsedIcons()) {
        const fs::path path = dir / (std::to_string(id) + ".svg");
        std::ofstream(path, std::ios::binary) << FindIconSvg(id);
        command += " '" + path.string() + "'";
    }
    command += " 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = ::pclose(pipe);
    std::error_code ec;
    fs::remove_all(dir, ec);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_EQ(output, "");
}

}  // namespace
}  // namespace nl
