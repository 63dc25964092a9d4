#pragma once
namespace nl {

// Who places the ruler's window: the program, at screen positions it chooses (X11), or only
// the compositor, which lets a client neither know nor set where its windows are (Wayland):
// there the ruler moves by the compositor's interactive move and the commands that place it
// say they cannot.
enum class RulerPlacement { kByProgram, kByCompositor };

// Whether ruler command `command` needs to know or set screen positions of the window: the
// arrange command, moving the ruler by the arrow keys or to the cursor, and moving the cursor
// to the ruler's origin.
bool RulerCommandNeedsPlacement(int command);

}  // namespace nl
