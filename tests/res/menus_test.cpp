#include "res/menus.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "res/accelerators.h"

namespace nl {
namespace {

constexpr int kMainMenus[] = {res::kMenuMain, res::kMenuMagnifier, res::kMenuScreenCopier,
                              res::kMenuColorPicker, res::kMenuGauge};
constexpr int kAllMenus[] = {res::kMenuMain,
                             res::kMenuMagnifier,
                             res::kMenuScreenCopier,
                             res::kMenuColorPicker,
                             res::kMenuGauge,
                             res::kMenuTray,
                             res::kMenuColorsContext,
                             res::kMenuColorPropertiesContext,
                             res::kMenuCapturedImageContext,
                             res::kMenuRuler,
                             res::kMenuClipboardViewer,
                             res::kMenuMeasurementsContext};
constexpr int kSep = 0;

// The caption without its mnemonic mark and key.
std::string Caption(const std::string& text) {
    std::string caption;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i)
        if (text[i] != '&') caption += text[i];
    return caption;
}

// The commands of a popup, one level deep, separators as 0, submenus left out.
std::vector<int> Commands(const MenuItem& popup) {
    std::vector<int> ids;
    for (const MenuItem& item : popup.items)
        if (item.kind != MenuItemKind::kPopup) ids.push_back(item.id);
    return ids;
}

const MenuItem& Popup(int menu, const std::string& caption) {
    for (const MenuItem& popup : FindMenu(menu)->popups)
        if (Caption(popup.text) == caption) return popup;
    throw std::runtime_error("no popup " + caption);
}

template <typename Visit>
void ForEachItem(const std::vector<MenuItem>& items, const Visit& visit) {
    for (const MenuItem& item : items) {
        visit(item);
        if (item.kind == MenuItemKind::kPopup) ForEachItem(item.items, visit);
    }
}

TEST(MenusTest, ToolMenusShareTheirPopups) {
    const std::vector<std::string> popups = {"File", "Edit", "View", "Tools", "Window", "Help"};
    const std::map<std::string, std::vector<int>> shared = {
        {"File",
         {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFileSaveAs, kSep, cmd::kSaveImage,
          cmd::kImportColors, kSep, cmd::kFileMruFirst, kSep, cmd::kAppExit}},
        {"Tools",
         {cmd::kToolMagnifier, cmd::kToolScreenCopier, cmd::kToolGauge, cmd::kToolColorPicker, kSep,
          cmd::kTogglePicking, kSep, cmd::kRuler, cmd::kClipboardViewer, cmd::kContrast, kSep,
          cmd::kOptions}},
        {"Window", {cmd::kShowHide, cmd::kStayOnTop, cmd::kArrange}},
        {"Help", {cmd::kHelp, kSep, cmd::kCheckForUpdates, cmd::kWebSite, kSep, cmd::kAppAbout}},
    };
    for (const int id : kMainMenus) {
        std::vector<std::string> captions;
        for (const MenuItem& popup : FindMenu(id)->popups) captions.push_back(Caption(popup.text));
        ASSERT_EQ(captions, popups) << id;
        for (const auto& [caption, commands] : shared)
            EXPECT_EQ(Commands(Popup(id, caption)), commands) << id << " " << caption;
        const MenuItem& file = Popup(id, "File");
        EXPECT_EQ(file.items[9].kind, MenuItemKind::kRecentFiles) << id;
        const MenuItem& exportTo = file.items.at(6);
        EXPECT_EQ(Caption(exportTo.text), "Export Colors To") << id;
        EXPECT_EQ(Commands(exportTo),
                  (std::vector<int>{cmd::kExportColorsToFile, cmd::kExportColorsToBrowser,
                                    cmd::kExportColorsToClipboard}));
    }
    EXPECT_EQ(FindMenu(1074), nullptr);
}

TEST(MenusTest, EditAndViewPopupsFollowTheTool) {
    const std::vector<int> bars = {cmd::kGridlines, kSep, cmd::kViewToolbar, cmd::kViewStatusBar};
    std::vector<int> colorsView = {cmd::kViewLargeIcons,
                                   cmd::kViewSmallIcons,
                                   cmd::kViewList,
                                   cmd::kViewDetails,
                                   kSep,
                                   cmd::kColorNameColumn,
                                   kSep};
    colorsView.insert(colorsView.end(), bars.begin(), bars.end());
    struct Case {
        int menu;
        std::vector<int> edit, view;
    };
    const Case cases[] = {
        {res::kMenuMain, {}, bars},
        {res::kMenuMagnifier, {cmd::kCopyInstructions, cmd::kCopyCentreColor}, bars},
        {res::kMenuScreenCopier,
         {cmd::kEditCopy, cmd::kEditDelete, kSep, cmd::kSnapToEdges, cmd::kSnapSteepest},
         bars},
        {res::kMenuColorPicker,
         {cmd::kEditCopy, cmd::kCopyAllColors, kSep, cmd::kPickColor, cmd::kCopyColor,
          cmd::kShiftEnterAction, kSep, cmd::kGotoColor, cmd::kAddColor, cmd::kEditColor, kSep,
          cmd::kEditDelete, cmd::kDeleteAllColors, kSep, cmd::kMoveColorUp, cmd::kMoveColorDown,
          kSep, cmd::kColorProperties},
         colorsView},
        {res::kMenuGauge,
         {cmd::kEditCopy, cmd::kCopyAllMeasurements, kSep, cmd::kPreviewMeasurement, kSep,
          cmd::kDeleteAllMeasurements, kSep, cmd::kKeepMeasurements, cmd::kCopyAnnotatedImage,
          cmd::kSaveAnnotatedImage, kSep, cmd::kSnapToEdges, cmd::kSnapSteepest},
         bars},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Commands(Popup(c.menu, "Edit")), c.edit) << c.menu;
        EXPECT_EQ(Commands(Popup(c.menu, "View")), c.view) << c.menu;
    }
}

