#include "base/CSystemError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace nl {
namespace {

TEST(CSystemErrorTest, NumberedMessagesWithAndWithoutData) {
    struct Case {
        std::uint32_t code;
        std::string data;
        std::string want;
    };
    const Case cases[] = {
        {kErrorFileNotFound, "", "Error #2: The system cannot find the file specified."},
        {kErrorHotkeyAlreadyRegistered, "", "Error #1409: Hot key is already registered."},
        {kErrorAccessDenied, "/tmp/x.dat", "Error #5: Access is denied.\n\nData: /tmp/x.dat"},
        {kErrorInvalidWindowHandle, "", "Error #1400: Invalid window handle."},
        {kErrorNoAssociation, "",
         "Error #1155: No application is associated with the specified file for this "
         "operation."},
        {4242, "", "Error #4242: Unknown error 4242."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSystemError(c.code, c.data), c.want) << c.code;
        const CSystemError error(c.code, c.data);
        EXPECT_EQ(error.Message(), c.want);
        EXPECT_STREQ(error.what(), c.want.c_str());
    }
}

// Every code the program raises reads as words, not "Unknown error N.": those it raises by
// name (a shape of too many points raises 1292) and those the system's errno values map to.
TEST(CSystemErrorTest, EveryRaisedCodeHasItsText) {
    for (const std::uint32_t code :
         {kErrorImplementationLimit, kErrorUnidentified, kErrorInvalidWindowHandle,
          kErrorHotkeyAlreadyRegistered, kErrorClipboardNotOpen, kErrorTimeout, kErrorCancelled,
          kErrorRequestAborted, kErrorNoAssociation, kErrorCantResolveFilename, kErrorOldWinVersion,
          kErrorUnknownImageFormat, kErrorUnknownEncoderStatus}) {
        EXPECT_FALSE(SystemErrorText(code).starts_with("Unknown error")) << code;
    }
    for (int err = 0; err < 134; ++err) {
        const std::uint32_t code = SystemErrorFromErrno(err);
        EXPECT_FALSE(SystemErrorText(code).starts_with("Unknown error"))
            << "errno " << err << " -> " << code;
    }
    EXPECT_EQ(FormatSystemError(kErrorImplementationLimit),
              "Error #1292: The operation reached a limit of the program: a shape or path holds "
              "at most 1001 points.");
}

TEST(CSystemErrorTest, ErrnoValuesMapOntoTheProgramsCodes) {
    const std::pair<int, std::uint32_t> cases[] = {
        {0, kErrorSuccess},
        {ENOENT, kErrorFileNotFound},
        {ENOTDIR, kErrorPathNotFound},
        {EACCES, kErrorAccessDenied},
        {EPERM, kErrorAccessDenied},
        {EROFS, kErrorWriteProtect},
        {ENOSPC, kErrorDiskFull},
        {EDQUOT, kErrorDiskFull},
        {EEXIST, kErrorAlreadyExists},
        {ETIMEDOUT, kErrorTimeout},
        {ELOOP, kErrorCantResolveFilename},
        {ENXIO, kErrorBadFileType},
        {EXDEV, kErrorInvalidFunction},  // anything unmapped
    };
    for (const auto& [err, code] : cases) EXPECT_EQ(SystemErrorFromErrno(err), code) << err;
}

TEST(CSystemErrorTest, FailedWritesOfProtectedOrBusyFilesReadAsTheProgramSaysIt) {
    const std::string readOnly =
        "Unable to write to /d/a.nlz, it is read-only or opened by someone else.";
    const std::pair<std::uint32_t, std::string> cases[] = {
        {kErrorAccessDenied, readOnly},
        {kErrorSharingViolation, readOnly},
        {kErrorWriteProtect, readOnly},
        {kErrorDiskFull, "Error #112: There is not enough space on the disk.\n\nData: /d/a.nlz"},
        {kErrorBadFileType,
         "Error #222: This is not a regular file: folders, devices and pipes cannot be opened or "
         "saved as files.\n\nData: /d/a.nlz"},
    };
    for (const auto& [code, want] : cases) EXPECT_EQ(FileWriteErrorText(code, "/d/a.nlz"), want);
}

}  // namespace
}  // namespace nl
