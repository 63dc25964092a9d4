#include "ui/qt/CToolBarEx.h"

namespace nl {

CToolBarEx::CToolBarEx(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(kIconSize, kIconSize));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The bar is switched from the View menu only.
    toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

}  // namespace nl
