#include "gauge/qt/CViewTBMea.h"

#include <QBuffer>
#include <filesystem>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "document/CDocApp.h"
#include "document/measurements_json.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/IViewHost.h"
#include "gauge/CCapMea.h"
#include "gauge/qt/measurement_marks.h"
#include "model/CUnitXY.h"
#include "overlay/qt/overlay_end.h"
#include "overlay/qt/settle_events.h"
#include "platform/IClipboard.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"
#include "platform/qt/qt_image.h"

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
    AddCommand(cmd::kKeepMeasurements, [this] {
        const bool keep = !StoredKeepMeasurements(Context().prefs);
        StoreKeepMeasurements(Context().prefs, keep);
        if (m_open) m_open->SetKeeping(keep);
    });
    AddUpdate(cmd::kKeepMeasurements, [this](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(StoredKeepMeasurements(Context().prefs) ? CCmdUI::kChecked
                                                            : CCmdUI::kUnchecked);
    });
    const auto hasMeasurements = [this](CCmdUI& ui) {
        ui.Enable(!m_window && !Context().doc.Measurements().empty());
    };
    AddCommand(cmd::kCopyAnnotatedImage, [this] { CopyAnnotatedImage(); });
    AddUpdate(cmd::kCopyAnnotatedImage, hasMeasurements);
    AddCommand(cmd::kSaveAnnotatedImage, [this] { SaveAnnotatedImage(); });
    AddUpdate(cmd::kSaveAnnotatedImage, hasMeasurements);
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
        auto open = std::make_unique<CCapMea>(
            window, Context().prefs, button->shape, button->fromCenter,
            [this](const MeaGesture& g, KeepMeasurement keep) { return Store(g, keep); });
        if (StoredKeepMeasurements(Context().prefs)) {
            // The measurements kept so far stay on the screen while more are added.
            open->SetKeeping(true);
            open->SetShown(DocumentMeasurements());
        }
        m_open = open.get();
        return open;
    };
    m_window =
        new CMeaWnd(Context(), Backdrop(), make, [this](const OverlayEnd& end) { Ended(end); });
    m_window->SetFeedback([this] {
        const std::uint32_t prompt = MeasurePromptId(true, OpenMeasure());
        const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
        const CWndCapMea* open = OpenMeasure();
        return std::vector<std::string>{
            prompt ? LoadString(prompt) : std::string(),
            m_open ? MeasureKeepingText(*m_open) : std::string(), PositionText(),
            unit && open ? MeasureLiveFigures(*unit, Context().prefs.RegionalFormat(), *open)
                         : std::string(),
            WindowText()};
    });
    const IDesktop& desktop = Context().desktop;
    if (m_window->Open(desktop.VirtualScreen(), desktop.WindowRect(desktop.DesktopWindow())) &&
        m_window && !m_window->Snapshot().isNull())
        m_picture = m_window->Snapshot();
}

std::vector<CWndCapMeaData> CViewTBMea::DocumentMeasurements() const {
    std::vector<CWndCapMeaData> all;
    for (const CWndCapMeaData* m : Context().doc.Measurements()) all.push_back(*m);
    return all;
}

const CWndCapMea* CViewTBMea::OpenMeasure() const {
    return m_window ? &m_window->Measure() : nullptr;
}

std::uint32_t CViewTBMea::Store(const MeaGesture& gesture, KeepMeasurement keep) {
    if (!Context().doc.CompleteMeasurement(gesture, keep)) return kErrorSuccess;
    if (m_open && m_window && keep == KeepMeasurement::kYes) {
        m_open->SetShown(DocumentMeasurements());
        m_window->update();
    }
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
    m_open = nullptr;
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

namespace nl {

void CViewTBMea::ReportError(const std::string& message) {
    Context().dialogs.MessageBox(message, LoadString(kIdsAppTitle), MsgButtons::kOk,
                                 MsgIcon::kWarning);
}

QImage CViewTBMea::AnnotatedPicture(Rect& area) {
    const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
    const std::vector<const CWndCapMeaData*> measurements = Context().doc.Measurements();
    if (!unit || measurements.empty()) return {};
    if (m_picture.isNull()) {
        // No overlay was open since the start: the screen now, without the program's windows.
        const IDesktop& desktop = Context().desktop;
        const Rect screen = desktop.VirtualScreen();
        QImage picture = SharedPixelsImage(screen.Width(), screen.Height());
        m_hiding.HideForCapture();
        if (!desktop.IsFrozen()) SettleEvents(COverlayWnd::kSettleMs);
        const bool grabbed =
            !picture.isNull() && desktop.Grab(screen, reinterpret_cast<GrabPixel*>(picture.bits()),
                                              static_cast<std::size_t>(picture.bytesPerLine() / 4));
        m_hiding.RestoreAfterCapture();
        if (!grabbed) return {};
        m_picture = std::move(picture);
    }
    area = AnnotatedArea(m_picture, measurements);
    return AnnotatedImage(m_picture, area, measurements,
                          {*unit, Context().prefs.RegionalFormat(), font(), devicePixelRatioF()});
}

void CViewTBMea::CopyAnnotatedImage() {
    Rect area;
    const QImage image = AnnotatedPicture(area);
    if (image.isNull()) return;
    if (const std::uint32_t error = Context().clipboard.SetImage(ToBitmapImage(image)))
        ReportError(FormatSystemError(error));
}

void CViewTBMea::SaveAnnotatedImage() {
    Rect area;
    const QImage image = AnnotatedPicture(area);
    if (image.isNull()) return;
    FileDialogRequest request;
    request.filter = "PNG|*.png||";
    request.fileName = "measurements.png";
    request.defaultExtension = "png";
    const std::optional<std::string> path = Context().dialogs.SaveFileDialog(request);
    if (!path) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        ReportError(CSystemError(kErrorOutOfMemory, *path).Message());
        return;
    }
    const std::string jsonPath = AnnotationJsonPath(*path);
    const std::string name = std::filesystem::path(*path).filename().string();
    const CUnitXY* unit = Context().prefs.CurrentLengthUnit();
    const std::string json =
        MeasurementsJson(Context().doc.Measurements(), unit, Context().prefs.RegionalFormat(),
                         MeasuredImage{name, area});
    IFileSystem& files = Context().files;
    if (const std::uint32_t error =
            files.WriteFile(*path, std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                             static_cast<std::size_t>(png.size())))) {
        ReportError(CSystemError(error, *path).Message());
        return;
    }
    if (const std::uint32_t error = files.WriteFile(
            jsonPath, std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size())))
        ReportError(CSystemError(error, jsonPath).Message());
}

}  // namespace nl
