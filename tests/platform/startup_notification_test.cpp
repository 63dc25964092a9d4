#include "platform/startup_notification.h"

#include <gtest/gtest.h>

#include <vector>

namespace nl {
namespace {

TEST(StartupNotificationTest, RemoveMessageQuotesIdsTheProtocolWouldSplit) {
    struct Case {
        const char* id;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {"host-12-nerimlens-0_TIME5678", "remove: ID=host-12-nerimlens-0_TIME5678"},
             {"a b", "remove: ID=\"a b\""},
             {"q\"x\\y", "remove: ID=\"q\\\"x\\\\y\""},
         }) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(StartupRemoveMessage(c.id), c.message);
    }
}

TEST(StartupNotificationTest, PiecesCarryTheMessageAndItsZero) {
    // Lengths around a piece's size: the zero may need a piece of its own.
    for (const std::size_t length : {0u, 5u, 19u, 20u, 21u, 40u}) {
        SCOPED_TRACE(length);
        const std::string message(length, 'm');
        const std::vector<StartupInfoPiece> pieces = StartupInfoPieces(message);
        ASSERT_EQ(pieces.size(), length / kStartupInfoPieceSize + 1);
        std::string joined;
        for (const StartupInfoPiece& piece : pieces) joined.append(piece.begin(), piece.end());
        EXPECT_EQ(joined.substr(0, length), message);
        EXPECT_EQ(joined.find_first_not_of('\0', length), std::string::npos);
    }
}

}  // namespace
}  // namespace nl
