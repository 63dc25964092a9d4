#pragma once
#include <array>

#include "colors/colors_view.h"
#include "colors/qt/CPlacedDialog.h"
#include "framework/qt/AppContext.h"

class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace nl {

class CColorTile;

// The modal edit dialog of one picked color: the old color and the new one side by side,
// Hue, Saturation and Luminosity each on a slider and spin buttons (0..240), buttons that put
// one component or all three back, and "Select..." for the system color dialog. OK gives
// the new color, except that H, S and L at their initial values give the old color exactly.
class CDlgEditColor : public CPlacedDialog {
public:
    enum Component : int { kHue = 0, kSaturation = 1, kLuminosity = 2 };

    // `index` is the entry's position (for the caption).
    CDlgEditColor(AppContext& context, int index, COLORREF oldColor, QWidget* parent);

    const CEditColorState& State() const { return m_state; }
    // What the dialog gives back for `result` (QDialog::Accepted or Rejected).
    COLORREF ResultColor(int result) const { return m_state.Result(result == Accepted); }

    QSlider* Slider(Component c) const { return m_sliders[static_cast<std::size_t>(c)]; }
    QSpinBox* Spin(Component c) const { return m_spins[static_cast<std::size_t>(c)]; }
    QLineEdit* OldText() const { return m_oldText; }
    // The new color's text; the user may type a color there in any form the program reads.
    QLineEdit* NewText() const { return m_newText; }
    // The line under the texts that says why a typed color is refused.
    QLabel* TypedNote() const { return m_typedNote; }
    CColorTile* NewTile() const { return m_newTile; }

    // Sets one component as the user would (slider or spin buttons).
    void SetComponent(Component c, int value);
    void ResetComponent(Component c);
    void ResetAll();
    // "Select...": the system color dialog, starting at the new color.
    void SelectColor();

    // OK with a typed text that is no color keeps the dialog open and says why.
    void accept() override;

private:
    // Takes the typed new color when it reads as one; says why not when `final`.
    bool ReadTyped(bool final);
    void SetComponentFrom(Component c, int value, const QObject* source);
    void Apply(const QObject* source);

    AppContext& m_context;
    CEditColorState m_state;
    std::array<QSlider*, 3> m_sliders{};
    std::array<QSpinBox*, 3> m_spins{};
    QLineEdit* m_oldText = nullptr;
    QLineEdit* m_newText = nullptr;
    CColorTile* m_oldTile = nullptr;
    CColorTile* m_newTile = nullptr;
    QLabel* m_typedNote = nullptr;
    bool m_applying = false;
};

}  // namespace nl
