#include "base/CException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "export/CNotSupportedException.h"

namespace nl {
namespace {

// Each error, thrown as itself and caught as the base, keeps its user text in Message() and
// what().
TEST(CExceptionTest, EveryErrorIsCaughtAsTheBaseWithItsMessage) {
    struct Case {
        const char* name;
        std::function<void()> raise;
        const char* message;
    };
    const Case cases[] = {
        {"archive, bad format",
         [] { throw CArchiveException(CArchiveException::Cause::kBadFormat, "/tmp/a.nlz"); },
         "/tmp/a.nlz has a bad format."},
        {"archive, unnamed",
         [] { throw CArchiveException(CArchiveException::Cause::kEndOfFile, ""); },
         "Attempted to access an unnamed file past its end."},
        {"system error with a datum", [] { throw CSystemError(kErrorAccessDenied, "/x"); },
         "Error #5: Access is denied.\n\nData: /x"},
        {"not supported", [] { throw CNotSupportedException(); },
         "Attempted an unsupported operation."},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.name << ": nothing thrown";
        } catch (const CException& e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
}

}  // namespace
}  // namespace nl
