#include "colors/qt/CViewCols.h"

#include <QAbstractTableModel>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "colors/qt/CDlgColProps.h"
#include "colors/qt/CDlgEditColor.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/IViewHost.h"
#include "picking/CDesktopSampler.h"
#include "platform/IClipboard.h"
#include "platform/IDesktop.h"
#include "platform/IDialogs.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/CColorTile.h"

namespace nl {
namespace {

// The item cells of the tile modes.
constexpr QSize kLargeTile{64, 48};
constexpr QSize kSmallTile{40, 20};
constexpr QSize kListTile{72, 18};
constexpr int kTileSpacing = 4;
// The details columns share the client width: number, color, position, tile and name (per
// mille), without and with the name column.
constexpr int kColumnShares[kColsColumnCount] = {120, 330, 330, 220, 0};
constexpr int kColumnSharesWithName[kColsColumnCount] = {90, 290, 220, 150, 250};
constexpr int kMinColumnWidth = 24;

// Black or white, whichever reads better on `background`.
QColor LabelColorOn(const QColor& background) {
    const int luma =
        (background.red() * 299 + background.green() * 587 + background.blue() * 114) / 1000;
    return luma >= 128 ? Qt::black : Qt::white;
}

}  // namespace

// The list's items, asked for by index: the model keeps only the count the list shows and
// reads every text and color from the document when it is drawn.
class CColsModel : public QAbstractTableModel {
public:
    static constexpr int kColorRole = Qt::UserRole + 1;

    explicit CColsModel(AppContext& context, QObject* parent)
        : QAbstractTableModel(parent), m_context(context) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_count;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColsColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const CColorPicker& colors = m_context.doc.Colors();
        if (role == Qt::DisplayRole) return ToQt(Text(index.row(), index.column()));
        // A narrow column cuts its texts short; the tip gives them whole.
        if (role == Qt::ToolTipRole &&
            (index.column() == kColsColor || index.column() == kColsName))
            return ToQt(Text(index.row(), index.column()));
        if (role == kColorRole) {
            if (m_count != colors.GetCount() || index.row() >= m_count) return {};
            return ToQColor(colors.GetAt(index.row()).Color());
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const std::vector<std::string> headers = ColsColumnHeaders();
        return section >= 0 && section < kColsColumnCount
                   ? ToQt(headers[static_cast<std::size_t>(section)])
                   : QVariant();
    }

    std::string Text(int row, int column) const {
        const CUnitCol* format = m_context.prefs.CurrentColorFormat();
        const CUnitXY* unit = m_context.prefs.CurrentLengthUnit();
        if (format == nullptr || unit == nullptr) return {};
        return ColsItemText(m_context.doc.Colors(), m_count, row, column, *format, *unit);
    }

    int Count() const { return m_count; }

