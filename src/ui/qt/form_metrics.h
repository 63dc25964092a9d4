#pragma once
#include <QFont>
#include <QRect>

#include "base/geometry.h"

namespace nl {

struct FormTemplate;

// The font a form template asks for: its face (or a sans-serif face like it when the face is
// not installed) at the template's point size, or the desktop font's size when that is larger.
QFont FormFont(const FormTemplate& form);

// The dialog base units of `font`: the average width of the letters A-Z and a-z (rounded)
// and the font's line height, in pixels.
Size FormBaseUnits(const QFont& font);

// A rectangle in dialog units converted to a widget rectangle in pixels.
QRect FormRectToPixels(const Rect& dlu, Size baseUnits);

// The size of the whole form in pixels.
QSize FormSizeToPixels(const FormTemplate& form, Size baseUnits);

}  // namespace nl
