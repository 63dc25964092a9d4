#include "colors/qt/CViewToolBar.h"

#include <QComboBox>

#include "base/command_ids.h"
#include "colors/colors_view.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "ui/qt/CColorTile.h"

namespace nl {

CViewToolBar::CViewToolBar(AppContext& context, IViewHost& host, QWidget* parent)
    : CViewAppTB(context, host, res::kFormColorPicker, parent) {
    m_tile = dynamic_cast<CColorTile*>(Control(cmd::kColorTile));
    if (QComboBox* combo = FormatCombo()) {
        FillFormats();
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo](int index) {
            if (m_filling || index < 0) return;
            Context().prefs.SetColorFormat(combo->itemData(index).toInt());
        });
    }
    UpdateTile();

    const auto formatAndUnit = [this](const CUnitCol*& format, const CUnitXY*& unit) {
        format = Context().prefs.CurrentColorFormat();
        unit = Context().prefs.CurrentLengthUnit();
        return format != nullptr && unit != nullptr;
    };
    AddUpdate(cmd::kPositionText, [this, formatAndUnit](CCmdUI& ui) {
        const CUnitCol* format = nullptr;
        const CUnitXY* unit = nullptr;
        if (!formatAndUnit(format, unit)) return;
        const CColorPicker& colors = Context().doc.Colors();
        const NoColorCause cause =
            CDesktopSampler::WhyNoColor(Context().desktop, colors.Sample().Position());
        ui.SetText(ColsToolbarPositionText(colors, Started(), *format, *unit, cause));
    });
    AddUpdate(cmd::kWindowTitleText, [this](CCmdUI& ui) {
        ui.SetText(Started() ? Context().doc.Colors().Sample().SourceTitle() : std::string());
    });
}

QComboBox* CViewToolBar::FormatCombo() const {
    return qobject_cast<QComboBox*>(Control(cmd::kColorFormatCombo));
}

bool CViewToolBar::Started() {
    return Context().prefs.Settings().PickingStarted();
}

void CViewToolBar::FillFormats() {
    QComboBox* combo = FormatCombo();
    if (!combo) return;
    m_filling = true;
    const CUnitsCol& formats = Context().prefs.ColorFormats();
    combo->clear();
    for (int i = 0; i < formats.GetSize(); ++i) {
        combo->addItem(QString::fromStdString(formats.GetAt(i).Name()), i);
    }
    combo->setCurrentIndex(combo->findData(Context().prefs.Settings().colorFormatIndex));
    m_filling = false;
}

void CViewToolBar::UpdateTile() {
    if (!m_tile) return;
    m_tile->SetColor(Started() ? Context().doc.Colors().Sample().Color() : kNoColor);
}

void CViewToolBar::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    CViewAppTB::OnViewNotify(type, argument);
    switch (type) {
        case ViewNotify::kTimerTick:
        case ViewNotify::kPickingApplied:
            UpdateTile();
            break;
        case ViewNotify::kUnitOrNumberFormatChanged:
            if (QComboBox* combo = FormatCombo()) {
                m_filling = true;
                combo->setCurrentIndex(
                    combo->findData(Context().prefs.Settings().colorFormatIndex));
                m_filling = false;
            }
            break;
        default:
            break;
    }
}

}  // namespace nl
