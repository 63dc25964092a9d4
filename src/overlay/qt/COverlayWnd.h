#pragma once
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "overlay/CWndCap.h"
#include "overlay/edge_snap.h"
#include "platform/IDesktop.h"
#include "platform/IWindowSystem.h"

class QBrush;
class QKeyEvent;
class QPainter;

namespace nl {

// How an overlay lets the desktop show through its veil: blended by the compositing
// manager, or from a snapshot of the desktop taken before it opens (a translucent window
// comes out opaque without a compositor).
enum class OverlayBackdrop { kTranslucent, kSnapshot };

// The window class and name an overlay carries on the desktop.
struct OverlayNames {
    std::string className;
    std::string windowName;
};

// The window of a desktop overlay (capture, gauge): one frameless window over the whole
// virtual screen, above everything and unmanaged, veiled in light gray, holding the keyboard
// while open and the mouse during a gesture. It feeds its mouse and key events to the
// overlay's state machine as plain events in client coordinates (device pixels from the
// virtual screen's top-left corner) and carries out what the state machine asks of it.
// While open it is the application's current overlay. It deletes itself after it ended.
class COverlayWnd : public QWidget, public IOverlayWindow {
public:
    // The veil: light gray at 96 of 255.
    static constexpr int kVeilGray = 192;
    static constexpr int kVeilAlpha = 96;
    // How long the uncovered windows get to repaint after the overlay left the screen.
    static constexpr int kSettleMs = 120;
    // The feedback label: light text on a dark box with a light edge, which reads on any
    // desktop, placed this many pixels right of and below the pointer.
    static constexpr QRgb kLabelFill = 0xFF202428;
    static constexpr int kLabelOffset = 18;

    // The lines the label shows now (empty lines are left out).
    using FeedbackLines = std::function<std::vector<std::string>()>;

    COverlayWnd(IDesktop& desktop, IWindowSystem& windows, OverlayBackdrop backdrop,
                OverlayNames names);
    ~COverlayWnd() override;

    // The open overlay of the application, or null.
    static COverlayWnd* Current();
    // Which backdrop an overlay gets on the window system `windows` now.
    static OverlayBackdrop DisplayBackdrop(const IWindowSystem& windows);

    // The state machine the events go to and what to do once the overlay ended (restore the
    // windows, report the error). Set before Open.
    void Attach(CWndCap& overlay, std::function<void(const OverlayEnd&)> ended);
    // Covers `rect` (device pixels of the virtual screen): the state machine takes it, the
    // window is placed over it (with kSnapshot the desktop is copied now), and the overlay
    // is shown through the state machine. Returns false when the window failed; the
    // overlay has ended then.
    bool Open(const Rect& virtualScreen, const Rect& desktopWindow);

    // Keeps the open overlay on the screen for `milliseconds`, painted, with events other
    // than user input running, then hides it (a preview that takes no input).
    void ShowFor(int milliseconds);

    // What the overlay says beside the pointer while it is open: the prompt, the position or
    // selection and the window it is over, as the main window's panes do (which may be
    // covered or hidden). A notice (a countdown) takes the lines' place until cleared.
    void SetFeedback(FeedbackLines lines) { m_feedback = std::move(lines); }
    void SetNotice(const std::string& text);
    // The label's rectangle in the widget's pixels as last painted; empty when none was.
    QRect FeedbackRect() const { return m_feedbackRect; }

    OverlayBackdrop Backdrop() const { return m_backdrop; }
    // Whether the open overlay takes this key itself, before the application's keys.
    bool WantsKey(const QKeyEvent& event) const;
    // The color of the dark lines.
    static QColor LineColor();
    // Draws a line figure twice, white and then dashed in LineColor() over it, so that it
    // shows on white and on black desktops alike.
    static void DrawTwoTone(QPainter& painter, const std::function<void()>& draw);
    // The desktop picture the overlay keeps (KeepDesktopPicture) or shows through its veil:
    // the area's device pixels; null when there is none.
    const QImage& Snapshot() const { return m_snapshot; }
    // Asked before Open: the desktop as it was before the overlay opened is kept, whatever
    // the backdrop, for reading its pixels (null when the copy failed).
    void KeepDesktopPicture() { m_keepPicture = true; }
    // That picture as the edge search reads it; no pixels when there is none.
    SnapPicture DesktopPicture() const;
    // The overlay's rectangle on the virtual screen.
    const Rect& Area() const { return m_area; }

    // IOverlayWindow.
    void Show() override;
    void Hide() override;
    void RepaintNow() override;
    void Invalidate(const CRegion& region, EraseBackground erase) override;
    void GrabMouse() override;
    void ReleaseMouse() override;
    void End(const OverlayEnd& end) override;

protected:
    // Paints the selection on `painter`, which works in client device pixels and replaces
    // what it paints: what `hole` fills shows the desktop unveiled; dark lines are drawn in
    // LineColor(), never in a color that could be a hole.
    virtual void PaintSelection(QPainter& painter, const QBrush& hole) = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    // Another client taking the pointer or keyboard with a grab aborts the overlay.
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    // Called once the native window exists, before the overlay shows.
    virtual void Created(WindowId) {}

private:
    // The event's position in client device pixels, noted as the pointer's for the label.
    Point ClientPoint(const QMouseEvent* event);
    // The label's lines now: the notice, or the owner's lines.
    std::vector<std::string> FeedbackText() const;
    // Where a label of `size` (widget pixels) goes beside the pointer: right of and below it,
    // turned to the other side where the pointer's monitor ends.
    QRect PlaceFeedback(QSize size) const;
    void PaintFeedback(QPainter& painter);
    // The pointer moved or the text changed: the old label goes, the new one is painted.
    void RefreshFeedback();

    IDesktop& m_desktop;
    IWindowSystem& m_windows;
    OverlayBackdrop m_backdrop;
    OverlayNames m_names;
    CWndCap* m_overlay = nullptr;
    std::function<void(const OverlayEnd&)> m_ended;
    Rect m_area;
    QImage m_snapshot;
    FeedbackLines m_feedback;
    std::string m_notice;
    Point m_pointer;       // client device pixels
    QRect m_feedbackRect;  // widget pixels
    bool m_activated = false;
    bool m_ending = false;
    bool m_keepPicture = false;
};

// A 32×32 cross-hair cursor with its hot spot where the arms cross: black arms over a white
// outline, so that it shows on dark and light desktops alike, leaving `gap` pixels free
// around the hot spot, with short marks across the arms every `markEvery` pixels (0: none).
QCursor CrossHairCursor(int gap, int markEvery);

}  // namespace nl
