#include "ruler/qt/CRuler.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/monitor_layout.h"
#include "document/CRulerData.h"
#include "framework/CAppPrefs.h"
#include "framework/CPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/IViewHost.h"
#include "framework/window_scale.h"
#include "platform/IDesktop.h"
#include "platform/IDialogs.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "ruler/qt/CDlgScale.h"
#include "ruler/qt/CRulerKeys.h"
#include "ruler/ruler_readouts.h"

namespace nl {

namespace {

using D = CRulerData;

constexpr int kMinCaptionHeight = 18;
constexpr int kCaptionTextPadding = 5;
// The side setting that tells the logical pixel from the pixel, both stored as Pixel.
constexpr std::string_view kSideUnit = "ruler.unit";
constexpr std::string_view kSideLogicalPixel = "lpx";
// The least room between two graduation labels, in the window's pixels.
constexpr int kLabelGap = 4;

// When a toggle command shows its check mark: while its option bit is clear, or while set.
enum class CheckedWhen { kBitClear, kBitSet };

// Dialog Base and Dialog follow the font of the window under the cursor.
bool IsDialogUnit(std::uint32_t options) {
    const std::uint32_t unit = RulerUnitBit(RulerUnitIndex(options).value_or(0));
    return unit == D::kOptionUnitDialogBase || unit == D::kOptionUnitDialog;
}

}  // namespace

CRuler::CRuler(AppContext& context, IViewHost* frame)
    : QWidget(frame ? frame->Window() : nullptr, Qt::Tool | Qt::FramelessWindowHint),
      m_context(context),
      m_frame(frame),
      m_data(context.prefs.Ruler()) {
    setObjectName(QStringLiteral("NerimRuler"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_scale = m_data.ScalingFactor();
    const DisplayMetrics display = m_context.desktop.Metrics();
    m_dialogBase = {display.dialogBaseX, display.dialogBaseY};

    m_font = QFont(QString::fromLatin1(kFontFace));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPixelSize(std::max(1, QFontInfo(QApplication::font()).pixelSize()));
    m_textHeight = QFontMetrics(m_font).height();
    m_captionHeight = std::max(kMinCaptionHeight, m_textHeight + kCaptionTextPadding);

    CCommandBinder::Callbacks callbacks;
    callbacks.execute = [this](int id) { return Execute(id); };
    callbacks.update = [this](int id) { return Update(id); };
    m_binder = new CCommandBinder(std::move(callbacks), this);
    m_menu = new QMenu(this);
    m_binder->BuildPopupMenu(m_menu, res::kMenuRuler);
    m_binder->AddShortcuts(this, res::kAcceleratorsRuler, {});
    AddHandlers();

    // Nothing changes but everything is measured: the density, the metrics, the size limits.
    m_options = RulerOptionsFromStore(m_data.Options() & D::kOptionMask,
                                      m_context.prefs.Side().Get(kSideUnit) == kSideLogicalPixel);
    SetOptions(0, 0);
    PlaceAtStart();
    UsePlacement(m_context.desktop.WindowRules().placesWindows ? RulerPlacement::kByProgram
                                                               : RulerPlacement::kByCompositor);
    setWindowTitle(m_caption);

    m_context.notify.Register(this);
    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { UpdateFromCursor(); });
    m_idleTimer.start();
}

CRuler::~CRuler() {
    m_context.notify.Unregister(this);
}

void CRuler::UsePlacement(RulerPlacement placement) {
    m_placement = placement;
    if (placement == RulerPlacement::kByCompositor) {
        // The paint gives every pixel its alpha; the window itself stays opaque.
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        setAttribute(Qt::WA_TranslucentBackground);
        setWindowOpacity(1.0);
    } else {
        // Translucent where a compositing window system shows it; opaque (and no error)
        // elsewhere.
        setWindowOpacity(kAlpha / kAlphaMax);
    }
}

bool CRuler::Execute(int id) {
    if (m_placement == RulerPlacement::kByCompositor && RulerCommandNeedsPlacement(id)) {
        m_context.dialogs.MessageBox(LoadString(kIdsRulerPlacementUnavailable),
                                     LoadString(kIdsAppTitle), MsgButtons::kOk,
                                     MsgIcon::kInformation);
        return true;
    }
    if (OnCommand(id)) return true;
    if (m_frame) return m_frame->ExecuteCommand(id);
    return m_context.applicationTarget.OnCommand(id);
}

CCmdUI CRuler::Update(int id) {
    CCmdUI ui(id);
    if (OnUpdateCommandUI(ui)) return ui;
    if (HasCommandHandler(id)) return CCmdUI(id);
    if (m_frame) return m_frame->UpdateCommand(id);
    CCmdUI app(id);
    if (!m_context.applicationTarget.OnUpdateCommandUI(app))
        app.Enable(m_context.applicationTarget.HasCommandHandler(id));
    return app;
}

void CRuler::AddHandlers() {
    const auto toggle = [this](int id, std::uint32_t bit, CheckedWhen checked) {
        AddCommand(id, [this, bit] { SetOptions(bit, m_options ^ bit); });
        AddUpdate(id, [this, bit, checked](CCmdUI& ui) {
            ui.SetCheck(((m_options & bit) != 0) == (checked == CheckedWhen::kBitSet));
        });
    };
    toggle(cmd::kRulerHorizontal, D::kOptionVertical, CheckedWhen::kBitClear);
    toggle(cmd::kRulerInverted, D::kOptionInverted, CheckedWhen::kBitSet);
    toggle(cmd::kRulerGuide, D::kOptionGuide, CheckedWhen::kBitSet);
    AddCommand(cmd::kRulerArrange, [this] { Arrange(); });

    for (int i = 0; i < kRulerUnitCount; ++i) {
        const std::uint32_t bit = RulerUnitBit(i);
        AddCommand(RulerUnitCommand(i), [this, bit] { SetOptions(kRulerUnitBits, bit); });
        AddUpdate(RulerUnitCommand(i),
                  [this, bit](CCmdUI& ui) { ui.SetRadio((m_options & kRulerUnitBits) == bit); });
    }
    AddCommand(cmd::kRulerNextUnit, [this] {
        if (const auto next = NextUnitCommand(m_options)) Execute(*next);
    });
    for (const auto& [id, base] : {std::pair{cmd::kRulerBase10, D::kBaseDecimal},
                                   std::pair{cmd::kRulerBase2, D::kBaseBinary}}) {
        AddCommand(id, [this, base] { SetBase(base); });
        AddUpdate(id, [this, base](CCmdUI& ui) { ui.SetRadio(m_data.GraduationBase() == base); });
    }

    AddCommand(cmd::kRulerNormalZoom, [this] { SetScale(D::kTrueScale); });
    AddUpdate(cmd::kRulerNormalZoom, [this](CCmdUI& ui) { ui.Enable(CanZoomNormal(m_scale)); });
    AddCommand(cmd::kRulerZoomIn, [this] { SetScale(ZoomInScale(m_scale)); });
    AddUpdate(cmd::kRulerZoomIn, [this](CCmdUI& ui) { ui.Enable(CanZoomIn(m_scale)); });
    AddCommand(cmd::kRulerZoomOut, [this] { SetScale(ZoomOutScale(m_scale)); });
    AddUpdate(cmd::kRulerZoomOut, [this](CCmdUI& ui) { ui.Enable(CanZoomOut(m_scale)); });
    AddCommand(cmd::kRulerCustomZoom, [this] { ShowCustomZoom(); });

    static constexpr std::uint32_t kCaptionBits[] = {D::kCaptionUnit,
                                                     D::kCaptionScale,
                                                     D::kCaptionRulerPosition,
                                                     D::kCaptionCursorPosition,
                                                     D::kCaptionCursorProjection,
                                                     D::kCaptionCursorDistance,
                                                     D::kCaptionCursorAngle};
    for (int id = cmd::kRulerCaptionFirst; id <= cmd::kRulerCaptionLast; ++id) {
        const std::uint32_t bit = kCaptionBits[id - cmd::kRulerCaptionFirst];
        AddCommand(id, [this, bit] {
            m_data.SetCaptionItems(m_data.CaptionItems() ^ bit);
            m_context.prefs.SetChanged();
            RebuildCaption();
        });
        AddUpdate(id, [this, bit](CCmdUI& ui) { ui.SetCheck((m_data.CaptionItems() & bit) != 0); });
    }

    AddCommandRange(cmd::kCursorLeft, cmd::kCursorDown, [this](int id) {
        static constexpr Point kSteps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        const Point step = kSteps[id - cmd::kCursorLeft];
        MoveBy(step.x, step.y);
        return true;
    });
    AddCommand(cmd::kRulerMoveToCursor, [this] { MoveToCursor(); });
    AddCommand(cmd::kRulerMoveCursorToRuler, [this] { MoveCursorToRuler(); });
    AddCommand(cmd::kRulerShortcutKeys, [this] { ToggleKeysWindow(); });
    AddUpdate(cmd::kRulerShortcutKeys,
              [this](CCmdUI& ui) { ui.SetCheck(m_keysWindow != nullptr); });
    AddCommand(cmd::kClose, [this] { close(); });
}

// --- options, scale, base ----------------------------------------------------------------

void CRuler::SetOptions(std::uint32_t mask, std::uint32_t bits) {
    const std::uint32_t old = m_options;
    const std::uint32_t now = ((old & ~mask) | (bits & mask)) & D::kOptionMask;
    const std::uint32_t changed = old ^ now;
    const bool firstTime = m_dpi == 0;
    if (changed == 0 && !firstTime) return;
    m_options = now;

    const DisplayMetrics display = m_context.desktop.Metrics();
    if ((changed & D::kOptionVertical) || firstTime)
        m_dpi = (now & D::kOptionVertical) ? display.dpiY : display.dpiX;
    RecomputeMetrics();

    if (changed & (D::kOptionVertical | D::kOptionInverted)) {
        const Rect target =
            RulerRectAfterOptions(ScreenRect(), old, now, m_captionHeight, VirtualScreen());
        setMinimumSize(0, 0);
        SetScreenRect(target);
    }
    UpdateMinimumSize();
    // The start-up placement has its own rule; later changes keep the whole ruler in view.
    if (!firstTime) KeepOnScreen();
    if (changed & D::kOptionGuide) m_guide.reset();
    m_lastCursor.reset();
    update();
    RebuildCaption();
}

void CRuler::SetScale(int percent) {
    if (percent <= 0) return;
    if (percent != m_scale) {
        m_data.SetScalingFactor(percent);
        m_scale = m_data.ScalingFactor();
        m_context.prefs.SetChanged();
        update();
    }
    RebuildCaption();
}

void CRuler::SetBase(int base) {
    m_data.SetGraduationBase(base);
    m_context.prefs.SetChanged();
    RecomputeMetrics();
    update();
    RebuildCaption();
}

void CRuler::RecomputeMetrics() {
    const bool vertical = (m_options & D::kOptionVertical) != 0;
    m_metrics = ComputeUnitMetrics(m_options, m_data.GraduationBase(), m_dpi,
                                   vertical ? m_dialogBase.cy : m_dialogBase.cx);
}

void CRuler::KeepOnScreen() {
    const Rect now = ScreenRect();
    const Rect kept = KeepOnWorkArea(now, m_context.desktop.Monitors(), VirtualScreen());
    if (kept != now) move(LogicalPoint({kept.left, kept.top}));
}

void CRuler::UpdateMinimumSize() {
    const Size min = RulerMinimumSize(m_options);
    setMinimumSize(min.cx, min.cy);
}

RulerParts CRuler::Parts() const {
    return RulerLayout({width(), height()}, m_options, m_captionHeight);
}

Rect CRuler::ScreenRect() const {
    return DeviceRect(geometry());
}

void CRuler::SetScreenRect(const Rect& rect) {
    setGeometry(LogicalRect(rect));
}

Rect CRuler::VirtualScreen() const {
    return m_context.desktop.VirtualScreen();
}

Point CRuler::OriginOnScreen() const {
    // The layout is in the window's own (Qt's) pixels; the screen position in device pixels.
    const Point origin = RulerLayout({width(), height()}, m_options, m_captionHeight).origin;
    return DevicePoint(geometry().topLeft() + QPoint(origin.x, origin.y));
}

Point CRuler::ClientTopLeftOnScreen() const {
    return DevicePoint(geometry().topLeft());
}

double CRuler::Ratio() const {
    const double ratio = devicePixelRatioF();
    return ratio > 0 ? ratio : 1.0;
}

int CRuler::ToDevice(int logical) const {
    return static_cast<int>(std::lround(logical * Ratio()));
}

GraduationLayout CRuler::Layout() const {
    // The graduations count device pixels and lie on them 1:1, so that at any scale a tick
    // of the pixel unit marks its own pixel; the tick lengths and the labels keep their size
    // in the window's own pixels.
    const double ratio = Ratio();
    GraduationInput in;
    in.client = {ToDevice(width()), ToDevice(height())};
    in.vertical = (m_options & D::kOptionVertical) != 0;
    in.inverted = (m_options & D::kOptionInverted) != 0;
    in.scale = m_scale;
    in.unitPixels = UnitDevicePixels(m_options, m_metrics, m_dpi, ratio);
    in.metrics = m_metrics;
    in.inch = (m_options & kRulerUnitBits) == D::kOptionUnitInch;
    in.majorLength = ToDevice(kMajorTickLength);
    in.textHeight = ToDevice(m_textHeight);
    const QFontMetricsF metrics(m_font);
    in.labelWidth = [metrics, ratio](std::string_view text) {
        const QString label = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(label) * ratio));
    };
    in.labelGap = ToDevice(kLabelGap);
    return LayoutGraduations(in);
}

