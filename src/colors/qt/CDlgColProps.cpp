#include "colors/qt/CDlgColProps.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "platform/IClipboard.h"
#include "platform/qt/qt_convert.h"
#include "res/menus.h"
#include "ui/qt/CColorTile.h"

namespace nl {
namespace {

constexpr int kTileSize = 48;
constexpr int kDefaultWidth = 560;
constexpr int kDefaultHeight = 320;

}  // namespace

CDlgColProps::CDlgColProps(AppContext& context, QWidget* parent)
    : CPlacedDialog(context.prefs, kWinStateColorProperties, parent), m_context(context) {
    setObjectName(QStringLiteral("colorProperties"));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    QStringList headers;
    for (const std::string& header : SplitLines(LoadString(kIdsColPropsColumns)))
        headers << ToQt(header);
    m_list->setHeaderLabels(headers);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionsClickable(false);
    m_tile = new CColorTile(this);
    m_tile->setFixedSize(kTileSize, kTileSize);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_tile, 0, Qt::AlignTop);

    const Rect placed = SavedRect();
    if (!placed.IsEmpty()) {
        setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
    } else {
        resize(kDefaultWidth, kDefaultHeight);
    }
    Refresh();
}

void CDlgColProps::ShowEntry(int index) {
    m_index = index;
    Refresh();
}

void CDlgColProps::Refresh() {
    const CColorPicker& colors = m_context.doc.Colors();
    if (m_index >= colors.GetCount()) m_index = -1;
    const CUnitsXY& units = m_context.prefs.Units();
    const int unit = m_context.prefs.Settings().lengthUnitIndex;
    m_rows.clear();
    if (m_index >= 0 && unit >= 0 && unit < units.GetSize()) {
        m_rows = ColorPropertyRows(colors, m_index, units.GetAt(unit), &m_context.locale);
    }
    const int selected = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
    m_list->clear();
    for (const ColorPropertyRow& row : m_rows) {
        new QTreeWidgetItem(m_list, {ToQt(row.name), ToQt(row.value), ToQt(row.note)});
    }
    if (selected >= 0 && selected < m_list->topLevelItemCount()) {
        m_list->setCurrentItem(m_list->topLevelItem(selected));
    }
    for (int c = 0; c < m_list->columnCount(); ++c) m_list->resizeColumnToContents(c);
    m_tile->SetColor(m_index >= 0 ? colors.GetAt(m_index).Color() : kNoColor);
    setWindowTitle(ToQt(m_index >= 0
                            ? FormatString(kIdsColPropsCaptionIndex, {std::to_string(m_index + 1)})
                            : LoadString(kIdsColPropsCaption)));
}

void CDlgColProps::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    const int index = static_cast<int>(argument);
    switch (type) {
        case ViewNotify::kColorInserted:
        case ViewNotify::kColorRemoved:
        case ViewNotify::kColorChanged: {
            // A removal past the end shows the new last entry.
            const int count = m_context.doc.Colors().GetCount();
            ShowEntry(count == 0 ? -1 : std::min(index, count - 1));
            break;
        }
        case ViewNotify::kUnitOrNumberFormatChanged:
            Refresh();
            break;
        case ViewNotify::kAllColorsRemoved:
        case ViewNotify::kDocumentReplaced:
            ShowEntry(-1);
            break;
        default:
            // The other per-entry update refreshes only when it concerns the shown entry.
            if (type == ViewNotify::kColorEntryUpdated && index == m_index) Refresh();
            break;
    }
}

bool CDlgColProps::CopySelectedProperty(std::uint32_t* error) {
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || current.row() >= static_cast<int>(m_rows.size())) return false;
    const std::uint32_t code =
        m_context.clipboard.SetText(m_rows[static_cast<std::size_t>(current.row())].value);
    if (error) *error = code;
    return code == 0;
}

bool CDlgColProps::CopyAllProperties(std::uint32_t* error) {
    if (m_rows.empty()) return false;
    const std::uint32_t code = m_context.clipboard.SetText(ColorPropertiesText(m_rows));
    if (error) *error = code;
    return code == 0;
}

void CDlgColProps::contextMenuEvent(QContextMenuEvent* event) {
    // The items of the window's context menu resource, handled here.
    QMenu menu(this);
    const MenuResource* resource = FindMenu(res::kMenuColorPropertiesContext);
    if (!resource || resource->popups.empty()) return;
    for (const MenuItem& item : resource->popups.front().items) {
        if (item.kind != MenuItemKind::kCommand) continue;
        QAction* action = menu.addAction(ToQt(item.text));
        action->setData(item.id);
        action->setEnabled(item.id == kCopyProperty
                               ? m_list->currentIndex().isValid() && !m_rows.empty()
                               : !m_rows.empty());
    }
    QAction* chosen = menu.exec(event->globalPos());
    if (!chosen) return;
    const int id = chosen->data().toInt();
    if (id == kCopyProperty) CopySelectedProperty();
    if (id == kCopyAllProperties) CopyAllProperties();
}

void CDlgColProps::closeEvent(QCloseEvent* event) {
    SavePlacement();
    QDialog::closeEvent(event);
}

}  // namespace nl
