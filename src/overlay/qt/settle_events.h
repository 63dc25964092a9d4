#pragma once

namespace nl {

// Lets the program's windows reach the screen as they now are (a menu just closed, a window
// just hidden): events run, the user's input excepted, and `milliseconds` pass, so that the
// window system and a compositor have drawn them before the screen is read.
void SettleEvents(int milliseconds);

}  // namespace nl
