#include "clipboard/qt/CDlgClipboard.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QVBoxLayout>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "clipboard/qt/CDlgClipFmt.h"
#include "clipboard/qt/clip_placement.h"
#include "framework/CAppPrefs.h"
#include "framework/CWinState.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/IViewHost.h"
#include "platform/IClipboard.h"
#include "platform/IDialogs.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_image.h"
#include "res/forms.h"
#include "ui/qt/CToolBarEx.h"
#include "ui/qt/form_metrics.h"
#include "ui/qt/svg_icons.h"

namespace nl {

namespace {

constexpr int kShowBitmap = cmd::kClipboardShowText + 3;
constexpr int kShowMetafile = cmd::kClipboardShowText + 4;
constexpr int kPrevious = -1;
constexpr int kNext = 1;
constexpr const char* kSaveExtension = "txt";

ClipBitmapInfo Measure(const QImage& image) {
    return ClipBitmapInfo{static_cast<std::uint32_t>(image.width()),
                          static_cast<std::uint32_t>(image.height()),
                          static_cast<std::uint32_t>(image.bytesPerLine()),
                          static_cast<std::uint32_t>(image.depth())};
}

std::optional<ClipBitmapInfo> MeasureImage(std::span<const std::uint8_t> bytes) {
    const QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
    if (image.isNull()) return std::nullopt;
    return Measure(image);
}

// `size` scaled to fill `area` with its aspect ratio kept, centred.
QRect FitInto(const QSize& size, const QRect& area) {
    const QSize fitted = size.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.left() + (area.width() - fitted.width()) / 2,
                 area.top() + (area.height() - fitted.height()) / 2, fitted.width(),
                 fitted.height());
}

}  // namespace

// The picture area: painted by the viewer.
class CDlgClipboard::CClipPicture : public QWidget {
public:
    explicit CClipPicture(CDlgClipboard& owner) : QWidget(&owner), m_owner(owner) {
        setObjectName(QStringLiteral("clipboardPicture"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_owner.PaintPicture(painter, rect());
    }

private:
    CDlgClipboard& m_owner;
};

CDlgClipboard::CDlgClipboard(AppContext& context, IViewHost* host, ImageExport exportImage)
    : QMainWindow(host ? host->Window() : nullptr, Qt::Window),
      m_context(context),
      m_host(host),
      m_exportImage(std::move(exportImage)),
      m_reads(context.clipboard) {
    setObjectName(QStringLiteral("clipboardViewer"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(IconFromSvg(res::kIconStarted));

    CCommandBinder::Callbacks callbacks;
    callbacks.execute = [this](int id) { return Execute(id); };
    callbacks.update = [this](int id) { return Update(id); };
    // Asked each time a tip would show, so the buttons follow the option as it changes.
    callbacks.toolTipsEnabled = [this] {
        return (m_context.prefs.Settings().generalOptions & AppSettings::kGeneralToolTips) != 0;
    };
    m_binder = new CCommandBinder(std::move(callbacks), this);
    m_binder->BuildMenuBar(menuBar(), res::kMenuClipboardViewer);
    auto* toolBar = new CToolBarEx(QString(), this);
    m_binder->BuildToolBar(toolBar, res::kToolbarClipboardViewer);
    addToolBar(toolBar);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("clipboardSummary"));
    statusBar()->addWidget(m_summary, 1);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_picture = new CClipPicture(*this);
    m_text = new QPlainTextEdit(central);
    m_text->setObjectName(QStringLiteral("clipboardText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_picture);
    layout->addWidget(m_text);
    // Shown and hidden without taking the focus from where it is.
    m_text->setAttribute(Qt::WA_ShowWithoutActivating);
    m_picture->setAttribute(Qt::WA_ShowWithoutActivating);
    m_text->hide();
    setCentralWidget(central);
    AddHandlers();

    setMinimumSize(kMinimumSize, kMinimumSize);
    const Size opening = DialogUnitsToPixelSize({kWidthDlu, kHeightDlu}, FormBaseUnits(font()));
    resize(opening.cx, opening.cy);
    RestoreClipPlacement(*this, m_context.prefs, m_context.desktop, kWinStateClipboardViewer);
    if (m_context.prefs.WinState(kWinStateClipboardFormats).IsOpen()) OpenFormats();

    m_context.notify.Register(this);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { m_binder->UpdateActions(); });
    m_idleTimer.start(kIdleUpdateMs);
    m_statsTimer.setInterval(0);
    connect(&m_statsTimer, &QTimer::timeout, this, [this] { StepStats(); });
    // Joins the clipboard's change notifications once the window is up.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_context.clipboard.SetChangeListener([this] {
                // The statistics under way are of contents that are gone.
                InterruptStats();
                if (m_changeQueued) return;
                m_changeQueued = true;
                QMetaObject::invokeMethod(
                    this, [this] { RefreshFromClipboard(); }, Qt::QueuedConnection);
            });
            RefreshFromClipboard();
        },
        Qt::QueuedConnection);
}

