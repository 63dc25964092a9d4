#pragma once
#include <QDialog>

#include "base/geometry.h"
#include "framework/CPrefs.h"

namespace nl {

// A dialog whose place on the screen is kept between runs in one window-state record of the
// settings. Once shown, it records its normal placement when it goes away (and whenever the
// derived dialog asks), marking the settings changed when the placement moved.
class CPlacedDialog : public QDialog {
public:
    // `winState` is the index of the record in `prefs`.
    CPlacedDialog(CPrefs& prefs, WinStateIndex winState, QWidget* parent);
    ~CPlacedDialog() override;

protected:
    // The recorded normal position; empty when there is none.
    Rect SavedRect() const;
    // Records the placement; nothing before the dialog was first shown.
    void SavePlacement();
    void showEvent(QShowEvent* event) override;

private:
    CPrefs& m_prefs;
    WinStateIndex m_winState;
    bool m_shown = false;
};

}  // namespace nl
