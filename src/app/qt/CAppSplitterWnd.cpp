#include "app/qt/CAppSplitterWnd.h"

namespace nl {

CAppSplitterWnd::CAppSplitterWnd(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

void CAppSplitterWnd::SetView(int row, QWidget* view) {
    QWidget* old = m_views[row];
    if (old == view) return;
    if (old) {
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    m_views[row] = view;
    if (view) {
        // The toolbar row always comes first.
        const int index = (row == kToolbarRow || !m_views[kToolbarRow]) ? 0 : 1;
        insertWidget(index, view);
        view->show();
    }
    Arrange();
}

QWidget* CAppSplitterWnd::View(int row) const {
    return m_views[row];
}

void CAppSplitterWnd::SetToolbarRowHeight(int height) {
    m_toolbarHeight = height;
    Arrange();
}

void CAppSplitterWnd::Arrange() {
    QWidget* top = m_views[kToolbarRow];
    QWidget* bottom = m_views[kMainRow];
    if (top) {
        top->setMinimumHeight(m_toolbarHeight);
        setStretchFactor(indexOf(top), 0);
    }
    if (bottom) setStretchFactor(indexOf(bottom), 1);
    if (top && bottom) {
        const int total = std::max(height(), m_toolbarHeight + 1);
        setSizes({m_toolbarHeight, total - m_toolbarHeight});
    }
}

}  // namespace nl
