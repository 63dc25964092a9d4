#pragma once
#include <QPointer>
#include <string>
#include <vector>

#include "framework/qt/CViewApp.h"

namespace nl {

class CMeaRowsModel;
class CViewTBMea;

// The Gauge's main view: the document's measurement as a two-column list of properties and
// values in the current unit, rebuilt when the unit, the number format or the document
// changes. It copies one value or every row, flashes the measured shape over the desktop
// for a second and deletes the measurement, and gives the status bar the measuring prompt.
class CViewMea : public CViewApp {
public:
    // How long the preview shows the measured shape.
    static constexpr int kPreviewMs = 1000;

    CViewMea(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    // The toolbar view whose open measurement the prompt follows and whose backdrop the
    // preview takes.
    void SetToolbar(CViewTBMea* toolbar) { m_toolbar = toolbar; }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    int RowCount() const;
    // The text of `column` of row `row` as the list shows it.
    std::string CellText(int row, int column) const;

    // Takes the rows of the document's measurement again.
    void Rebuild();
    void CopySelected();
    void CopyAll();
    // Shows the measured shape on a plain overlay for kPreviewMs, the main window staying.
    void Preview();
    void DeleteAll();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void LayoutColumns();
    int SelectedRow() const;

    CMeaRowsModel* m_model = nullptr;
    QPointer<CViewTBMea> m_toolbar;
};

}  // namespace nl
