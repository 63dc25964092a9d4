#include "magnifier/qt/CViewTBMag.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "magnifier/magnifier_texts.h"
#include "magnifier/qt/CViewMag.h"
#include "model/css_color.h"
#include "picking/CDesktopSampler.h"
#include "platform/IClipboard.h"
#include "platform/IDialogs.h"
#include "ui/qt/CColorTile.h"
#include "ui/qt/CCtrlZoom.h"

namespace nl {

CViewTBMag::CViewTBMag(AppContext& context, IViewHost& host, QWidget* parent)
    : CViewAppTB(context, host, res::kFormMagnifier, parent) {
    AddCommand(cmd::kCopyInstructions, [this] {
        Context().dialogs.MessageBox(LoadString(kIdsCopyInstructions), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kInformation);
    });
    AddCommand(cmd::kStretchCopies,
               [this] { ToggleMagnifierOption(AppSettings::kMagnifierStretchCopies); });
    AddCommand(cmd::kFollowRuler,
               [this] { ToggleMagnifierOption(AppSettings::kMagnifierFollowRuler); });
    AddUpdate(cmd::kPositionText, [this](CCmdUI& ui) {
        const CUnitsXY& units = Context().prefs.Units();
        const int unit = Context().prefs.Settings().lengthUnitIndex;
        if (!Started()) {
            ui.SetText(LoadString(kIdsStartToEnable));
            return;
        }
        // The magnified area is the magnifier view's; without it the text stays.
        if (!m_view || unit < 0 || unit >= units.GetSize()) return;
        ui.SetText(
            MagnifiedAreaText(Picking::kRunning, m_view->Zoom()->SourceRect(), units.GetAt(unit)));
    });
    AddUpdate(cmd::kWindowTitleText, [this](CCmdUI& ui) {
        ui.SetText(Started() ? Context().doc.Colors().Sample().SourceTitle() : std::string());
    });

    m_tile = dynamic_cast<CColorTile*>(Control(cmd::kColorTile));
    UpdateTile();
    AddUpdate(cmd::kCentreColorText, [this](CCmdUI& ui) {
        const COLORREF color = CentreColor();
        const CUnitCol* format = Context().prefs.CurrentColorFormat();
        ui.SetText(color != kNoColor && format ? format->FormatColor(color) : std::string());
    });
    AddUpdate(cmd::kCentreColorName, [this](CCmdUI& ui) {
        const COLORREF color = CentreColor();
        ui.SetText(color != kNoColor ? CssNameText(color) : std::string());
    });
    AddCommand(cmd::kCopyCentreColor, [this] { CopyCentreColor(); });
    AddUpdate(cmd::kCopyCentreColor, [this](CCmdUI& ui) { ui.Enable(CentreColor() != kNoColor); });
}

COLORREF CViewTBMag::CentreColor() {
    if (!Started()) return kNoColor;
    if (m_centreColor) return *m_centreColor;
    // Where the magnifier does not follow the ruler its centre is the live sample's point,
    // already sampled as picks sample.
    const CColPick& sample = Context().doc.Colors().Sample();
    const SampleMethod method = Context().prefs.Sampling();
    const Point centre = m_view ? m_view->CentrePoint() : sample.Position();
    m_centreColor = centre == sample.Position() && sample.Sampling() == method
                        ? sample.Color()
                        : CDesktopSampler::SampleColorAt(Context().desktop, centre, method);
    return *m_centreColor;
}

bool CViewTBMag::CopyCentreColor() {
    const COLORREF color = CentreColor();
    const CUnitCol* format = Context().prefs.CurrentColorFormat();
    if (color == kNoColor || !format) return false;
    return Context().clipboard.SetText(format->FormatColor(color)) == 0;
}

void CViewTBMag::UpdateTile() {
    if (m_tile) m_tile->SetColor(CentreColor());
}

void CViewTBMag::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    CViewAppTB::OnViewNotify(type, argument);
    switch (type) {
        case ViewNotify::kTimerTick:
        case ViewNotify::kPickingApplied:
        case ViewNotify::kSamplingChanged:
            m_centreColor.reset();
            UpdateTile();
            break;
        default:
            break;
    }
}

bool CViewTBMag::Started() {
    return Context().prefs.Settings().PickingStarted();
}

void CViewTBMag::ToggleMagnifierOption(std::uint32_t bit) {
    Context().prefs.ToggleOption(OptionWord::kMagnifier, bit);
}

}  // namespace nl
