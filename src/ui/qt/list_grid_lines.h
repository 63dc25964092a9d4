#pragma once
#include <QRect>

class QPainter;
class QTreeView;

namespace nl {

// The grid lines of one row of a report list: one line under the row and one at the right
// edge of each shown column, in a shade between the list's background and its text.
void DrawRowGridLines(QPainter& painter, const QTreeView& list, const QRect& row);

}  // namespace nl