TEST(MenusTest, TrayMenuOrderAndSeparators) {
    const MenuResource& tray = *FindMenu(res::kMenuTray);
    ASSERT_EQ(tray.popups.size(), 1u);
    EXPECT_EQ(Commands(tray.popups[0]),
              (std::vector<int>{cmd::kShowHide, cmd::kTogglePicking, kSep, cmd::kRuler,
                                cmd::kClipboardViewer, cmd::kContrast, kSep, cmd::kOptions, kSep,
                                cmd::kHelp, cmd::kAppAbout, cmd::kAppExit}));
}

TEST(MenusTest, QuotedCaptionsAreExact) {
    struct Case {
        int menu, command;
        const char* text;
    };
    const Case cases[] = {
        {res::kMenuMagnifier, cmd::kCopyInstructions, "&Copy?"},
        {res::kMenuGauge, cmd::kEditCopy, "&Copy\tCtrl+C"},
        {res::kMenuGauge, cmd::kPreviewMeasurement, "&Preview\tCtrl+G"},
        {res::kMenuGauge, cmd::kDeleteAllMeasurements, "&Delete All\tDel"},
        {res::kMenuMeasurementsContext, cmd::kEditCopy, "&Copy\tCtrl+C"},
        {res::kMenuScreenCopier, cmd::kSaveImage, "Export &Image..."},
        {res::kMenuMain, cmd::kExportColorsToClipboard, "&Clipboard\tCtrl+Shift+C"},
        {res::kMenuMain, cmd::kClipboardViewer, "Clipboard &Viewer"},
        {res::kMenuRuler, cmd::kRulerCaptionFirst + 2, "Ruler P&osition"},
        {res::kMenuRuler, cmd::kRulerZoomIn, "Zoom &In\tCtrl++"},
    };
    for (const Case& c : cases) {
        int found = 0;
        ForEachItem(FindMenu(c.menu)->popups, [&](const MenuItem& item) {
            if (item.kind != MenuItemKind::kCommand || item.id != c.command) return;
            EXPECT_EQ(item.text, c.text) << c.menu;
            ++found;
        });
        EXPECT_EQ(found, 1) << c.menu << " " << c.command;
    }
}

