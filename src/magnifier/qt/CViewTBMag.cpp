#include "magnifier/qt/CViewTBMag.h"

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "magnifier/magnifier_texts.h"
#include "magnifier/qt/CViewMag.h"
#include "platform/IDialogs.h"
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
}

bool CViewTBMag::Started() {
    return Context().prefs.Settings().PickingStarted();
}

void CViewTBMag::ToggleMagnifierOption(std::uint32_t bit) {
    Context().prefs.ToggleOption(OptionWord::kMagnifier, bit);
}

}  // namespace nl
