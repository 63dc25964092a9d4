#include "gauge/qt/CViewMea.h"

#include <QAbstractTableModel>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/IViewHost.h"
#include "gauge/CCapMea.h"
#include "gauge/qt/CViewTBMea.h"
#include "model/CUnitXY.h"
#include "platform/IClipboard.h"

namespace nl {

// The list's columns: the property's name and its value.
constexpr int kMeaColumnCount = 2;
// The name column is as wide as this text; the value column takes the rest less a margin.
constexpr const char* kNameColumnSample = "This is a long property";
constexpr int kValueColumnMargin = 3;

// The rows of the measurement: row r, column c shows entry 2r + c of the property entries.
class CMeaRowsModel : public QAbstractTableModel {
public:
    explicit CMeaRowsModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_entries.size() / kMeaColumnCount);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kMeaColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        return QString::fromStdString(Text(index.row(), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return section == 0 ? QStringLiteral("Property") : QStringLiteral("Value");
    }

    std::string Text(int row, int column) const {
        const auto entry = static_cast<std::size_t>(kMeaColumnCount * row + column);
        return row >= 0 && entry < m_entries.size() ? m_entries[entry] : std::string();
    }
    void Reset(std::vector<std::string> entries) {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }

private:
    std::vector<std::string> m_entries;
};

CViewMea::CViewMea(AppContext& context, IViewHost& host, QWidget* parent)
    : CViewApp(context, host, parent) {
    m_model = new CMeaRowsModel(this);
    setModel(m_model);
    header()->setStretchLastSection(false);

    const auto hasRows = [this](CCmdUI& ui) { ui.Enable(RowCount() > 0); };
    AddCommand(cmd::kEditCopy, [this] { CopySelected(); });
    AddUpdate(cmd::kEditCopy,
              [this](CCmdUI& ui) { ui.Enable(RowCount() > 0 && SelectedRow() >= 0); });
    AddCommand(cmd::kCopyAllMeasurements, [this] { CopyAll(); });
    AddUpdate(cmd::kCopyAllMeasurements, hasRows);
    AddCommand(cmd::kPreviewMeasurement, [this] { Preview(); });
    AddUpdate(cmd::kPreviewMeasurement, hasRows);
    AddCommand(cmd::kGotoColor, [this] { Preview(); });
    AddCommand(cmd::kDeleteAllMeasurements, [this] { DeleteAll(); });
    AddUpdate(cmd::kDeleteAllMeasurements, hasRows);
    AddCommand(cmd::kEditDelete, [this] { DeleteAll(); });
    AddUpdate(cmd::kIndicatorHint, [this](CCmdUI& ui) {
        const bool started = Context().prefs.Settings().PickingStarted();
        const CWndCapMea* open = m_toolbar ? m_toolbar->OpenMeasure() : nullptr;
        if (const std::uint32_t id = MeasurePromptId(started, open)) ui.SetText(LoadString(id));
    });
    Rebuild();
}

int CViewMea::RowCount() const {
    return m_model->rowCount();
}

std::string CViewMea::CellText(int row, int column) const {
    return m_model->Text(row, column);
}

int CViewMea::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CViewMea::Rebuild() {
    const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
    m_model->Reset(unit ? MeasurementsViewRows(*unit, Context().prefs.RegionalFormat(),
                                               Context().doc.Measurements())
                        : std::vector<std::string>{});
    LayoutColumns();
    viewport()->update();
}

void CViewMea::LayoutColumns() {
    const int name = QFontMetrics(font()).horizontalAdvance(QString::fromLatin1(kNameColumnSample));
    setColumnWidth(0, name);
    setColumnWidth(1, std::max(0, viewport()->width() - name - kValueColumnMargin));
}

void CViewMea::CopySelected() {
    const int row = SelectedRow();
    // A failed copy is not reported.
    if (row >= 0) Context().clipboard.SetText(CellText(row, 1));
}

void CViewMea::CopyAll() {
    const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
    if (!unit || RowCount() == 0) return;
    // Every row as the list shows it: name, a tab, value, then a line end.
    std::string text;
    for (int row = 0; row < RowCount(); ++row)
        text += CellText(row, 0) + "\t" + CellText(row, 1) + "\r\n";
    Context().clipboard.SetText(text);
}

void CViewMea::Preview() {
    const CWndCapMeaData record = Context().doc.Measurement();
    if (record.IsEmpty()) return;
    const std::vector<CWndCapMeaData> kept = Context().doc.KeptMeasurements();
    const OverlayBackdrop backdrop =
        m_toolbar ? m_toolbar->Backdrop() : COverlayWnd::DisplayBackdrop(Context().windowSystem);
    auto* window =
        new CMeaWnd(Context(), backdrop,
                    [&record, &kept](IOverlayWindow& overlay) {
                        auto shown = std::make_unique<CWndCapMea>(
                            overlay, MainWindowAfter::kLeave, record.Shape(), MeaFromCenter::kNo);
                        shown->ShowStored(record);
                        // The kept ones show with their labels beside it.
                        shown->SetShown(kept);
                        return shown;
                    },
                    {});
    const IDesktop& desktop = Context().desktop;
    // A window that failed has ended and goes by itself.
    if (!window->Open(desktop.VirtualScreen(), desktop.WindowRect(desktop.DesktopWindow()))) {
        return;
    }
    window->ShowFor(kPreviewMs);
    delete window;
}

void CViewMea::DeleteAll() {
    Context().doc.ClearMeasurement();
    Rebuild();
}

void CViewMea::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    CViewApp::OnViewNotify(type, argument);
    switch (type) {
        case ViewNotify::kUnitOrNumberFormatChanged:
        case ViewNotify::kDocumentReplaced:
            Rebuild();
            break;
        default:
            break;
    }
}

void CViewMea::resizeEvent(QResizeEvent* event) {
    CViewApp::resizeEvent(event);
    LayoutColumns();
}

void CViewMea::contextMenuEvent(QContextMenuEvent* event) {
    Host().SetActiveView(this);
    CCommandBinder* binder = Host().Binder();
    if (!binder) return;
    QMenu menu(this);
    if (!binder->BuildPopupMenu(&menu, res::kMenuMeasurementsContext)) return;
    binder->UpdateMenu(&menu);
    menu.exec(event->globalPos());
}

}  // namespace nl
