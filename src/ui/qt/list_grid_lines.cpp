#include "ui/qt/list_grid_lines.h"

#include <QHeaderView>
#include <QPainter>
#include <QTreeView>

namespace nl {

namespace {

constexpr int kGridDarkerPercent = 110;  // the lines a shade darker than the 3D light colour

}  // namespace

void DrawRowGridLines(QPainter& painter, const QTreeView& list, const QRect& row) {
    painter.save();
    painter.setPen(list.palette().color(QPalette::Midlight).darker(kGridDarkerPercent));
    painter.drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    const QHeaderView* head = list.header();
    for (int section = 0; section < head->count(); ++section) {
        if (head->isSectionHidden(section)) continue;
        const int x = head->sectionViewportPosition(section) + head->sectionSize(section) - 1;
        painter.drawLine(x, row.top(), x, row.bottom());
    }
    painter.restore();
}

}  // namespace nl
