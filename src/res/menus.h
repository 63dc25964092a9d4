#pragma once
#include <string>
#include <vector>

namespace nl {

// One entry of a menu resource.
enum class MenuItemKind {
    kCommand,      // a command: `id` and `text`
    kSeparator,    // a separator line
    kPopup,        // a submenu: `text` and `items`
    kRecentFiles,  // stands for the recent-file list (commands 57616 on); shows nothing when empty
};

struct MenuItem {
    MenuItemKind kind = MenuItemKind::kCommand;
    int id = 0;
    // The caption with its "&" mnemonic, and the key after a tab ("&Save\tCtrl+S").
    std::string text;
    std::vector<MenuItem> items;
};

// A menu resource: the popups of a menu bar (or, for a context menu, its one popup).
struct MenuResource {
    int id = 0;
    std::vector<MenuItem> popups;
};

// The menu resource `id`, or null when there is none.
const MenuResource* FindMenu(int id);

}  // namespace nl
