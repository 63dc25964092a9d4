#include "base/CSystemError.h"

#include <cerrno>

#include "base/StringTable.h"

namespace nl {

std::string SystemErrorText(std::uint32_t code) {
    switch (code) {
        case kErrorSuccess:
            return "The operation completed successfully.";
        case kErrorInvalidFunction:
            return "Incorrect function.";
        case kErrorFileNotFound:
            return "The system cannot find the file specified.";
        case kErrorPathNotFound:
            return "The system cannot find the path specified.";
        case kErrorAccessDenied:
            return "Access is denied.";
        case kErrorNotEnoughMemory:
            return "Not enough memory resources are available to process this command.";
        case kErrorBadEnvironment:
            return "The environment is incorrect.";
        case kErrorWriteProtect:
            return "The media is write protected.";
        case kErrorSharingViolation:
            return "The process cannot access the file because it is being used by another "
                   "process.";
        case kErrorHandleDiskFull:
            return "The disk is full.";
        case kErrorNotSupported:
            return "The request is not supported.";
        case kErrorFileExists:
            return "The file exists.";
        case kErrorInvalidParameter:
            return "The parameter is incorrect.";
        case kErrorDiskFull:
            return "There is not enough space on the disk.";
        case kErrorInvalidName:
            return "The filename, directory name, or volume label syntax is incorrect.";
        case kErrorBadArguments:
            return "One or more arguments are not correct.";
        case kErrorAlreadyExists:
            return "Cannot create a file when that file already exists.";
        case kErrorFilenameExcedRange:
            return "The filename or extension is too long.";
        case kErrorBadFileType:
            return "This is not a regular file: folders, devices and pipes cannot be opened or "
                   "saved as files.";
        case kErrorCantResolveFilename:
            return "The name of the file cannot be resolved by the system.";
        case kErrorOldWinVersion:
            return "The specified program requires a newer version of the operating system.";
        case kErrorNoAssociation:
            return "No application is associated with the specified file for this operation.";
        case kErrorCancelled:
            return "The operation was canceled by the user.";
        case kErrorRequestAborted:
            return "The request was aborted.";
        case kErrorInvalidWindowHandle:
            return "Invalid window handle.";
        case kErrorHotkeyAlreadyRegistered:
            return "Hot key is already registered.";
        case kErrorClipboardNotOpen:
            return "Thread does not have a clipboard open.";
        case kErrorTimeout:
            return "This operation returned because the timeout period expired.";
        case kErrorInvalidAccess:
            return "The access code is invalid.";
        case kErrorInvalidData:
            return "The data is invalid.";
        case kErrorOutOfMemory:
            return "Not enough memory resources are available to complete this operation.";
        case kErrorBufferOverflow:
            return "The file name is too long.";
        case kErrorInsufficientBuffer:
            return "The data area passed to a system call is too small.";
        case kErrorBusy:
            return "The requested resource is in use.";
        case kErrorUnknownEncoderStatus:
            return "The image encoder failed for a reason it did not name.";
        case kErrorLibraryInitFailed:
            return "A library the program needs could not be initialized.";
        case kErrorPropertySetNotFound:
            return "The property set specified does not exist on the object.";
        case kErrorUnidentified:
            return "Insufficient information exists to identify the cause of failure.";
        case kErrorImplementationLimit:
            return "The operation reached a limit of the program: a shape or path holds at most "
                   "1001 points.";
        case kErrorUnknownImageFormat:
            return "The image format is unknown.";
        default:
            return "Unknown error " + std::to_string(code) + ".";
    }
}

std::uint32_t SystemErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return kErrorSuccess;
        case ENOENT:
            return kErrorFileNotFound;
        case ENOTDIR:
            return kErrorPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
            return kErrorAccessDenied;
        case EROFS:
            return kErrorWriteProtect;
        case EBUSY:
        case ETXTBSY:
            return kErrorSharingViolation;
        case ENOSPC:
        case EDQUOT:
            return kErrorDiskFull;
        case EEXIST:
            return kErrorAlreadyExists;
        case ENAMETOOLONG:
            return kErrorFilenameExcedRange;
        case ELOOP:
            return kErrorCantResolveFilename;
        case ENXIO:
        case ENODEV:
            return kErrorBadFileType;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EINVAL:
            return kErrorInvalidParameter;
        case ENOTSUP:
            return kErrorNotSupported;
        case ETIMEDOUT:
            return kErrorTimeout;
        default:
            return kErrorInvalidFunction;
    }
}

std::string FormatSystemError(std::uint32_t code, const std::string& data) {
    const std::string number = std::to_string(code);
    const std::string text = SystemErrorText(code);
    if (data.empty()) return FormatString(kIdsErrorNumber, {number, text});
    return FormatString(kIdsErrorNumberWithData, {number, text, data});
}

std::string FileWriteErrorText(std::uint32_t code, const std::string& path) {
    switch (code) {
        case kErrorAccessDenied:
        case kErrorSharingViolation:
        case kErrorWriteProtect:
            return FormatString(kIdpFileReadOnly, {path});
        default:
            return FormatSystemError(code, path);
    }
}

CSystemError::CSystemError(std::uint32_t code, std::string data)
    : m_code(code), m_data(std::move(data)), m_message(FormatSystemError(m_code, m_data)) {}

}  // namespace nl
