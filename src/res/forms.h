#pragma once
#include <string>
#include <vector>

#include "base/geometry.h"

namespace nl {

// The kinds of controls a form template places.
enum class FormControlKind {
    kStatic,       // text; `centered`/`sunken` as flagged
    kSlider,       // a trackbar; vertical when `vertical`
    kEdit,         // a one-line edit box, read-only when `readOnly`
    kDropDown,     // a drop-down list
    kCheckButton,  // a push-like check box with the icon of its id
    kIconButton,   // a push button with the icon of its id
    kZoom,         // the live zoom control
    kColorTile,    // a rectangle filled with one color
};

struct FormControl {
    int id = 0;
    FormControlKind kind = FormControlKind::kStatic;
    Rect dlu;          // position and size in dialog units (left, top, right, bottom)
    std::string text;  // initial text
    bool centered = false;
    bool sunken = false;
    bool vertical = false;
    bool readOnly = false;
    bool hidden = false;  // created and bound like the others, but never shown
};

// A dialog template: its size in dialog units, its font and its controls.
struct FormTemplate {
    int id = 0;
    Size dlu;
    std::string fontName;
    int fontPoints = 8;
    std::vector<FormControl> controls;
};

// Form template `id`, or null.
const FormTemplate* FindForm(int id);

// The height in dialog units of a closed drop-down list: its `dlu` rectangle also holds the
// list that drops down under it.
inline constexpr int kDropDownFieldHeight = 12;
// The area of the form a control covers while no list is dropped down.
Rect VisibleDialogUnits(const FormControl& control);

// Converts a rectangle in dialog units to pixels with the form font's average character
// width and height (`baseUnits`): x * cx / 4, y * cy / 8, rounded the system's way.
Rect DialogUnitsToPixels(const Rect& dlu, Size baseUnits);
// The same for a size (a form's width and height).
Size DialogUnitsToPixelSize(Size dlu, Size baseUnits);

}  // namespace nl
