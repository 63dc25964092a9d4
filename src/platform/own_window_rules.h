#pragma once
#include <string_view>

namespace nl {

// What the window system that shows the program's own windows lets the program do with them.
// An X server leaves the windows to the program; a Wayland compositor keeps them to itself.
struct OwnWindowRules {
    // The program puts its windows where it chooses. Where it cannot, the compositor places
    // them, and a window lies over the screen's pixels only when it is full screen.
    bool placesWindows = true;
    // A raised window comes above a full-screen one. Where not, only a window whose transient
    // parent the full-screen one is stays above it.
    bool raisesOverFullScreen = true;
    // A copy of the screen taken right after one of the program's windows closed (a menu) may
    // still show it: the compositor draws in its own time, so the program lets the screen
    // settle before it freezes it.
    bool copyShowsClosedWindows = false;
    // A window comes to the front with a launcher's activation token (XDG_ACTIVATION_TOKEN),
    // which the toolkit hands the compositor when it maps a window; elsewhere the program asks
    // the window manager itself, at the time of the launcher's startup id.
    bool activatesByToken = false;
};

// The X server's rules.
inline constexpr OwnWindowRules kProgramPlacedWindows{};
// A Wayland compositor's rules.
inline constexpr OwnWindowRules kCompositorPlacedWindows{.placesWindows = false,
                                                         .raisesOverFullScreen = false,
                                                         .copyShowsClosedWindows = true,
                                                         .activatesByToken = true};

// An X server run by a Wayland compositor (XWayland): the compositor places and stacks the X11
// windows as it does its own, and honours a full-screen request; X11 has no activation token.
inline constexpr OwnWindowRules kXWaylandWindows{.placesWindows = false,
                                                 .raisesOverFullScreen = false,
                                                 .copyShowsClosedWindows = true,
                                                 .activatesByToken = false};

// The rules of the windows Qt shows through its platform plugin `plugin` ("xcb", "wayland",
// "offscreen", ...). Only the plain Wayland plugin leaves placement to the compositor; every
// Wayland plugin hands the activation token on.
OwnWindowRules OwnWindowRulesOf(std::string_view plugin);

}  // namespace nl
