#include "platform/startup_notification.h"

#include <algorithm>

namespace nl {

std::string StartupRemoveMessage(std::string_view startupId) {
    constexpr std::string_view kQuoted = " \"\\";
    std::string message = "remove: ID=";
    if (startupId.find_first_of(kQuoted) == std::string_view::npos) {
        message += startupId;
        return message;
    }
    message += '"';
    for (const char ch : startupId) {
        if (ch == '"' || ch == '\\') message += '\\';
        message += ch;
    }
    message += '"';
    return message;
}

std::vector<StartupInfoPiece> StartupInfoPieces(std::string_view message) {
    // The terminating zero travels too: a message that fills its last piece needs one more.
    std::string bytes(message);
    bytes.push_back('\0');
    std::vector<StartupInfoPiece> pieces;
    for (std::size_t start = 0; start < bytes.size(); start += kStartupInfoPieceSize) {
        StartupInfoPiece piece{};
        std::copy_n(bytes.data() + start, std::min(kStartupInfoPieceSize, bytes.size() - start),
                    piece.begin());
        pieces.push_back(piece);
    }
    return pieces;
}

}  // namespace nl
