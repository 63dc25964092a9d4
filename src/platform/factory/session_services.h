#pragma once
#include <memory>

namespace nl {

class IHotKeys;
class IScreenSource;

// The hot keys of this session: X11 key grabs where Qt runs on an X server of its own; under
// Wayland (natively or through XWayland, where grabs see only X11 windows' keys) the desktop's
// GlobalShortcuts portal where it offers one; otherwise hot keys that say none can exist.
// Needs the QApplication.
std::unique_ptr<IHotKeys> MakeSessionHotKeys();

// The desktop's Screenshot portal on the session bus, as the screen source of a desktop
// whose pixels the program cannot read itself.
std::unique_ptr<IScreenSource> MakePortalScreenSource();

}  // namespace nl
