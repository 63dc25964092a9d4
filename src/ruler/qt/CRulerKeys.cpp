#include "ruler/qt/CRulerKeys.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "base/StringTable.h"
#include "base/text.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

constexpr int kControlList = 3075;
constexpr std::size_t kHeaderItems = 3;  // the title and two column headings
constexpr QSize kDefaultSize{320, 420};
constexpr std::string_view kLastUnitKey = "D";

// The name of the logical pixel: the second item of its unit row.
std::string LogicalPixelName() {
    const std::vector<std::string> row = SplitLines(LoadString(kIdsLogicalPixelUnit));
    return row.size() > 1 ? row[1] : std::string();
}

}  // namespace

CRulerKeys::CRulerKeys(QWidget* owner) : QWidget(owner, Qt::Tool) {
    const std::vector<std::string> items = SplitLines(LoadString(kIdsRulerKeys));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QString::number(kControlList));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(2);
    if (items.size() >= kHeaderItems) {
        setWindowTitle(ToQt(FormatString(kIdsRulerKeysCaption, {items[0]})));
        m_list->setHeaderLabels({ToQt(items[1]), ToQt(items[2])});
        for (std::size_t i = kHeaderItems; i + 1 < items.size(); i += 2) {
            new QTreeWidgetItem(m_list, {ToQt(items[i]), ToQt(items[i + 1])});
            // The logical pixel's key follows the last of the eight units.
            if (items[i + 1] == kLastUnitKey)
                new QTreeWidgetItem(m_list, {ToQt(LogicalPixelName()), QStringLiteral("L")});
        }
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(kDefaultSize);
}

}  // namespace nl
