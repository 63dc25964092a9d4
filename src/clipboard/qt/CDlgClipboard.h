#pragma once
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "base/bitmap_file.h"
#include "clipboard/CClipReads.h"
#include "clipboard/CClipViewer.h"
#include "clipboard/qt/CDlgClipFmt.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"

class QLabel;
namespace nl {
class CException;
}
class QPainter;
class QPlainTextEdit;

namespace nl {

struct AppContext;
class CCommandBinder;
class IViewHost;

// The clipboard viewer: a window of the main window's that follows the clipboard and shows
// its contents in one of six display formats, as a picture or in a text box, with a summary
// in its status bar. It steps between the formats on the clipboard, saves them, empties the
// clipboard and opens the list of all formats. Commands it does not handle (Stay on Top,
// Help) go on to the main window.
class CDlgClipboard : public QMainWindow, public CCmdTarget, public IViewNotifySink {
public:
    // Saves a picture of the clipboard the way the program saves images.
    using ImageExport = std::function<void(const BitmapImage&)>;

    static constexpr const char* kTitle = "NerimLens: Clipboard Viewer";
    // The smallest the window gets, in pixels.
    static constexpr int kMinimumSize = 200;
    // The size it opens at the first time, in dialog units.
    static constexpr int kWidthDlu = 185;
    static constexpr int kHeightDlu = 120;
    // How often the commands' states are brought up to date.
    static constexpr int kIdleUpdateMs = 200;
    // The bytes of text the statistics walk between two turns of the event loop: a few
    // milliseconds of work, so that the windows stay responsive through a text of any size.
    static constexpr std::size_t kStatsStepBytes = std::size_t{1} << 20;

    // `host` (may be null in tests) owns the viewer and takes the commands it does not.
    CDlgClipboard(AppContext& context, IViewHost* host, ImageExport exportImage);
    ~CDlgClipboard() override;

    // Runs command `id` on the viewer, else on the main window; false when nobody handled it.
    bool Execute(int id);
    // The state of command `id`: the viewer's update handler, else the main window's.
    CCmdUI Update(int id);

    const CClipViewer& Viewer() const { return m_viewer; }
    QWidget* PictureArea() const;
    QPlainTextEdit* TextArea() const { return m_text; }
    CDlgClipFmt* FormatsWindow() const { return m_formats; }
    QString SummaryText() const;
    CCommandBinder* Binder() const { return m_binder; }

    // IViewNotifySink: tool tips and save state.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    class CClipPicture;

    void AddHandlers();
    // The clipboard changed: gives up the reads of the old contents and asks for the format
    // names; their answer chooses the entry, shows its area and asks for its data.
    void RefreshFromClipboard();
    void OnFormatNames(const std::optional<std::vector<std::string>>& names);
    // Asks for the current entry's data; its answer fills the text box of a text entry or
    // loads the picture of a picture entry.
    void RequestCurrent();
    void ShowCurrent(ClipboardRead read);
    void LoadPicture(const ClipboardRead& read);
    // The text statistics walk a step at each turn of the event loop, so that input, paints
    // and clipboard changes are handled while they run; Escape and a newer change interrupt
    // them.
    void StartStats();
    void StepStats();
    void InterruptStats();
    // Asks for the size of the next row of the formats window not measured yet.
    void RequestNextFormatSize();
    void ShowError(const CException& error);
    void PaintPicture(QPainter& painter, const QRect& area);
    // Shows the text box for a text entry, else the picture area, without activating either.
    void ShowArea();
    void UpdateSummary();
    void ShowFormat(int command);
    void Step(int direction);
    void Clear();
    void SaveAs();
    void ToggleFormats();
    void OpenFormats();
    void RefillFormats();
    void SaveState();

    AppContext& m_context;
    IViewHost* m_host;
    ImageExport m_exportImage;
    CClipViewer m_viewer;
    CClipReads m_reads;
    CCommandBinder* m_binder = nullptr;
    QLabel* m_summary = nullptr;  // the status bar's one pane
    CClipPicture* m_picture = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPointer<CDlgClipFmt> m_formats;
    QTimer m_idleTimer;
    QTimer m_statsTimer;  // a step of the statistics whenever the event loop is idle
    QImage m_image;       // the bitmap entry's picture, null when none is loaded
    bool m_changeQueued = false;
    int m_currentTicket = 0;  // bumped when another entry's data is wanted
    // The current entry's data is asked for: the formats window waits for it rather than
    // reading the same format again.
    bool m_currentReadPending = false;
    bool m_formatReadQueued = false;  // a formats-window read is queued or outstanding
    bool m_escapeDown = false;        // interrupts the text statistics while held
    // Escape was pressed while the current text was read: its statistics are not walked.
    bool m_escapedWhileReading = false;
};

}  // namespace nl
