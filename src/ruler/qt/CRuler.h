#pragma once
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStaticText>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "ruler/ruler_geometry.h"
#include "ruler/ruler_graduations.h"
#include "ruler/ruler_placement.h"

class QMenu;

namespace nl {

struct AppContext;
class CCommandBinder;
class CDlgScale;
class IViewHost;
class CRulerData;
class CRulerKeys;

// The floating on-screen ruler: a frameless, translucent tool window owned by the main
// window, with its own caption strip (icon, readouts, help and close buttons) over a
// graduated body. It reads and writes the ruler settings and the ruler's window-state record;
// its option bits (unit, orientation, graduation side, guide) live in the window while it is
// open. Commands it does not handle go on to the main window.
// CRuler.cpp holds construction, the commands, placement and the cursor; CRuler_paint.cpp the
// painting; CRuler_mouse.cpp the mouse gestures and the window events.
class CRuler : public QWidget, public CCmdTarget, public IViewNotifySink {
public:
    // The window's alpha where the window system can show translucent windows.
    static constexpr int kAlpha = 202;
    static constexpr double kAlphaMax = 255.0;
    // Major tick length in pixels.
    static constexpr int kMajorTickLength = 12;
    // Width of the sizing bands along the client edges.
    static constexpr int kSizingBand = 4;
    // How often the ruler looks at the cursor while the picking timer does not tick.
    static constexpr int kIdleUpdateMs = 100;
    // The face asked for: the font matcher picks the nearest sans-serif face.
    static constexpr const char* kFontFace = "Segoe";

    // `frame` (may be null in tests) owns the ruler and handles the commands the ruler does
    // not.
    CRuler(AppContext& context, IViewHost* frame);
    ~CRuler() override;

    // Runs command `id` on the ruler, else on the main window; false when nobody handled it.
    bool Execute(int id);
    // The state of command `id`: the ruler's update handler, else the main window's.
    CCmdUI Update(int id);

    // Changes the option bits under `mask` to `bits`: turns the ruler about its origin,
    // moves it when the graduation side changes, recomputes the graduations.
    void SetOptions(std::uint32_t mask, std::uint32_t bits);
    void SetScale(int percent);
    void SetBase(int base);
    // Looks at the cursor: moves the guide mark, lights the caption buttons, refreshes the
    // dialog units and the caption.
    void UpdateFromCursor();
    // Stores the option bits and the window's placement into the settings.
    void SaveState();

    // Leaves the window's placement to the program or to the compositor: by the compositor
    // the ruler is translucent through an alpha background (window opacity is ignored there),
    // moves and sizes by the compositor's interactive gestures, and the commands that place
    // the window say they cannot. Before the window is shown; the platform decides at first.
    void UsePlacement(RulerPlacement placement);
    RulerPlacement Placement() const { return m_placement; }

    std::uint32_t Options() const { return m_options; }
    int Scale() const { return m_scale; }
    const UnitMetrics& Metrics() const { return m_metrics; }
    int Dpi() const { return m_dpi; }
    Size DialogBaseUnits() const { return m_dialogBase; }
    RulerParts Parts() const;
    // The origin point in screen pixels.
    Point OriginOnScreen() const;
    // The graduations as painted now, in the window's device pixels.
    GraduationLayout Layout() const;
    // The guide mark's device pixel along the ruler, from the window's start.
    std::optional<int> GuidePosition() const { return m_guide; }
    QWidget* ScaleDialog() const;
    QWidget* KeysWindow() const;
    QMenu* PopupMenu() const { return m_menu; }
    CCommandBinder* Binder() const { return m_binder; }
    // The caption's small-caption height (the strip is two pixels thicker).
    int CaptionHeight() const { return m_captionHeight; }
    // Paints the ruler into `target` (the same as on screen).
    void Render(QPainter& painter);

    // IViewNotifySink: the timer tick updates, the save notification stores the state.
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AddHandlers();
    // Hands a press on the caption or an edge to the compositor's move or resize; false
    // where the program places the window or the press is elsewhere.
    bool StartCompositorGesture(RulerHit hit);
    void RecomputeMetrics();
    void RebuildCaption();
    void UpdateMinimumSize();
    // The window's top-left corner in device pixels.
    Point ClientTopLeftOnScreen() const;
    // Device pixels per window pixel, and a length of window pixels in device pixels.
    double Ratio() const;
    int ToDevice(int logical) const;
    // Brings the whole ruler onto the work area of its monitor where it fits there.
    void KeepOnScreen();
    void PlaceAtStart();
    void Arrange();
    void MoveBy(int dx, int dy);
    void MoveToCursor();
    void MoveCursorToRuler();
    void ShowCustomZoom();
    void ToggleKeysWindow();
    void ShowMenuAt(const QPoint& global);
    bool RefreshDialogUnits();
    // The window's rectangle in device pixels, and the window placed at one.
    Rect ScreenRect() const;
    void SetScreenRect(const Rect& rect);
    Rect VirtualScreen() const;
    void PaintStrip(QPainter& p, const RulerParts& parts);
    void PaintBody(QPainter& p, const RulerParts& parts);
    void PaintCaptionText(QPainter& p, const RulerParts& parts);
    void PaintGraduations(QPainter& p);
    void PaintGuide(QPainter& p, const RulerParts& parts);
    void InvalidateGuide(int along);

    AppContext& m_context;
    IViewHost* m_frame;
    RulerPlacement m_placement = RulerPlacement::kByProgram;
    CRulerData& m_data;
    CCommandBinder* m_binder = nullptr;
    QMenu* m_menu = nullptr;
    QPointer<CDlgScale> m_scaleDialog;
    QPointer<CRulerKeys> m_keysWindow;
    QTimer m_idleTimer;

    std::uint32_t m_options = 0;
    int m_scale = 100;
    int m_dpi = 0;  // 0 until known
    UnitMetrics m_metrics;
    Size m_dialogBase;
    QFont m_font;
    int m_textHeight = 0;
    int m_captionHeight = 18;
    QString m_caption;
    QHash<QString, QStaticText> m_labels;  // tick labels laid out in the ruler font

    std::optional<int> m_guide;         // device pixel along the ruler of the guide mark
    std::optional<Point> m_lastCursor;  // device pixel of the cursor in the window, last update
    bool m_helpHot = false;
    bool m_closeHot = false;
    QWidget* m_examined = nullptr;        // the widget last examined; compared, never used
    std::optional<QFont> m_examinedFont;  // its font, whose dialog units are in use

    // Mouse gestures.
    enum class Drag { kNone, kMove, kLeft, kRight, kTop, kBottom, kHelp, kClose };
    Drag m_drag = Drag::kNone;
    QPoint m_dragStart;  // global
    QRect m_dragGeometry;
};

}  // namespace nl
