#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace nl {

// The system modifier flags of a hot key.
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;
inline constexpr std::uint32_t kModMask = kModAlt | kModControl | kModShift | kModWin;

// Virtual-key codes the hot keys use (the system's numbering).
inline constexpr std::uint32_t kVkF1 = 112;
inline constexpr std::uint32_t kVkF4 = 115;
inline constexpr std::uint32_t kVkF12 = 123;
inline constexpr std::uint32_t kVkF24 = 135;

// How the hot keys reach the program in this session.
enum class HotKeyRoute {
    kKeyGrabs,       // the program holds the keys itself (X11 grabs)
    kDesktopPortal,  // the desktop holds them for the program (the GlobalShortcuts portal)
    kUnavailable,    // the session offers no global keys: the desktop's own key bindings can
                     // run the program's commands from outside
};

// System-wide hot keys delivered to the main window.
class IHotKeys {
public:
    // Called on the user-interface thread with the id of a hot key the user pressed.
    using Listener = std::function<void(int id)>;
    // Called on the user-interface thread with a key (system modifier flags, virtual key)
    // the user pressed while the keys were suspended, which another program's grab took
    // away from the focused window.
    using TakenListener = std::function<void(std::uint32_t modifiers, std::uint32_t virtualKey)>;

    virtual ~IHotKeys() = default;
    // Registers hot key `id` for the key `virtualKey` with the system modifier flags
    // `modifiers` (MOD_ALT 0x1, MOD_CONTROL 0x2, MOD_SHIFT 0x4, MOD_WIN 0x8); returns 0 or a
    // system error code (kErrorHotkeyAlreadyRegistered when another program, or another id
    // of this program, holds the key). An id that is registered already is released first.
    virtual std::uint32_t Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    // Releases hot key `id`; releasing an id that is not registered does nothing.
    virtual void Unregister(int id) = 0;
    // Sets the function called when a registered hot key is pressed (replacing the last one).
    virtual void SetListener(Listener listener) = 0;

    // Lets go of every key held, so that its presses reach the focused window as ordinary
    // keys (a control that captures a key to assign it), until Resume takes them again. The
    // hot keys stay registered meanwhile. Register still checks and reports as usual while
    // suspended, and its key is held from Resume on.
    virtual void Suspend() = 0;
    // Takes the registered keys again; a key another program took meanwhile stays
    // registered but unheld, and no error is reported.
    virtual void Resume() = 0;

    // Sets the function told of keys that other programs took while suspended (replacing the
    // last one; an empty function stops the reports). A desktop that cannot tell never calls
    // it.
    virtual void SetTakenListener(TakenListener /*listener*/) {}

    // How the keys work in this session.
    virtual HotKeyRoute Route() const { return HotKeyRoute::kKeyGrabs; }

    // Where the desktop holds the keys (kDesktopPortal): whether its last answer bound hot key
    // `id`, and the trigger it names for it (may be empty). False for a key it left out.
    virtual bool DesktopBound(int /*id*/, std::string* /*trigger*/) const { return false; }
};

}  // namespace nl
