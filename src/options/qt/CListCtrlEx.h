#pragma once
#include <QTreeWidget>
#include <map>
#include <string>
#include <vector>

#include "framework/qt/AppContext.h"

namespace nl {

// The report lists of the options pages: one row per entry, full-row selection, grid lines
// while display option bit 0x100 is set, and button cells: the cells of a button column are
// drawn as raised header-style buttons with an icon, and a click on one (press and release
// in the same cell) or Space on a row's button cell reports the row and column. Item tips
// show only while general option bit 0x10000 (tool tips) is set.
class CListCtrlEx : public QTreeWidget {
    Q_OBJECT
public:
    // Columns named by the lines of `headers`, in order.
    CListCtrlEx(AppContext& context, const std::vector<std::string>& headers, QWidget* parent);

    // Makes `column` a button column showing icon `iconId` (res/icons.h) in every row.
    void SetButtonColumn(int column, int iconId);
    bool IsButtonColumn(int column) const { return m_buttons.contains(column); }
    int ButtonIcon(int column) const;

    // One row per text, with the text in the first column.
    void SetRows(const std::vector<std::string>& names);
    void SetCellText(int row, int column, const std::string& text);
    QString CellText(int row, int column) const;
    // The cell's rectangle in the list's viewport coordinates.
    QRect CellRect(int row, int column) const;

    // Re-reads the settings (grid lines changed, tool tips changed).
    void ApplyGridLines();
    void ApplyToolTips();
    bool GridLines() const { return m_gridLines; }
    bool ToolTipsEnabled() const { return m_toolTips; }

    // The cell being pressed (drawn sunken); row -1 when none.
    int PressedRow() const { return m_pressedRow; }

signals:
    void ButtonClicked(int row, int column);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    class ButtonDelegate;

    void SetPressed(int row, int column);

    AppContext& m_context;
    std::map<int, int> m_buttons;  // column -> icon id
    bool m_gridLines = false;
    bool m_toolTips = false;
    int m_pressedRow = -1;
    int m_pressedColumn = -1;
};

}  // namespace nl