    // One item more at `row` (an insertion in the middle keeps the rows after it with their
    // colors: selection and scroll position follow them).
    void InsertRow(int row) {
        row = std::clamp(row, 0, m_count);
        beginInsertRows({}, row, row);
        ++m_count;
        endInsertRows();
    }
    void RemoveRow(int row) {
        row = std::clamp(row, 0, m_count - 1);
        beginRemoveRows({}, row, row);
        --m_count;
        endRemoveRows();
    }
    // Adds or removes items at the end until the list shows `count` items.
    void SetCount(int count) {
        if (count > m_count) {
            beginInsertRows({}, m_count, count - 1);
            m_count = count;
            endInsertRows();
        } else if (count < m_count) {
            beginRemoveRows({}, count, m_count - 1);
            m_count = count;
            endRemoveRows();
        }
    }
    void Reset(int count) {
        beginResetModel();
        m_count = count;
        endResetModel();
    }
    void RowChanged(int row) {
        if (row < 0 || row >= m_count) return;
        emit dataChanged(index(row, 0), index(row, kColsColumnCount - 1));
    }

private:
    AppContext& m_context;
    int m_count = 0;
};

namespace {

// Paints the color tiles: the last column in details, the whole item with its number on top
// in the other modes (one pixel smaller on the right and bottom with grid lines).
class ColsTileDelegate : public QStyledItemDelegate {
public:
    ColsTileDelegate(const CViewCols& view, QObject* parent)
        : QStyledItemDelegate(parent), m_view(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant color = index.data(CColsModel::kColorRole);
        if (!color.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QColor fill = color.value<QColor>();
        painter->save();
        if (m_view.Mode() == ColsViewMode::kDetails) {
            // The tile column: the color, inset so the selection still shows around it.
            QStyledItemDelegate::paint(painter, option, index);
            painter->fillRect(option.rect.adjusted(2, 1, m_view.GridLines() ? -2 : -1, -1), fill);
            painter->restore();
            return;
        }
        QRect rect = option.rect;
        if (m_view.GridLines()) rect.adjust(0, 0, -1, -1);
        painter->fillRect(rect, fill);
        if (option.state & QStyle::State_Selected) {
            QPen pen(option.palette.color(QPalette::Highlight));
            pen.setWidth(3);
            painter->setPen(pen);
            painter->drawRect(rect.adjusted(1, 1, -2, -2));
        }
        painter->setPen(LabelColorOn(fill));
        painter->drawText(rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        switch (m_view.Mode()) {
            case ColsViewMode::kLargeIcons:
                return kLargeTile;
            case ColsViewMode::kSmallIcons:
                return kSmallTile;
            case ColsViewMode::kList:
                return kListTile;
            case ColsViewMode::kDetails:
                break;
        }
        return QStyledItemDelegate::sizeHint(option, index);
    }

private:
    const CViewCols& m_view;
};

}  // namespace

CViewCols::CViewCols(AppContext& context, IViewHost& host, CDesktopSampler& sampler,
                     QWidget* parent)
    : CViewApp(context, host, parent), m_sampler(sampler) {
    setObjectName(QStringLiteral("colorsView"));
    m_model = new CColsModel(Context(), this);
    setModel(m_model);
    setItemDelegateForColumn(kColsTile, new ColsTileDelegate(*this, this));
    header()->setStretchLastSection(false);
    // The name column reads best beside the color text it names.
    header()->moveSection(header()->visualIndex(kColsName), kColsPosition);
    setColumnHidden(kColsName, !ColsNameColumnShown(Context().prefs));

    m_tiles = new QListView(this);
    m_tiles->setObjectName(QStringLiteral("colorTiles"));
    m_tiles->setModel(m_model);
    m_tiles->setSelectionModel(selectionModel());
    m_tiles->setModelColumn(kColsIndex);
    m_tiles->setItemDelegate(new ColsTileDelegate(*this, m_tiles));
    // The tiles show the first column but select whole rows, like the details view with
    // which they share the selection: the commands read the selected row.
    m_tiles->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tiles->setUniformItemSizes(true);
    m_tiles->setSpacing(kTileSpacing);
    m_tiles->setMovement(QListView::Static);
    m_tiles->setResizeMode(QListView::Adjust);
    m_tiles->setFrameShape(QFrame::NoFrame);
    m_tiles->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tiles->installEventFilter(this);
    m_tiles->viewport()->installEventFilter(this);
    connect(m_tiles, &QListView::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(m_tiles->viewport()->mapToGlobal(pos)); });
    connect(m_tiles, &QListView::doubleClicked, this, [this] { EditSelected(); });
    connect(this, &QTreeView::doubleClicked, this, [this] { EditSelected(); });
    // Other windows (the Contrast window) take the selected color from the list.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Context().notify.Send(ViewNotify::kColorSelected, Selection()); });