// --- placement ---------------------------------------------------------------------------

void CRuler::PlaceAtStart() {
    CWinState& record = m_context.prefs.WinState(kWinStateRuler);
    const Rect& saved = record.Placement().normalPosition;
    if (!saved.IsEmpty())
        RescaleSavedPlacement(m_context.prefs, kWinStateRuler, DeviceRatioAt(saved));
    Rect rect = record.Placement().normalPosition;
    if (rect.IsEmpty()) {
        const std::vector<MonitorInfo> monitors = m_context.desktop.Monitors();
        Rect monitor = VirtualScreen();
        const Rect owner = m_frame ? DeviceRect(m_frame->Window()->frameGeometry()) : monitor;
        if (const auto index = NearestMonitor(monitors, owner)) monitor = monitors[*index].monitor;
        rect = RulerDefaultRect(monitor);
    }
    rect = KeepVisible(rect, VirtualScreen());
    SetScreenRect(rect);
}

void CRuler::Arrange() {
    const std::vector<MonitorInfo> monitors = m_context.desktop.Monitors();
    Rect monitor = VirtualScreen();
    const Rect owner = m_frame ? DeviceRect(m_frame->Window()->frameGeometry()) : monitor;
    if (const auto index = NearestMonitor(monitors, owner)) monitor = monitors[*index].monitor;
    SetScreenRect(RulerDefaultRect(monitor));
    update();
}

