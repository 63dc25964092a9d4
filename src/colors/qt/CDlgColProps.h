#pragma once
#include <vector>

#include "base/command_ids.h"
#include "colors/colors_view.h"
#include "colors/qt/CPlacedDialog.h"
#include "document/ViewNotification.h"
#include "framework/qt/AppContext.h"

class QTreeWidget;

namespace nl {

class CColorTile;

// The modeless color properties window: twelve rows (name, value, note) describing one
// picked color in fixed forms, with a tile of the color. It follows the document: inserts,
// removals and changes show the notified entry, a change of another entry leaves it, a
// format or unit change refreshes it and emptying or replacing the document clears it. Its
// place on the screen is kept between runs. The context menu copies one or all rows.
class CDlgColProps : public CPlacedDialog, public IViewNotifySink {
public:
    static constexpr int kCopyProperty = cmd::kCopyProperty;
    static constexpr int kCopyAllProperties = cmd::kCopyAllProperties;

    CDlgColProps(AppContext& context, QWidget* parent);

    // Shows entry `index` (-1: no entry).
    void ShowEntry(int index);
    int Entry() const { return m_index; }
    const std::vector<ColorPropertyRow>& Rows() const { return m_rows; }
    CColorTile* Tile() const { return m_tile; }
    QTreeWidget* List() const { return m_list; }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // The two copies; false when the clipboard refused (the error code is in `error`).
    bool CopySelectedProperty(std::uint32_t* error = nullptr);
    bool CopyAllProperties(std::uint32_t* error = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Refresh();

    AppContext& m_context;
    int m_index = -1;
    std::vector<ColorPropertyRow> m_rows;
    QTreeWidget* m_list = nullptr;
    CColorTile* m_tile = nullptr;
};

}  // namespace nl
