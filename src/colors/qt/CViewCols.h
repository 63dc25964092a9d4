#pragma once
#include <QPointer>
#include <functional>

#include "colors/colors_view.h"
#include "framework/qt/CViewApp.h"

class QListView;
class QMenu;

namespace nl {

class CColsModel;
class CDesktopSampler;
class CDlgColProps;
class CDlgEditColor;

// The Color Picker's main view: the picked colors as a list that asks the document for each
// item's texts by index (nothing is copied into the widget), in one of four modes: large
// icons, small icons, list or details. In details each row shows the number, the color in the
// current format, the position in the current unit and a tile of the color; in the other
// modes each item is a tile of its color with the number on it. The view follows the
// document's notifications, runs the commands on the selected color and shows the keyboard
// availability hint in the status bar.
class CViewCols : public CViewApp {
public:
    CViewCols(AppContext& context, IViewHost& host, CDesktopSampler& sampler,
              QWidget* parent = nullptr);
    ~CViewCols() override;

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    ColsViewMode Mode() const { return m_mode; }
    // The items the list shows (normally the document's count).
    int ItemCount() const;
    // The selected index, -1 for none.
    int Selection() const;
    void SetSelection(int index);
    // The text of `column` of item `index` as the list shows it.
    QString ItemText(int index, int column) const;
    // The view of the three tile modes (hidden in details).
    QListView* TileView() const { return m_tiles; }
    // The properties window while it is open.
    CDlgColProps* PropertiesWindow() const;

    // The commands on the selected color.
    void CopySelected();
    void AddColor();
    void EditSelected();
    void DeleteSelected();
    void MoveSelected(int step);
    void ShowProperties();
    void SetMode(ColsViewMode mode);

    // Runs the edit dialog and returns its result; the default runs it modally. Tests drive
    // the dialog through it instead.
    using EditRunner = std::function<int(CDlgEditColor&)>;
    void SetEditRunner(EditRunner runner) { m_editRunner = std::move(runner); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddHandlers();
    void ApplyMode();
    void LayoutColumns();
    void ShowContextMenu(const QPoint& globalPos);
    bool Started() const;
    void CopyText(const std::string& text);
    // Copies one color, or all with CColorPicker::kAllColors, in the current format.
    void CopyColors(int which);

    CDesktopSampler& m_sampler;
    CColsModel* m_model = nullptr;
    QListView* m_tiles = nullptr;
    ColsViewMode m_mode = ColsViewMode::kLargeIcons;
    QPointer<CDlgColProps> m_props;
    EditRunner m_editRunner;
};

}  // namespace nl