void CRuler::MoveBy(int dx, int dy) {
    move(pos() + QPoint(dx, dy));
}

void CRuler::MoveToCursor() {
    const auto target = RulerRectAtCursor(ScreenRect(), OriginOnScreen(),
                                          m_context.desktop.CursorPos(), VirtualScreen());
    if (!target) {
        QApplication::beep();
        return;
    }
    move(LogicalPoint({target->left, target->top}));
}

void CRuler::MoveCursorToRuler() {
    m_context.desktop.SetCursorPos(OriginOnScreen());
}

void CRuler::SaveState() {
    const std::uint32_t options = StoredRulerOptions(m_options & D::kOptionMask);
    bool changed = m_data.Options() != options;
    m_data.SetOptions(options);
    const bool logical = RulerUnitIndex(m_options) == kRulerLogicalPixelIndex;
    m_context.prefs.SetSide(kSideUnit,
                            logical ? std::optional<std::string>(kSideLogicalPixel) : std::nullopt);
    const WindowPlacement placement = WindowPlacement::Normal(ScreenRect());
    changed = m_context.prefs.WinState(kWinStateRuler).RecordPlacement(placement) || changed;
    if (changed) m_context.prefs.SetChanged();
    NotePlacementScale(m_context.prefs, kWinStateRuler, Ratio());
}

