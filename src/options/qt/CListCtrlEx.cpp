#include "options/qt/CListCtrlEx.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "framework/CAppPrefs.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/list_grid_lines.h"
#include "ui/qt/svg_icons.h"

namespace nl {

namespace {

constexpr int kButtonIconSize = 16;     // device-independent pixels
constexpr int kButtonMargin = 1;        // between a button and its cell's edges
constexpr int kButtonColumnWidth = 48;  // wide enough for the header's "Edit" and "Test"
constexpr int kButtonRowPadding = 6;    // the row is this much taller than the icon

}  // namespace

// Draws the cells of the button columns as header sections (the style's raised button
// look), sunken while pressed, with the column's icon centred.
class CListCtrlEx::ButtonDelegate : public QStyledItemDelegate {
public:
    explicit ButtonDelegate(CListCtrlEx& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!m_list.IsButtonColumn(index.column())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionHeader button;
        button.initFrom(&m_list);
        button.rect =
            option.rect.adjusted(kButtonMargin, kButtonMargin, -kButtonMargin, -kButtonMargin);
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        const bool pressed =
            m_list.m_pressedRow == index.row() && m_list.m_pressedColumn == index.column();
        if (pressed) button.state |= QStyle::State_Sunken;
        if (option.state & QStyle::State_MouseOver) button.state |= QStyle::State_MouseOver;
        button.position = QStyleOptionHeader::OnlyOneSection;
        m_list.style()->drawControl(QStyle::CE_HeaderSection, &button, painter, &m_list);

        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap icon = PixmapFromSvg(m_list.ButtonIcon(index.column()),
                                           QSize(kButtonIconSize, kButtonIconSize), ratio);
        if (icon.isNull()) return;
        QRect at(QPoint(0, 0), QSize(kButtonIconSize, kButtonIconSize));
        at.moveCenter(button.rect.center());
        if (pressed) at.translate(1, 1);
        painter->drawPixmap(at, icon);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), kButtonIconSize + kButtonRowPadding));
        return size;
    }

private:
    CListCtrlEx& m_list;
};

CListCtrlEx::CListCtrlEx(AppContext& context, const std::vector<std::string>& headers,
                         QWidget* parent)
    : QTreeWidget(parent), m_context(context) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setMouseTracking(true);
    setItemDelegate(new ButtonDelegate(*this));
    QStringList labels;
    for (const std::string& h : headers) labels << ToQt(h);
    setColumnCount(static_cast<int>(labels.size()));
    setHeaderLabels(labels);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    ApplyGridLines();
    ApplyToolTips();
}

void CListCtrlEx::SetButtonColumn(int column, int iconId) {
    m_buttons[column] = iconId;
    header()->setSectionResizeMode(column, QHeaderView::Fixed);
    header()->resizeSection(column, kButtonColumnWidth);
    viewport()->update();
}

int CListCtrlEx::ButtonIcon(int column) const {
    const auto it = m_buttons.find(column);
    return it == m_buttons.end() ? 0 : it->second;
}

void CListCtrlEx::SetRows(const std::vector<std::string>& names) {
    clear();
    for (const std::string& name : names) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, ToQt(name));
        for (const auto& [column, icon] : m_buttons)
            item->setToolTip(column, headerItem()->text(column));
    }
    // The names keep their width; the last text column (a key text may be long) takes the
    // room the others leave.
    int last = 0;
    for (int column = 0; column < columnCount(); ++column)
        if (!IsButtonColumn(column)) last = column;
    for (int column = 0; column < columnCount(); ++column) {
        if (IsButtonColumn(column)) continue;
        header()->setSectionResizeMode(
            column, column == last ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
}

void CListCtrlEx::SetCellText(int row, int column, const std::string& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) item->setText(column, ToQt(text));
}

QString CListCtrlEx::CellText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

QRect CListCtrlEx::CellRect(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? visualRect(indexFromItem(item, column)) : QRect();
}

void CListCtrlEx::ApplyGridLines() {
    const bool on =
        m_context.prefs.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines);
    if (on == m_gridLines) return;
    m_gridLines = on;
    viewport()->update();
}

void CListCtrlEx::ApplyToolTips() {
    m_toolTips =
        m_context.prefs.Settings().HasOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips);
}

void CListCtrlEx::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (m_gridLines) DrawRowGridLines(*painter, *this, option.rect);
}

void CListCtrlEx::SetPressed(int row, int column) {
    if (row == m_pressedRow && column == m_pressedColumn) return;
    m_pressedRow = row;
    m_pressedColumn = column;
    viewport()->update();
}

void CListCtrlEx::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && IsButtonColumn(index.column()))
        SetPressed(index.row(), index.column());
}

void CListCtrlEx::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    const int row = m_pressedRow;
    const int column = m_pressedColumn;
    SetPressed(-1, -1);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (row >= 0 && event->button() == Qt::LeftButton && index.isValid() && index.row() == row &&
        index.column() == column)
        emit ButtonClicked(row, column);
}

void CListCtrlEx::keyPressEvent(QKeyEvent* event) {
    // Space presses the first button of the current row.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid() && !m_buttons.empty()) {
        emit ButtonClicked(currentIndex().row(), m_buttons.begin()->first);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

bool CListCtrlEx::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !m_toolTips) return true;
    return QTreeWidget::viewportEvent(event);
}

}  // namespace nl