TEST(MenusTest, KeyTextsAgreeWithTheAcceleratorTables) {
    // Items whose key runs another command that leads to them.
    const std::map<int, int> keyRuns = {
        {cmd::kPickColor, cmd::kPick},
        {cmd::kCopyColor, cmd::kCopy},
        {cmd::kShiftEnterAction, cmd::kShiftEnter},
        {cmd::kPreviewMeasurement, cmd::kGotoColor},
        {cmd::kDeleteAllMeasurements, cmd::kEditDelete},
    };
    // Keys work only in their window: the tray, the properties window and the clipboard
    // viewer show none.
    const std::map<int, int> tables = {{res::kMenuTray, 0},
                                       {res::kMenuColorPropertiesContext, 0},
                                       {res::kMenuClipboardViewer, 0},
                                       {res::kMenuRuler, res::kAcceleratorsRuler}};
    int withKeys = 0;
    for (const int id : kAllMenus) {
        const auto table = tables.find(id);
        const int keys = table == tables.end() ? res::kAcceleratorsMain : table->second;
        ForEachItem(FindMenu(id)->popups, [&](const MenuItem& item) {
            if (item.kind != MenuItemKind::kCommand) return;
            const auto alias = keyRuns.find(item.id);
            const int runs = alias == keyRuns.end() ? item.id : alias->second;
            const std::string key = keys == 0 ? "" : CommandKeyText(keys, runs);
            const auto tab = item.text.find('\t');
            EXPECT_EQ(tab == std::string::npos ? "" : item.text.substr(tab + 1), key)
                << id << ": " << item.text;
            withKeys += key.empty() ? 0 : 1;
        });
    }
    EXPECT_GT(withKeys, 30);
}

TEST(MenusTest, EveryCommandOfTheMainWindowMenusHasAPrompt) {
    std::vector<int> menus(std::begin(kMainMenus), std::end(kMainMenus));
    menus.push_back(res::kMenuTray);
    for (const int id : menus) {
        ForEachItem(FindMenu(id)->popups, [&](const MenuItem& item) {
            if (item.kind != MenuItemKind::kCommand && item.kind != MenuItemKind::kRecentFiles)
                return;
            EXPECT_FALSE(SplitPrompt(LoadString(item.id)).prompt.empty())
                << id << ": " << item.text;
        });
    }
    for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id)
        EXPECT_FALSE(LoadString(id).empty()) << id;
}

// The mnemonic letter of a caption, 0 for none; -1 when it has more than one.
int Mnemonic(const std::string& text) {
    int mnemonic = 0;
    for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
        if (text[i] != '&') continue;
        if (mnemonic != 0) return -1;
        mnemonic = std::toupper(static_cast<unsigned char>(text[i + 1]));
    }
    return mnemonic;
}

void CheckPopup(int menu, const std::vector<MenuItem>& items) {
    std::set<int> used;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.kind == MenuItemKind::kSeparator) {
            EXPECT_TRUE(i > 0 && i + 1 < items.size()) << menu << ": separator at an end";
            EXPECT_NE(items[i - 1].kind, MenuItemKind::kSeparator) << menu;
            continue;
        }
        if (item.kind == MenuItemKind::kRecentFiles) continue;
        const int mnemonic = Mnemonic(item.text);
        EXPECT_GT(mnemonic, 0) << menu << ": " << item.text;
        // The ruler keeps the captions its users know, two of them on "P".
        if (menu != res::kMenuRuler) {
            EXPECT_TRUE(used.insert(mnemonic).second) << menu << ": " << item.text;
        }
        if (item.kind == MenuItemKind::kPopup) CheckPopup(menu, item.items);
    }
}

TEST(MenusTest, OneMnemonicPerItemUniqueInItsPopupAndSeparatorsBetweenItems) {
    for (const int id : kAllMenus) {
        const MenuResource& menu = *FindMenu(id);
        EXPECT_EQ(menu.id, id);
        // A context menu's one popup has no caption of its own on the screen.
        CheckPopup(id, menu.popups.size() == 1 ? menu.popups[0].items : menu.popups);
    }
}

}  // namespace
}  // namespace nl