CDlgClipboard::~CDlgClipboard() {
    m_context.clipboard.SetChangeListener({});
    m_context.notify.Unregister(this);
}

bool CDlgClipboard::Execute(int id) {
    try {
        if (OnCommand(id)) return true;
    } catch (const CSystemError& e) {
        ShowError(e);
        return true;
    }
    if (m_host) return m_host->ExecuteCommand(id);
    return m_context.applicationTarget.OnCommand(id);
}

CCmdUI CDlgClipboard::Update(int id) {
    CCmdUI ui(id);
    if (OnUpdateCommandUI(ui)) return ui;
    if (HasCommandHandler(id)) return CCmdUI(id);
    if (m_host) return m_host->UpdateCommand(id);
    CCmdUI app(id);
    if (!m_context.applicationTarget.OnUpdateCommandUI(app))
        app.Enable(m_context.applicationTarget.HasCommandHandler(id));
    return app;
}

void CDlgClipboard::AddHandlers() {
    for (int id = cmd::kClipboardShowText; id <= cmd::kClipboardShowFileList; ++id) {
        AddCommand(id, [this, id] { ShowFormat(id); });
        AddUpdate(id, [this, id](CCmdUI& ui) {
            ui.Enable(m_viewer.IsAvailable(id));
            const ClipDisplayEntry* current = m_viewer.CurrentEntry();
            ui.SetRadio(current && current->command == id);
        });
    }
    for (const auto& [id, direction] :
         {std::pair{cmd::kClipboardPrevious, kPrevious}, std::pair{cmd::kClipboardNext, kNext}}) {
        AddCommand(id, [this, direction] { Step(direction); });
        AddUpdate(id, [this](CCmdUI& ui) { ui.Enable(m_viewer.AvailableCount() >= 2); });
    }
    AddCommand(cmd::kClipboardClear, [this] { Clear(); });
    AddUpdate(cmd::kClipboardClear, [this](CCmdUI& ui) { ui.Enable(m_viewer.HoldsAnyFormat()); });
    AddCommand(cmd::kClipboardFormats, [this] { ToggleFormats(); });
    AddUpdate(cmd::kClipboardFormats, [this](CCmdUI& ui) { ui.SetCheck(m_formats != nullptr); });
    AddCommand(cmd::kFileSaveAs, [this] { SaveAs(); });
    AddUpdate(cmd::kFileSaveAs, [this](CCmdUI& ui) { ui.Enable(m_viewer.CanSaveAs()); });
    AddCommand(cmd::kCancel, [this] { close(); });
}

QWidget* CDlgClipboard::PictureArea() const {
    return m_picture;
}

QString CDlgClipboard::SummaryText() const {
    return m_summary->text();
}

void CDlgClipboard::UpdateSummary() {
    m_summary->setText(ToQt(m_viewer.Summary()));
}

// --- following the clipboard ---------------------------------------------------------------

void CDlgClipboard::RefreshFromClipboard() {
    m_changeQueued = false;
    m_statsTimer.stop();
    m_viewer.InterruptStats();
    m_reads.Cancel();
    m_formatReadQueued = false;
    m_currentReadPending = false;
    ++m_currentTicket;
    m_image = QImage();
    m_text->clear();
    m_viewer.SetSummary(std::string(CClipViewer::kWaitText));
    UpdateSummary();
    m_reads.ReadNames(
        [this](std::optional<std::vector<std::string>> names) { OnFormatNames(names); });
}

void CDlgClipboard::OnFormatNames(const std::optional<std::vector<std::string>>& names) {
    if (names)
        m_viewer.Refresh(*names);
    else
        m_viewer.RefreshTimedOut();
    UpdateSummary();
    RefillFormats();
    ShowArea();
    if (names) RequestCurrent();
    RequestNextFormatSize();
    m_binder->UpdateActions();
}

