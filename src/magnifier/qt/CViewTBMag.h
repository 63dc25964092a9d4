#pragma once
#include <QPointer>

#include "framework/qt/CViewAppTB.h"

namespace nl {

class CViewMag;

// The Magnifier's toolbar view: the zoom slider and text, the cursor texts, the unit box,
// the magnifier's option buttons and the keyboard indicator. It shows the magnified area of
// the magnifier view below it and the title of the window under the cursor, toggles "Stretch
// copies" and "Follow ruler" and explains how to copy.
class CViewTBMag : public CViewAppTB {
public:
    CViewTBMag(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    // The magnifier view whose magnified area the form shows.
    void SetMagnifierView(CViewMag* view) { m_view = view; }

private:
    bool Started();
    void ToggleMagnifierOption(std::uint32_t bit);

    QPointer<CViewMag> m_view;
};

}  // namespace nl
