#pragma once
#include <cstdint>
#include <string>

#include "base/CException.h"

namespace nl {

// System error codes the program raises or receives; operating-system errors are mapped
// onto them so that messages and tests see one vocabulary on every platform.
enum SystemErrorCode : std::uint32_t {
    kErrorSuccess = 0,
    kErrorInvalidFunction = 1,
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorAccessDenied = 5,
    kErrorNotEnoughMemory = 8,
    kErrorBadEnvironment = 10,
    kErrorInvalidAccess = 12,
    kErrorInvalidData = 13,
    kErrorOutOfMemory = 14,
    kErrorWriteProtect = 19,
    kErrorSharingViolation = 32,
    kErrorHandleDiskFull = 39,
    kErrorNotSupported = 50,
    kErrorFileExists = 80,
    kErrorInvalidParameter = 87,
    kErrorBufferOverflow = 111,
    kErrorDiskFull = 112,
    kErrorInsufficientBuffer = 122,
    kErrorInvalidName = 123,
    kErrorBadArguments = 160,
    kErrorAlreadyExists = 183,
    kErrorFilenameExcedRange = 206,
    kErrorBusy = 170,
    kErrorBadFileType = 222,
    kErrorUnknownEncoderStatus = 626,
    kErrorLibraryInitFailed = 1114,
    kErrorOldWinVersion = 1150,
    kErrorCantResolveFilename = 1921,
    kErrorNoAssociation = 1155,
    kErrorCancelled = 1223,
    kErrorPropertySetNotFound = 1170,
    kErrorRequestAborted = 1235,
    kErrorUnidentified = 1287,
    kErrorImplementationLimit = 1292,
    kErrorInvalidWindowHandle = 1400,
    kErrorHotkeyAlreadyRegistered = 1409,
    kErrorClipboardNotOpen = 1418,
    kErrorTimeout = 1460,
    kErrorUnknownImageFormat = 15018,
};

// The system's message text for `code`, without a trailing line break.
std::string SystemErrorText(std::uint32_t code);

// The system error code for a POSIX errno value.
std::uint32_t SystemErrorFromErrno(int err);

// An error carrying a system error code and, optionally, the datum it concerns (a path,
// a setting). Shown as "Error #%1: %2", or "Error #%1: %2\n\nData: %3" with a datum.
class CSystemError : public CException {
public:
    explicit CSystemError(std::uint32_t code, std::string data = {});

    std::uint32_t Code() const { return m_code; }
    const std::string& Data() const { return m_data; }
    const std::string& Message() const noexcept override { return m_message; }

private:
    std::uint32_t m_code;
    std::string m_data;
    std::string m_message;
};

// The user's text for a file that could not be written: "Unable to write to %1, it is
// read-only or opened by someone else." when the file is protected or in use, else the
// numbered error with the path.
std::string FileWriteErrorText(std::uint32_t code, const std::string& path);

// "Error #%1: %2" or, with a datum, "Error #%1: %2\n\nData: %3".
std::string FormatSystemError(std::uint32_t code, const std::string& data = {});

}  // namespace nl
