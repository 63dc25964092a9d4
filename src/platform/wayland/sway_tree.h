#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace nl::wayland {

// A top-level view of the sway compositor as its layout tree describes it. Rectangles are in
// the compositor's logical coordinates.
struct SwayView {
    std::uint64_t id = 0;  // the container's id
    Rect frame;            // with title bar and borders
    Rect content;          // the client's own area
    std::string title;
    std::string className;  // the Wayland app id, or the X11 class of an XWayland window
    bool focused = false;   // the view the keyboard goes to
};

// The visible views of a `get_tree` reply, topmost first: full-screen views, then floating
// ones (the most recently raised first), then tiled ones. Nothing for a reply that is not a
// layout tree.
std::vector<SwayView> ParseSwayTree(std::string_view json);

// Messages to sway's IPC socket.
enum class SwayMessage : std::uint32_t { kRunCommand = 0, kGetTree = 4 };

// Sends one message to the sway IPC socket at `socketPath` and returns the reply's payload;
// nothing when the socket cannot be reached or the reply does not come within a second.
std::optional<std::string> SwayRequest(const std::string& socketPath, SwayMessage type,
                                       std::string_view payload);

// The header of an IPC message: the magic string, then the payload's length and the
// message type in the machine's byte order.
std::string SwayMessageHeader(SwayMessage type, std::size_t payloadLength);

}  // namespace nl::wayland
