#pragma once
#include "base/geometry.h"

namespace nl {

class FakeDesktop;

// Fills `desktop` with a small desktop to run the program over without a display's pixels:
// one monitor of `screen` with a task bar along the bottom, a background, and a few top-level
// windows with titles, classes and coloured areas (a palette window with a swatch of each
// primary colour among them). The cursor starts on the palette's first swatch.
void BuildDemoDesktop(FakeDesktop& desktop, const Rect& screen);

}  // namespace nl
