#include "capture/qt/CViewTBCap.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/IViewHost.h"

namespace nl {

CViewTBCap::CViewTBCap(AppContext& context, IViewHost& host, IPickCountdown& countdown,
                       IWindowHiding& hiding, QWidget* parent)
    : CViewAppTB(context, host, res::kFormScreenCopier, parent),
      m_countdown(countdown),
      m_hiding(hiding) {
    AddCommandRange(cmd::kCaptureRectangle, cmd::kCaptureDesktop, [this](int id) {
        StartCapture(ShapeFromCommand(id));
        return true;
    });
    AddUpdateRange(cmd::kCaptureRectangle, cmd::kCaptureDesktop,
                   [this](CCmdUI& ui) { ui.Enable(!m_window); });
    AddCommand(cmd::kEscape, [this] {
        if (m_window) m_window->Capture().Abort();
    });
    AddUpdate(cmd::kPositionText, [this](CCmdUI& ui) { ui.SetText(PositionText()); });
    AddUpdate(cmd::kWindowTitleText, [this](CCmdUI& ui) { ui.SetText(WindowText()); });
}

CViewTBCap::~CViewTBCap() {
    // A capture does not outlive its toolbar: it ends now, without a word. The host may be
    // going too, so it is left alone.
    m_closing = true;
    if (m_window) m_window->Capture().Abort();
}

void CViewTBCap::StartCapture(CapShape shape) {
    if (m_window || shape == CapShape::kNone) return;
    if (CCapture::MainWindowRule(Context().prefs) == MainWindowAfter::kRestore) {
        m_hiding.HideForCapture();
    }
    const OverlayBackdrop backdrop =
        m_backdrop.value_or(COverlayWnd::DisplayBackdrop(Context().windowSystem));
    m_window = new CCaptureWnd(Context(), m_countdown, shape, backdrop,
                               [this](const OverlayEnd& end) { Ended(end); });
    m_window->SetFeedback([this] {
        const std::uint32_t prompt = CapturePromptId(true, OpenCapture());
        return std::vector<std::string>{prompt ? LoadString(prompt) : std::string(), PositionText(),
                                        WindowText()};
    });
    const IDesktop& desktop = Context().desktop;
    m_window->Open(desktop.VirtualScreen(), desktop.WindowRect(desktop.DesktopWindow()));
}

const CCapture* CViewTBCap::OpenCapture() const {
    return m_window ? &m_window->Capture() : nullptr;
}

void CViewTBCap::Ended(const OverlayEnd& end) {
    m_window = nullptr;
    if (m_closing) return;
    CarryOutOverlayEnd(m_hiding, Context().dialogs, this, end);
}

std::string CViewTBCap::PositionText() {
    if (!Context().prefs.Settings().PickingStarted()) return LoadString(kIdsStartToEnable);
    const CUnitsXY& units = Context().prefs.Units();
    const int index = Context().prefs.Settings().lengthUnitIndex;
    if (index < 0 || index >= units.GetSize()) return {};
    const CUnitXY& unit = units.GetAt(index);
    const CCapture* capture = OpenCapture();
    if (capture && capture->HoldsMouse()) {
        Rect r = capture->Selection();
        r.Offset(capture->Origin().x, capture->Origin().y);
        return unit.FormatRectWithSize(r);
    }
    const Point cursor = Context().desktop.CursorPos();
    return unit.FormatPoint(cursor.x, cursor.y);
}

std::string CViewTBCap::WindowText() {
    const IDesktop& desktop = Context().desktop;
    // A monitor capture picks monitors, not windows: the pane tells which one.
    if (m_window && m_window->Capture().Shape() == CapShape::kMonitor)
        return MonitorPaneText(desktop, desktop.CursorPos());
    const WindowId overlay = m_window ? static_cast<WindowId>(m_window->winId()) : kNoWindow;
    const WindowId window = CWndCapSnip::PickWindow(desktop, desktop.CursorPos(), overlay, {});
    return window == kNoWindow ? std::string() : desktop.WindowText(window);
}

}  // namespace nl