void CDlgClipboard::RequestCurrent() {
    const int ticket = ++m_currentTicket;
    const std::string mime = m_viewer.CurrentMime();
    if (mime.empty()) {
        ShowCurrent({});
        return;
    }
    const std::size_t limit =
        m_viewer.CurrentIsText() ? CClipViewer::kMaxTextBytes : CClipViewer::kMaxPictureBytes;
    m_currentReadPending = true;
    m_escapedWhileReading = false;
    m_reads.Read(mime, limit, [this, ticket](ClipboardRead read) {
        if (ticket != m_currentTicket) return;
        m_currentReadPending = false;
        ShowCurrent(std::move(read));
    });
}

void CDlgClipboard::ShowCurrent(ClipboardRead read) {
    if (!m_viewer.CurrentIsText()) {
        LoadPicture(read);
    } else {
        if (const std::optional<ClipTextView> view = m_viewer.ReadText(std::move(read)))
            m_text->setPlainText(QString::fromStdU16String(view->text));
        UpdateSummary();
        StartStats();
    }
    // The read measured the current entry's row of the formats window; the other rows follow.
    RefillFormats();
    RequestNextFormatSize();
}

void CDlgClipboard::StartStats() {
    if (!m_viewer.StatsPending()) return;
    // Escape pressed while the text was read, or held down, or a change waiting in the queue
    // gives them up before they start.
    if (m_escapeDown || m_escapedWhileReading || m_changeQueued)
        InterruptStats();
    else
        m_statsTimer.start();
}

void CDlgClipboard::StepStats() {
    if (m_viewer.StepStats(kStatsStepBytes)) return;
    m_statsTimer.stop();
    UpdateSummary();
}

void CDlgClipboard::InterruptStats() {
    m_statsTimer.stop();
    if (!m_viewer.StatsPending()) return;
    m_viewer.InterruptStats();
    UpdateSummary();
}

void CDlgClipboard::ShowArea() {
    const bool text = m_viewer.CurrentIsText();
    m_text->setVisible(text);
    m_picture->setVisible(!text);
}

void CDlgClipboard::LoadPicture(const ClipboardRead& read) {
    const ClipDisplayEntry* entry = m_viewer.CurrentEntry();
    m_image = QImage();
    if (!entry || !entry->available) {
        m_viewer.SetNoPictureSummary();
    } else if (read.status == ClipboardReadStatus::kTimedOut) {
        m_viewer.SetSummary(SystemErrorText(kErrorTimeout));
    } else if (read.status == ClipboardReadStatus::kCut) {
        m_viewer.SetSummary(SystemErrorText(kErrorNotEnoughMemory));
    } else {
        const bool whole = read.status == ClipboardReadStatus::kDone;
        if (entry->command == kShowBitmap && whole) {
            m_image = QImage::fromData(read.bytes.data(), static_cast<int>(read.bytes.size()));
            if (!m_image.isNull())
                m_viewer.SetBitmapSummary(Measure(m_image), m_context.prefs.RegionalFormat());
        }
        const auto header = whole ? ReadMetafileHeader(read.bytes) : std::nullopt;
        if (entry->command == kShowMetafile && header)
            m_viewer.SetMetafileSummary(*header, m_context.prefs.RegionalFormat());
        if (m_image.isNull() && !header)
            m_viewer.SetSummary(SystemErrorText(kErrorInvalidParameter));
    }
    m_viewer.SetCurrentFormatSize(read, [this](std::span<const std::uint8_t>) {
        return m_image.isNull() ? std::nullopt : std::optional<ClipBitmapInfo>(Measure(m_image));
    });
    UpdateSummary();
    m_picture->update();
}

void CDlgClipboard::PaintPicture(QPainter& painter, const QRect& area) {
    painter.fillRect(area, palette().button());
    if (!m_image.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(FitInto(m_image.size(), area), m_image);
        return;
    }
    // Metafiles have no player here: they show their bounds in the summary only.
    painter.setPen(palette().buttonText().color());
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromLatin1(CClipViewer::kNoPreviewText.data(),
                                         static_cast<int>(CClipViewer::kNoPreviewText.size())));
}

// --- commands --------------------------------------------------------------------------------

void CDlgClipboard::ShowFormat(int command) {
    if (!m_viewer.Show(command)) return;
    m_statsTimer.stop();
    UpdateSummary();
    m_image = QImage();
    m_text->clear();
    ShowArea();
    RequestCurrent();
}

void CDlgClipboard::Step(int direction) {
    if (const std::optional<int> command = m_viewer.StepCommand(direction)) ShowFormat(*command);
}

