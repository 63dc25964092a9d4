#include "clipboard/qt/CDlgClipFmt.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/command_ids.h"
#include "base/text.h"
#include "clipboard/qt/clip_placement.h"
#include "framework/CAppPrefs.h"
#include "framework/CWinState.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/svg_icons.h"

namespace nl {

namespace {

constexpr int kDefaultWidth = 420;
constexpr int kDefaultHeight = 260;
constexpr int kSizeColumn = 1;
// The widest size text, and the characters of room beside it.
constexpr const char* kWidestSize = "1023.99 MB";
constexpr int kSizePaddingChars = 2;

}  // namespace

CDlgClipFmt::CDlgClipFmt(AppContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), m_context(context), m_list(new QTableWidget(this)) {
    setObjectName(QStringLiteral("clipboardFormats"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(IconFromSvg(res::kIconStarted));
    QStringList headers;
    for (const std::string& header : SplitLines(kColumns)) headers << ToQt(header);
    m_list->setColumnCount(static_cast<int>(headers.size()));
    m_list->setHorizontalHeaderLabels(headers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    ApplyGridLines();

    resize(kDefaultWidth, kDefaultHeight);
    RestoreClipPlacement(*this, m_context.prefs, m_context.desktop, kWinStateClipboardFormats);
    m_context.notify.Register(this);
}

CDlgClipFmt::~CDlgClipFmt() {
    m_context.notify.Unregister(this);
}

void CDlgClipFmt::SetRows(const std::vector<ClipFormatRow>& rows) {
    // The sizes arrive one at a time: the same rows again only change the cells that differ,
    // and the columns are fitted when the rows are new.
    const bool newRows = m_list->rowCount() != static_cast<int>(rows.size());
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ClipFormatRow& row = rows[static_cast<std::size_t>(r)];
        int column = 0;
        for (const std::string* cell : {&row.position, &row.size, &row.id, &row.name}) {
            const QString text = ToQt(*cell);
            QTableWidgetItem* item = m_list->item(r, column);
            if (!item)
                m_list->setItem(r, column, new QTableWidgetItem(text));
            else if (item->text() != text)
                item->setText(text);
            ++column;
        }
    }
    if (newRows) {
        m_list->resizeColumnsToContents();
        // Room for the sizes still to come.
        const int sizeWidth =
            m_list->fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestSize)) +
            m_list->fontMetrics().averageCharWidth() * kSizePaddingChars;
        m_list->setColumnWidth(kSizeColumn, std::max(m_list->columnWidth(kSizeColumn), sizeWidth));
    }
}

void CDlgClipFmt::SavePlacement() {
    SaveClipPlacement(*this, m_context.prefs, kWinStateClipboardFormats);
}

void CDlgClipFmt::ApplyGridLines() {
    m_list->setShowGrid(
        (m_context.prefs.Settings().displayOptions & AppSettings::kDisplayGridLines) != 0);
}

void CDlgClipFmt::OnViewNotify(ViewNotify type, std::intptr_t) {
    if (type == ViewNotify::kGridLinesChanged) ApplyGridLines();
    if (type == ViewNotify::kSaveState) SavePlacement();
}

void CDlgClipFmt::closeEvent(QCloseEvent* event) {
    SavePlacement();
    m_context.prefs.WinState(kWinStateClipboardFormats).SetOpen(false);
    event->accept();
}

}  // namespace nl
