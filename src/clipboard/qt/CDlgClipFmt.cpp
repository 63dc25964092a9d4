#include "clipboard/qt/CDlgClipFmt.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/text.h"
#include "clipboard/qt/clip_placement.h"
#include "framework/CAppPrefs.h"
#include "framework/CWinState.h"
#include "framework/ViewNotifyHub.h"
#include "base/command_ids.h"
#include "framework/qt/AppContext.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/svg_icons.h"

namespace nl {

namespace {

constexpr int kDefaultWidth = 420;
constexpr int kDefaultHeight = 260;

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

CDlgClipFmt::~CDlgClipFmt() { m_context.notify.Unregister(this); }

void CDlgClipFmt::SetRows(const std::vector<ClipFormatRow>& rows) {
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ClipFormatRow& row = rows[static_cast<std::size_t>(r)];
        int column = 0;
        for (const std::string* cell : {&row.position, &row.size, &row.id, &row.name})
            m_list->setItem(r, column++, new QTableWidgetItem(ToQt(*cell)));
    }
    m_list->resizeColumnsToContents();
}

void CDlgClipFmt::SavePlacement() {
    SaveClipPlacement(*this, m_context.prefs, kWinStateClipboardFormats);
}

void CDlgClipFmt::ApplyGridLines() {
    m_list->setShowGrid((m_context.prefs.Settings().displayOptions &
                         AppSettings::kDisplayGridLines) != 0);
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
