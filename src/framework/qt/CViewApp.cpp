#include "framework/qt/CViewApp.h"

#include <QEvent>
#include <QHeaderView>

#include "framework/CAppPrefs.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/view_notifications.h"
#include "ui/qt/list_grid_lines.h"

namespace nl {

CViewApp::CViewApp(AppContext& context, IViewHost& host, QWidget* parent)
    : QTreeView(parent), m_context(context), m_host(host) {
    setFrameShape(QFrame::NoFrame);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(false);
    header()->setSortIndicatorShown(false);
    ApplyGridLines();
    ApplyToolTips();
    m_notifications = SubscribeView(context.notify, *this, *this);
}

void CViewApp::OnViewNotify(ViewNotify type, std::intptr_t) {
    switch (type) {
        case ViewNotify::kGridLinesChanged:
            ApplyGridLines();
            break;
        case ViewNotify::kToolTipsChanged:
            ApplyToolTips();
            break;
        default:
            break;
    }
}

void CViewApp::ApplyGridLines() {
    const bool on =
        (m_context.prefs.Settings().displayOptions & AppSettings::kDisplayGridLines) != 0;
    if (on == m_gridLines) return;
    m_gridLines = on;
    viewport()->update();
}

void CViewApp::ApplyToolTips() {
    m_toolTips = (m_context.prefs.Settings().generalOptions & AppSettings::kGeneralToolTips) != 0;
}

void CViewApp::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    if (!m_gridLines) return;
    DrawRowGridLines(*painter, *this, option.rect);
}

void CViewApp::mousePressEvent(QMouseEvent* event) {
    m_host.SetActiveView(this);
    QTreeView::mousePressEvent(event);
}

void CViewApp::focusInEvent(QFocusEvent* event) {
    m_host.SetActiveView(this);
    QTreeView::focusInEvent(event);
}

bool CViewApp::viewportEvent(QEvent* event) {
    // Item tips only while tool tips are on.
    if (event->type() == QEvent::ToolTip && !m_toolTips) return true;
    return QTreeView::viewportEvent(event);
}

}  // namespace nl
