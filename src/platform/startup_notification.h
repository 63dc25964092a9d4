#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nl {

// The X11 startup-notification protocol: a launcher shows a busy cursor or a busy entry
// for a started program until a "remove" message with the program's startup id reaches the
// root window. The message travels in pieces of kStartupInfoPieceSize bytes.
inline constexpr std::size_t kStartupInfoPieceSize = 20;
using StartupInfoPiece = std::array<char, kStartupInfoPieceSize>;

// The text "remove: ID=<id>" with the id quoted as the protocol reads values (in double
// quotes, with '"' and '\' escaped, when it holds a space, a quote or a backslash),
// without its terminating zero.
std::string StartupRemoveMessage(std::string_view startupId);

// `message` with its terminating zero cut into pieces, the last one filled with zeros.
std::vector<StartupInfoPiece> StartupInfoPieces(std::string_view message);

}  // namespace nl