    m_model->Reset(Context().doc.Colors().GetCount());
    m_mode = ColsViewModeFromOptions(Context().prefs.Settings().colorPickerOptions);
    ApplyMode();
    AddHandlers();
}

CViewCols::~CViewCols() {
    if (m_props) delete m_props.data();
}

bool CViewCols::Started() const {
    return const_cast<CViewCols*>(this)->Context().prefs.Settings().PickingStarted();
}

CDlgColProps* CViewCols::PropertiesWindow() const {
    return m_props.data();
}

int CViewCols::ItemCount() const {
    return m_model->Count();
}

int CViewCols::Selection() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return -1;
    const int row = rows.first().row();
    return row < m_model->Count() ? row : -1;
}

void CViewCols::SetSelection(int index) {
    if (index < 0 || index >= m_model->Count()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex item = m_model->index(index, 0);
    selectionModel()->setCurrentIndex(
        item, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (m_mode == ColsViewMode::kDetails) {
        scrollTo(item);
    } else {
        m_tiles->scrollTo(item);
    }
}

QString CViewCols::ItemText(int index, int column) const {
    return ToQt(m_model->Text(index, column));
}

void CViewCols::SetMode(ColsViewMode mode) {
    CAppPrefs& prefs = Context().prefs;
    prefs.SetOptions(OptionWord::kColorPicker,
                     ColsWithViewMode(prefs.Settings().colorPickerOptions, mode));
    if (mode == m_mode && (m_mode == ColsViewMode::kDetails) == m_tiles->isHidden()) return;
    m_mode = mode;
    ApplyMode();
}

void CViewCols::ApplyMode() {
    const bool details = m_mode == ColsViewMode::kDetails;
    if (!details) {
        const bool icons = m_mode != ColsViewMode::kList;
        m_tiles->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        // The list mode fills columns top to bottom; icons flow in rows.
        m_tiles->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
        m_tiles->setWrapping(true);
        m_tiles->setSpacing(kTileSpacing);
        m_tiles->setGeometry(rect());
        m_tiles->doItemsLayout();
    }
    m_tiles->setVisible(!details);
    if (!details) m_tiles->raise();
    setHorizontalScrollBarPolicy(details ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(details ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const QModelIndex current = selectionModel()->currentIndex();
    if (current.isValid()) {
        if (details) {
            scrollTo(current);
        } else {
            m_tiles->scrollTo(current);
        }
    }
    LayoutColumns();
}

void CViewCols::LayoutColumns() {
    const int width = viewport()->width();
    const int* shares = isColumnHidden(kColsName) ? kColumnShares : kColumnSharesWithName;
    for (int c = 0; c < kColsColumnCount; ++c) {
        setColumnWidth(c, std::max(kMinColumnWidth, width * shares[c] / 1000));
    }
}

void CViewCols::resizeEvent(QResizeEvent* event) {
    CViewApp::resizeEvent(event);
    m_tiles->setGeometry(rect());
    LayoutColumns();
}

void CViewCols::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    CViewApp::OnViewNotify(type, argument);
    if (type == ViewNotify::kColorSelectionWanted) {
        Context().notify.Send(ViewNotify::kColorSelected, Selection());
        return;
    }
    const ColsListChange change =
        ColsFollowNotification(type, argument, m_model->Count(), Context().doc.Colors().GetCount());
    if (type == ViewNotify::kDocumentReplaced) {
        m_model->Reset(change.count);
    } else {
        // An emptied document removes every item at once.
        // One color inserted or removed moves the rows at its index.
        const int index = static_cast<int>(argument);
        if (change.count == 0 && m_model->Count() > 0) {
            m_model->Reset(0);
        } else if (type == ViewNotify::kColorInserted && change.count == m_model->Count() + 1) {
            m_model->InsertRow(index);
        } else if (type == ViewNotify::kColorRemoved && change.count == m_model->Count() - 1) {
            m_model->RemoveRow(index);
        } else {
            m_model->SetCount(change.count);
        }
    }
    if (change.setSelection) SetSelection(change.selection);
    if (change.redrawItem >= 0) m_model->RowChanged(change.redrawItem);
    if (change.repaint) {
        viewport()->update();
        m_tiles->viewport()->update();
    }
    if (m_props) m_props->OnViewNotify(type, argument);
}

void CViewCols::CopyText(const std::string& text) {
    const std::uint32_t error = Context().clipboard.SetText(text);
    if (error != 0) {
        Context().dialogs.MessageBox(FormatSystemError(error), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kError);
    }
}

void CViewCols::CopySelected() {
    const int selection = Selection();
    if (selection >= 0) CopyColors(selection);
}

void CViewCols::CopyColors(int which) {
    const CUnitCol* format = Context().prefs.CurrentColorFormat();
    if (format == nullptr) return;
    const std::uint32_t error =
        Context().doc.Colors().CopyColors(which, *format, Context().clipboard);
    if (error != 0) {
        Context().dialogs.MessageBox(FormatSystemError(error), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kError);
    }
}

void CViewCols::AddColor() {
    CColorPicker& colors = Context().doc.Colors();
    const int selection = Selection();
    colors.InsertColor(selection >= 0 ? selection : colors.GetCount(), colors.Sample());
}

void CViewCols::EditSelected() {
    const int selection = Selection();
    if (selection < 0) return;
    CColorPicker& colors = Context().doc.Colors();
    const COLORREF old = colors.GetAt(selection).Color();
    CDlgEditColor dialog(Context(), selection, old, this);
    const int result = m_editRunner ? m_editRunner(dialog) : dialog.exec();
    const COLORREF chosen = dialog.ResultColor(result);
    // The entry may have gone while the dialog was open (a pick dropping the oldest).
    if (chosen != old && selection < colors.GetCount()) colors.SetColor(selection, chosen);
}

void CViewCols::DeleteSelected() {
    const int selection = Selection();
    if (selection >= 0) Context().doc.Colors().RemoveColor(selection);
}

void CViewCols::MoveSelected(int step) {
    const int selection = Selection();
    const int target = selection + step;
    if (selection < 0 || target < 0 || target >= m_model->Count()) return;
    if (Context().doc.Colors().MoveColor(selection, target) == 1) SetSelection(target);
}

void CViewCols::ShowProperties() {
    const int selection = Selection();
    if (selection < 0) {
        if (m_props) m_props->close();
        return;
    }
    if (!m_props) {
        m_props = new CDlgColProps(Context(), window());
        m_props->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_props->ShowEntry(selection);
    m_props->show();
    m_props->raise();
}

void CViewCols::AddHandlers() {
    const auto enabled = [this](CCmdUI& ui) {
        const std::optional<bool> on = ColsCommandEnabled(ui.Id(), m_model->Count(), Selection());
        ui.Enable(on.value_or(false));
    };
    for (const int id :
         {cmd::kEditCopy, cmd::kGotoColor, cmd::kAddColor, cmd::kEditColor, cmd::kEditDelete,
          cmd::kMoveColorUp, cmd::kMoveColorDown, cmd::kColorProperties, cmd::kCopyAllColors}) {
        AddUpdate(id, enabled);
    }
    AddCommand(cmd::kEditCopy, [this] { CopySelected(); });
    AddCommand(cmd::kGotoColor, [this] {
        const int selection = Selection();
        if (selection >= 0) m_sampler.GotoColor(selection);
    });
    AddCommand(cmd::kAddColor, [this] { AddColor(); });
    AddCommand(cmd::kEditColor, [this] { EditSelected(); });
    AddCommand(cmd::kEditDelete, [this] { DeleteSelected(); });
    AddCommand(cmd::kMoveColorUp, [this] { MoveSelected(-1); });
    AddCommand(cmd::kMoveColorDown, [this] { MoveSelected(+1); });
    AddCommand(cmd::kColorProperties, [this] { ShowProperties(); });

    for (const ColsViewMode mode : {ColsViewMode::kLargeIcons, ColsViewMode::kSmallIcons,
                                    ColsViewMode::kList, ColsViewMode::kDetails}) {
        const int id = ColsViewModeCommand(mode);
        AddCommand(id, [this, mode] { SetMode(mode); });
        AddUpdate(id, [this, mode](CCmdUI& ui) {
            ui.Enable(true);
            ui.SetRadio(m_mode == mode);
        });
    }

    AddCommand(cmd::kColorNameColumn, [this] {
        const bool shown = isColumnHidden(kColsName);
        SetColsNameColumnShown(Context().prefs, shown);
        setColumnHidden(kColsName, !shown);
        LayoutColumns();
    });
    AddUpdate(cmd::kColorNameColumn, [this](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(isColumnHidden(kColsName) ? CCmdUI::kUnchecked : CCmdUI::kChecked);
    });

    // Ctrl+Enter puts the live sample over the selected entry.
    AddCommand(cmd::kCopyColor, [this] {
        const int selection = Selection();
        if (selection >= 0 && Started()) m_sampler.Replace(selection);
    });
    AddUpdate(cmd::kCopyColor, [this](CCmdUI& ui) {
        ui.Enable(
            Started() &&
            ColsCommandEnabled(cmd::kCopyColor, m_model->Count(), Selection()).value_or(false));
    });

    AddCommand(cmd::kCopyAllColors, [this] {
        if (!Context().doc.Colors().IsEmpty()) CopyColors(CColorPicker::kAllColors);
    });
    // The live sample's color in the current format.
    AddCommand(cmd::kCopyLiveColor, [this] {
        const CUnitCol* format = Context().prefs.CurrentColorFormat();
        const COLORREF color = Context().doc.Colors().Sample().Color();
        if (color == kNoColor || format == nullptr) return;
        CopyText(format->FormatColor(color));
    });
    AddUpdate(cmd::kCopyLiveColor, [this](CCmdUI& ui) {
        ui.Enable(Context().doc.Colors().Sample().Color() != kNoColor);
    });

    AddUpdate(cmd::kIndicatorHint, [this](CCmdUI& ui) {
        const QWidget* top = window();
        const WindowId main = Host().NativeWindow();
        const bool foreground = (top && top->isActiveWindow()) ||
                                (main != kNoWindow && Context().ForegroundWindow() == main);
        const bool keyboard =
            Context().keyboardHelpersAvailable && Context().keyboardHelpersAvailable();
        ui.SetText(LoadString(ColsStatusStringId(Started(), foreground, keyboard)));
    });
}

void CViewCols::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->globalPos());
}

void CViewCols::ShowContextMenu(const QPoint& globalPos) {
    Host().SetActiveView(this);
    CCommandBinder* binder = Host().Binder();
    if (!binder) return;
    QMenu menu(this);
    if (!binder->BuildPopupMenu(&menu, res::kMenuColorsContext)) return;
    binder->UpdateMenu(&menu);
    menu.exec(globalPos);
}

bool CViewCols::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_tiles || watched == m_tiles->viewport()) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)) {
        Host().SetActiveView(this);
    }
    return CViewApp::eventFilter(watched, event);
}

}  // namespace nl
