#include "gauge/qt/CViewTBMea.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/IViewHost.h"
#include "gauge/CCapMea.h"
#include "model/CUnitXY.h"
#include "overlay/qt/overlay_end.h"
#include "platform/IClipboard.h"

namespace nl {
namespace {

struct MeasureButton {
    int command;
    MeaShape shape;
    MeaFromCenter fromCenter;
};

constexpr MeasureButton kButtons[] = {
    {cmd::kMeasureLine, MeaShape::kLine, MeaFromCenter::kNo},
    {cmd::kMeasureRectangle, MeaShape::kRectangle, MeaFromCenter::kNo},
    {cmd::kMeasureRectangleFromCenter, MeaShape::kRectangle, MeaFromCenter::kYes},
    {cmd::kMeasureEllipse, MeaShape::kEllipse, MeaFromCenter::kNo},
    {cmd::kMeasureEllipseFromCenter, MeaShape::kEllipse, MeaFromCenter::kYes},
    {cmd::kMeasurePath, MeaShape::kPath, MeaFromCenter::kNo},
};

}  // namespace

CViewTBMea::CViewTBMea(AppContext& context, IViewHost& host, IWindowHiding& hiding, QWidget* parent)
    : CViewAppTB(context, host, res::kFormGauge, parent), m_hiding(hiding) {
    AddCommandRange(cmd::kMeasureLine, cmd::kMeasurePath, [this](int id) {
        StartMeasure(id);
        return true;
    });
    AddUpdateRange(cmd::kMeasureLine, cmd::kMeasurePath,
                   [this](CCmdUI& ui) { ui.Enable(!m_window); });
    AddCommand(cmd::kEscape, [this] {
        if (m_window) m_window->Measure().Abort();
    });
    AddUpdate(cmd::kPositionText, [this](CCmdUI& ui) { ui.SetText(PositionText()); });
    AddUpdate(cmd::kWindowTitleText, [this](CCmdUI& ui) { ui.SetText(WindowText()); });
}

CViewTBMea::~CViewTBMea() {
    // A measurement does not outlive its toolbar: it ends now, without a word.
    m_closing = true;
    if (m_window) m_window->Measure().Abort();
}

OverlayBackdrop CViewTBMea::Backdrop() const {
    return m_backdrop.value_or(COverlayWnd::DisplayBackdrop(Context().windowSystem));
}

void CViewTBMea::StartMeasure(int command) {
    if (m_window) return;
    const auto* button =
        std::find_if(std::begin(kButtons), std::end(kButtons),
                     [command](const MeasureButton& b) { return b.command == command; });
    if (button == std::end(kButtons)) return;
    if (CCapMea::MainWindowRule(Context().prefs) == MainWindowAfter::kRestore) {
        m_hiding.HideForCapture();
    }
    const auto make = [this, button](IOverlayWindow& window) {
        return std::make_unique<CCapMea>(window, Context().prefs, button->shape, button->fromCenter,
                                         [this](const MeaGesture& g) { return Store(g); });
    };
    m_window =
        new CMeaWnd(Context(), Backdrop(), make, [this](const OverlayEnd& end) { Ended(end); });
    m_window->SetFeedback([this] {
        const std::uint32_t prompt = MeasurePromptId(true, OpenMeasure());
        const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
        const CWndCapMea* open = OpenMeasure();
        return std::vector<std::string>{
            prompt ? LoadString(prompt) : std::string(), PositionText(),
            unit && open ? MeasureLiveFigures(*unit, Context().prefs.RegionalFormat(), *open)
                         : std::string(),
            WindowText()};
    });
    const IDesktop& desktop = Context().desktop;
    m_window->Open(desktop.VirtualScreen(), desktop.WindowRect(desktop.DesktopWindow()));
}

const CWndCapMea* CViewTBMea::OpenMeasure() const {
    return m_window ? &m_window->Measure() : nullptr;
}

std::uint32_t CViewTBMea::Store(const MeaGesture& gesture) {
    if (!Context().doc.CompleteMeasurement(gesture)) return kErrorSuccess;
    const CAppPrefs& prefs = Context().prefs;
    const CUnitXY* unit = prefs.CurrentLengthUnit();
    if (!unit ||
        !prefs.Settings().HasOption(OptionWord::kColorPicker, AppSettings::kPickerAutoCopy)) {
        return kErrorSuccess;
    }
    return Context().clipboard.SetText(
        Context().doc.Measurement().PrimaryFigure(*unit, prefs.RegionalFormat()));
}

void CViewTBMea::Ended(const OverlayEnd& end) {
    m_window = nullptr;
    if (m_closing) return;
    CarryOutOverlayEnd(m_hiding, Context().dialogs, this, end);
}

std::string CViewTBMea::PositionText() {
    if (!Context().prefs.Settings().PickingStarted()) return LoadString(kIdsStartToEnable);
    const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
    if (!unit) return {};
    const CWndCapMea* open = OpenMeasure();
    if (open && open->HoldsMouse()) return MeasurePositionText(*unit, *open);
    const Point cursor = Context().desktop.CursorPos();
    return unit->FormatPoint(cursor.x, cursor.y);
}

std::string CViewTBMea::WindowText() {
    if (!Context().prefs.Settings().PickingStarted()) return {};
    const IDesktop& desktop = Context().desktop;
    const WindowId overlay = m_window ? static_cast<WindowId>(m_window->winId()) : kNoWindow;
    const WindowId window = CWndCap::PickWindow(desktop, desktop.CursorPos(), overlay, {});
    return window == kNoWindow ? std::string() : desktop.WindowText(window);
}

}  // namespace nl
