#pragma once
#include <QPointer>
#include <optional>

#include "base/geometry.h"
#include "framework/qt/CViewAppTB.h"
#include "model/color_math.h"

namespace nl {

class CColorTile;
class CViewMag;

// The Magnifier's toolbar view: the zoom slider and text, the cursor texts, the unit box,
// the magnifier's option buttons and the keyboard indicator. It shows the magnified area of
// the magnifier view below it and the title of the window under the cursor, toggles "Stretch
// copies" and "Follow ruler" and explains how to copy. Above the texts it shows the color at
// the centre of the magnified area, sampled as picks sample, in a tile, in the color format
// and by its CSS name, and copies that color's text.
class CViewTBMag : public CViewAppTB {
public:
    CViewTBMag(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    // The magnifier view whose magnified area the form shows.
    void SetMagnifierView(CViewMag* view) { m_view = view; }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // The color at the centre of the magnified area as picks would sample it; kNoColor while
    // picking is stopped or where the screen gives none.
    COLORREF CentreColor();
    // Puts the centre color's text in the color format on the clipboard; false when there is
    // none or the clipboard refused it.
    bool CopyCentreColor();

private:
    bool Started();
    void ToggleMagnifierOption(std::uint32_t bit);
    void UpdateTile();

    QPointer<CViewMag> m_view;
    CColorTile* m_tile = nullptr;
    // The centre color worked out since the last tick, and where it was read.
    std::optional<COLORREF> m_centreColor;
};

}  // namespace nl
