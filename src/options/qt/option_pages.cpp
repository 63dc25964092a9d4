#include "options/qt/option_pages.h"

#include "base/StringTable.h"
#include "options/qt/CPPExport.h"
#include "options/qt/CPPGeneral.h"
#include "options/qt/CPPHelpers.h"
#include "options/qt/CPPHotKeys.h"
#include "options/qt/CPPSystem.h"

namespace nl {
namespace {

template <class Page>
OptionPageEntry Entry(OptionPageNumber number) {
    return {number, LoadStringRow(kIdsOptionPageTitles, static_cast<std::size_t>(number)),
            [](AppContext& context, IViewHost& host, QWidget* parent) -> CPPParent* {
                return new Page(context, host, parent);
            }};
}

}  // namespace

std::vector<OptionPageEntry> OptionPages() {
    return {
        Entry<CPPGeneral>(kPageGeneral),    Entry<CPPHelpers>(kPageNotification),
        Entry<CPPHotKeys>(kPageHotKeys),    Entry<CPPExport>(kPageColorExport),
        Entry<CPPSystem>(kPageMaintenance),
    };
}

}  // namespace nl
