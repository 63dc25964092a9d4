#pragma once
#include <QWidget>
#include <vector>

#include "clipboard/CClipViewer.h"
#include "document/ViewNotification.h"

class QTableWidget;

namespace nl {

struct AppContext;

// The list of every format on the clipboard: position, size, number and name, one row each.
// A window of the viewer's, placed from its own window-state record; grid lines follow the
// program's option.
class CDlgClipFmt : public QWidget, public IViewNotifySink {
public:
    static constexpr const char* kTitle = "Clipboard Data Formats";
    static constexpr const char* kColumns = "#\nSize\nID\nFormat";

    CDlgClipFmt(AppContext& context, QWidget* owner);
    ~CDlgClipFmt() override;

    // Refills the list with `rows`.
    void SetRows(const std::vector<ClipFormatRow>& rows);
    QTableWidget* List() const { return m_list; }
    // Records the placement (keeping the record's was-open bit).
    void SavePlacement();

    // IViewNotifySink: grid lines and save state.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyGridLines();

    AppContext& m_context;
    QTableWidget* m_list;
};

}  // namespace nl