void CDlgClipboard::Clear() {
    if (const std::uint32_t code = m_context.clipboard.Clear()) throw CSystemError(code);
}

void CDlgClipboard::SaveAs() {
    switch (m_viewer.SaveKind()) {
        case ClipSaveKind::kText:
        case ClipSaveKind::kFileList: {
            FileDialogRequest request;
            request.filter = m_viewer.SaveFilter();
            request.defaultExtension = kSaveExtension;
            const auto path = m_context.dialogs.SaveFileDialog(request);
            if (!path) break;
            m_reads.Read(m_viewer.SaveMime(*path), CClipViewer::kMaxSaveBytes,
                         [this, target = *path](ClipboardRead read) {
                             try {
                                 m_viewer.SaveText(read, m_context.files, target);
                             } catch (const CSystemError& e) {
                                 ShowError(e);
                             }
                         });
            break;
        }
        case ClipSaveKind::kBitmap:
            m_reads.Read(
                m_viewer.MimeOf(kCfBitmap), CClipViewer::kMaxPictureBytes,
                [this](ClipboardRead read) {
                    const QImage image = read.status == ClipboardReadStatus::kDone
                                             ? QImage::fromData(read.bytes.data(),
                                                                static_cast<int>(read.bytes.size()))
                                             : QImage();
                    if (image.isNull())
                        ShowError(CSystemError(read.status == ClipboardReadStatus::kTimedOut
                                                   ? kErrorTimeout
                                                   : kErrorInvalidParameter));
                    else if (m_exportImage)
                        m_exportImage(ToBitmapImage(image));
                });
            break;
        case ClipSaveKind::kNone:
            break;
    }
}

// --- the formats window ----------------------------------------------------------------------

void CDlgClipboard::ToggleFormats() {
    if (m_formats)
        m_formats->close();
    else
        OpenFormats();
}

void CDlgClipboard::OpenFormats() {
    auto* formats = new CDlgClipFmt(m_context, this);
    formats->setAttribute(Qt::WA_DeleteOnClose);
    m_formats = formats;
    RefillFormats();
    formats->show();
    RequestNextFormatSize();
}

void CDlgClipboard::RefillFormats() {
    if (m_formats) m_formats->SetRows(m_viewer.FormatRows(m_context.prefs.RegionalFormat()));
}

void CDlgClipboard::RequestNextFormatSize() {
    if (!m_formats || m_formatReadQueued || m_currentReadPending) return;
    const std::optional<ClipFormatRead> next = m_viewer.NextFormatRead();
    if (!next) return;
    m_formatReadQueued = true;
    m_reads.Read(next->mime, next->maxBytes, [this, row = next->row](ClipboardRead read) {
        m_formatReadQueued = false;
        m_viewer.SetFormatSize(row, read, MeasureImage);
        RefillFormats();
        RequestNextFormatSize();
    });
}

void CDlgClipboard::ShowError(const CException& error) {
    m_context.dialogs.MessageBox(error.Message(), LoadString(kIdsAppTitle), MsgButtons::kOk,
                                 MsgIcon::kWarning);
}

// --- state -----------------------------------------------------------------------------------

void CDlgClipboard::SaveState() {
    SaveClipPlacement(*this, m_context.prefs, kWinStateClipboardViewer);
    if (m_formats) m_context.prefs.WinState(kWinStateClipboardFormats).SetOpen(true);
}

void CDlgClipboard::OnViewNotify(ViewNotify type, std::intptr_t) {
    if (type == ViewNotify::kSaveState) SaveState();
}

void CDlgClipboard::closeEvent(QCloseEvent* event) {
    const bool formatsOpen = m_formats != nullptr;
    if (m_formats) m_formats->close();
    m_context.prefs.WinState(kWinStateClipboardFormats).SetOpen(formatsOpen);
    SaveClipPlacement(*this, m_context.prefs, kWinStateClipboardViewer);
    m_context.prefs.WinState(kWinStateClipboardViewer).SetOpen(false);
    m_idleTimer.stop();
    InterruptStats();
    m_reads.Cancel();
    m_currentReadPending = false;
    m_formatReadQueued = false;
    event->accept();
}

void CDlgClipboard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_escapeDown = true;
        m_escapedWhileReading = m_currentReadPending && m_viewer.CurrentIsText();
        InterruptStats();
    }
    QMainWindow::keyPressEvent(event);
}

void CDlgClipboard::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) m_escapeDown = false;
    QMainWindow::keyReleaseEvent(event);
}

}  // namespace nl
