#include "colors/qt/CPlacedDialog.h"

#include "framework/CWinState.h"

namespace nl {

CPlacedDialog::CPlacedDialog(CPrefs& prefs, WinStateIndex winState, QWidget* parent)
    : QDialog(parent), m_prefs(prefs), m_winState(winState) {}

CPlacedDialog::~CPlacedDialog() {
    SavePlacement();
}

Rect CPlacedDialog::SavedRect() const {
    return m_prefs.WinState(m_winState).Placement().normalPosition;
}

void CPlacedDialog::SavePlacement() {
    if (!m_shown) return;
    const QRect g = geometry();
    const WindowPlacement placement = WindowPlacement::Normal(
        Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
    if (m_prefs.WinState(m_winState).RecordPlacement(placement)) m_prefs.SetChanged();
}

void CPlacedDialog::showEvent(QShowEvent* event) {
    m_shown = true;
    QDialog::showEvent(event);
}

}  // namespace nl
