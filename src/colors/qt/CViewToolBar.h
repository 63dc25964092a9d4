#pragma once
#include "framework/qt/CViewAppTB.h"

class QComboBox;

namespace nl {

class CColorTile;

// The Color Picker's toolbar view: the shared controls, the color format box beside the
// unit box, the live color in a tile, the next pick's number, color and position, and the
// title of the window under the cursor. Choosing a color format or a unit stores both and
// tells every view to redraw its texts.
class CViewToolBar : public CViewAppTB {
public:
    CViewToolBar(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    QComboBox* FormatCombo() const;
    CColorTile* Tile() const { return m_tile; }

private:
    void FillFormats();
    void UpdateTile();
    bool Started();

    CColorTile* m_tile = nullptr;
    bool m_filling = false;
};

}  // namespace nl