// --- windows of the ruler ------------------------------------------------------------------

void CRuler::ShowCustomZoom() {
    if (m_scaleDialog) {
        m_scaleDialog->raise();
        m_scaleDialog->activateWindow();
        return;
    }
    CDlgScale::Hooks hooks;
    hooks.apply = [this](int percent) { SetScale(percent); };
    hooks.storeAutoPreview = [this](bool on) {
        m_data.SetAutoPreview(on);
        m_context.prefs.SetChanged();
    };
    m_scaleDialog =
        new CDlgScale(this, m_scale, m_data.AutoPreview(), std::move(hooks), m_context.dialogs);
    m_scaleDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_scaleDialog->show();
}

QWidget* CRuler::ScaleDialog() const {
    return m_scaleDialog;
}
QWidget* CRuler::KeysWindow() const {
    return m_keysWindow;
}

void CRuler::ToggleKeysWindow() {
    if (m_keysWindow) {
        m_keysWindow->close();
        return;
    }
    m_keysWindow = new CRulerKeys(this);
    m_keysWindow->setAttribute(Qt::WA_DeleteOnClose);
    // Centred on the work area of the ruler's monitor.
    const std::vector<MonitorInfo> monitors = m_context.desktop.Monitors();
    std::span<const MonitorInfo> rulerMonitor;
    if (const auto index = NearestMonitor(monitors, ScreenRect()))
        rulerMonitor = std::span(monitors).subspan(*index, 1);
    const QSize size = m_keysWindow->size();
    const Rect placed =
        CenterOnWorkArea({0, 0, size.width(), size.height()}, rulerMonitor, VirtualScreen());
    m_keysWindow->move(placed.left, placed.top);
    m_keysWindow->show();
}

