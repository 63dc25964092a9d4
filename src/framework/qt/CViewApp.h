#pragma once
#include <QTreeView>

#include "base/CSubscription.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "framework/qt/AppContext.h"

namespace nl {

class IViewHost;

// The base of the list views in the lower pane: a report list with one selected row at a
// time, full-row selection, no sorting header and no border, grid lines while display option
// bit 0x100 is set, tool tips while general option bit 0x10000 is set. The rows come from a
// model the derived view supplies (the list holds no data of its own). Without a tool it is
// the main view itself, empty. It hears the view notifications while the window shows it.
class CViewApp : public QTreeView, public CCmdTarget, public IViewNotifySink {
public:
    CViewApp(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    // Grid lines changed (2) and tool tips changed (4) are applied here; derived views
    // handle their own codes and call this.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    bool GridLines() const { return m_gridLines; }
    bool ToolTipsEnabled() const { return m_toolTips; }

protected:
    AppContext& Context() { return m_context; }
    IViewHost& Host() { return m_host; }

    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void ApplyGridLines();
    void ApplyToolTips();

    AppContext& m_context;
    IViewHost& m_host;
    bool m_gridLines = false;
    bool m_toolTips = false;
    CSubscription m_notifications;
};

}  // namespace nl
