#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// What a later start asks of the instance that runs already.
struct InstanceRequest {
    // The command to run there (a hot-key command's name such as "show-hide"); empty: show
    // the first instance's main window.
    std::string command;
    // The desktop's permission for the first instance to raise its window, handed to the
    // later start by its launcher (XDG_ACTIVATION_TOKEN on Wayland, DESKTOP_STARTUP_ID on
    // X11); empty when none was given.
    std::string activationToken;
    // The absolute path of a document to open there (as File > Open does) before the
    // command runs; empty: none.
    std::string document;

    bool operator==(const InstanceRequest&) const = default;
};

// The variables in which a launcher hands a started program the desktop's permission to raise
// its window: the X11 startup id, and the xdg-activation token on Wayland.
inline constexpr const char* kStartupIdVariable = "DESKTOP_STARTUP_ID";
inline constexpr const char* kActivationTokenVariable = "XDG_ACTIVATION_TOKEN";

// What the first instance answers once it has taken a request, a line of its own.
inline constexpr std::string_view kInstanceTakenAnswer = "ok\n";

// The longest request line, line break included, that the first instance reads: room for
// a document path of the longest length Linux allows with every byte escaped.
inline constexpr std::size_t kMaxInstanceRequestLength = 16384;

// The request as one line: "show" or "command NAME", then " open PATH" when a document is
// given (its bytes outside printable ASCII, the space and '%' written as %XX), then
// " token TOKEN" when a token is given, then a line break. Nothing when the command or the
// token holds a space or a control character or the line would be longer than
// kMaxInstanceRequestLength: such a request cannot be sent.
std::optional<std::string> FormatInstanceRequest(const InstanceRequest& request);

// The request of a line made by FormatInstanceRequest (with or without its line break);
// nothing for any other line.
std::optional<InstanceRequest> ParseInstanceRequest(std::string_view line);

// The file name (without folder) that the lock and the socket of the instance `name` are
// built from: letters, digits, '.', '-' and '_' kept, any other byte made '_'; "_" for an
// empty name.
std::string InstanceFileName(std::string_view name);
// The path of the socket on which the first instance `name` listens in `folder`.
std::string InstanceSocketPath(std::string_view folder, std::string_view name);

// The X server time at which the launcher started the program, as an X11 startup id carries
// it at its end ("..._TIME<decimal>"); 0 (the current time) when it has none.
std::uint32_t StartupIdTime(std::string_view startupId);

// How handing a request to the running instance went.
enum class HandOver {
    kNoListener,  // no socket at the path, or nobody listens on it: no instance is reachable
    kTaken,       // the instance answered that it took the request
    kDropped,     // the connection ended without the answer (the request refused, or the
                  // instance ending)
    kUnanswered,  // the connection stayed open without an answer until the time ran out
};

}  // namespace nl