void CRuler::ShowMenuAt(const QPoint& global) {
    m_binder->UpdateMenu(m_menu);
    m_menu->popup(global);
}

// --- the cursor ----------------------------------------------------------------------------

bool CRuler::RefreshDialogUnits() {
    if (!IsDialogUnit(m_options)) return false;
    const Point at = m_context.desktop.CursorPos();
    QWidget* under = QApplication::widgetAt(QPoint(at.x, at.y));
    if (under == m_examined) return false;
    m_examined = under;
    Size units;
    if (under) {
        if (m_examinedFont && under->font() == *m_examinedFont) return false;
        m_examinedFont = under->font();
        const QFontMetrics fm(*m_examinedFont);
        units = DialogBaseUnitsFromFont(
            fm.horizontalAdvance(
                QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
            fm.height());
    } else {
        const DisplayMetrics display = m_context.desktop.Metrics();
        units = {display.dialogBaseX, display.dialogBaseY};
    }
    if (units.cx <= 0 || units.cy <= 0 || units == m_dialogBase) return false;
    m_dialogBase = units;
    RecomputeMetrics();
    update();
    return true;
}

void CRuler::InvalidateGuide(int along) {
    const RulerParts parts = Parts();
    // The mark's device pixel within the window's own pixels around it.
    const int from = static_cast<int>(std::floor(along / Ratio()));
    if (m_options & D::kOptionVertical)
        update(QRect(parts.body.left, from, parts.body.Width(), 2));
    else
        update(QRect(from, parts.body.top, 2, parts.body.Height()));
}

void CRuler::UpdateFromCursor() {
    if (m_dpi == 0 || !isVisible()) return;
    const Point screen = m_context.desktop.CursorPos();
    const Point topLeft = ClientTopLeftOnScreen();
    const Point device{screen.x - topLeft.x, screen.y - topLeft.y};
    if (m_lastCursor && *m_lastCursor == device) return;
    const QPoint inWindow = LogicalPoint(screen) - geometry().topLeft();
    const Point client{inWindow.x(), inWindow.y()};
    const RulerParts parts = Parts();

    if (m_options & D::kOptionGuide) {
        // The guide marks the cursor's own device pixel.
        const bool vertical = (m_options & D::kOptionVertical) != 0;
        const int along = vertical ? device.y : device.x;
        const int from = ToDevice(vertical ? parts.body.top : parts.body.left);
        const int to = ToDevice(vertical ? parts.body.bottom : parts.body.right);
        std::optional<int> guide;
        if (along >= from && along < to) guide = along;
        if (guide != m_guide) {
            if (m_guide) InvalidateGuide(*m_guide);
            if (guide) InvalidateGuide(*guide);
            m_guide = guide;
        }
    }
    const bool helpHot = parts.help.Contains(client);
    const bool closeHot = parts.close.Contains(client);
    if (helpHot != m_helpHot) update(ToQRect(parts.help));
    if (closeHot != m_closeHot) update(ToQRect(parts.close));
    m_helpHot = helpHot;
    m_closeHot = closeHot;

    const bool unitsChanged = RefreshDialogUnits();
    if (m_data.CaptionItems() != 0 || unitsChanged) RebuildCaption();
    m_lastCursor = device;
}

void CRuler::RebuildCaption() {
    CaptionInput in;
    in.items = m_data.CaptionItems();
    in.options = m_options;
    in.scale = m_scale;
    in.unitPixels = UnitDevicePixels(m_options, m_metrics, m_dpi, Ratio());
    in.metrics = m_metrics;
    in.originOnScreen = OriginOnScreen();
    in.cursorOnScreen = m_context.desktop.CursorPos();
    const Point topLeft = ClientTopLeftOnScreen();
    in.cursorInClient = {in.cursorOnScreen.x - topLeft.x, in.cursorOnScreen.y - topLeft.y};
    const QString text = ToQt(RulerCaption(in, m_context.prefs.RegionalFormat()));
    if (text == m_caption) return;
    m_caption = text;
    setWindowTitle(text);
    update(ToQRect(Parts().text));
}

void CRuler::OnViewNotify(ViewNotify type, std::intptr_t) {
    if (type == ViewNotify::kTimerTick) UpdateFromCursor();
    if (type == ViewNotify::kSaveState) SaveState();
}

}  // namespace nl
