#pragma once
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace nl {

struct AppContext;
class CPPParent;
class IViewHost;

// The pages' numbers in the sheet's full order: the window state keeps the number of the
// page that was active, whatever pages a build lists.
enum OptionPageNumber : int {
    kPageGeneral = 0,
    kPageNotification = 1,
    kPageHotKeys = 2,
    kPageColorExport = 3,
    kPageMaintenance = 4,
};

// One tab of the Options sheet: its number, its title and how to make its page.
struct OptionPageEntry {
    using Factory = std::function<CPPParent*(AppContext&, IViewHost&, QWidget* parent)>;
    int number = kPageGeneral;
    std::string title;
    Factory create;
};

// The sheet's pages in tab order.
std::vector<OptionPageEntry> OptionPages();

}  // namespace nl
