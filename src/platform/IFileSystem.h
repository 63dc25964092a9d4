#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/CFileLock.h"

namespace nl {

// The file operations of documents, exports, the preview file, the data file, its backups and
// the start-up entry. Operations return 0 or a system error code (base/CSystemError.h).
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;
    // Whether the two paths lead to one existing file (symbolic links followed).
    virtual bool SameFile(const std::string& a, const std::string& b) const = 0;
    virtual std::uint32_t FileSize(const std::string& path, std::uint64_t& size) const = 0;
    // Reads the whole file. Anything but a regular file (a folder, device or pipe) is refused
    // with kErrorBadFileType, without waiting on it.
    virtual std::uint32_t ReadFile(const std::string& path,
                                   std::vector<std::uint8_t>& bytes) const = 0;
    // Reads at most the first `maxBytes` of the file (all of a shorter one), refusing what
    // ReadFile refuses: a look at a file's signature before it is read whole.
    virtual std::uint32_t ReadFileStart(const std::string& path, std::size_t maxBytes,
                                        std::vector<std::uint8_t>& bytes) const = 0;
    // Replaces the file's contents: the bytes go to a new file beside it, which is flushed to
    // the disk and then renamed over the old one, so the file is never left half written.
    // A symbolic link is followed and the file it leads to is replaced, keeping its
    // permissions. A read-only file is refused with kErrorAccessDenied, anything but a
    // regular file with kErrorBadFileType; both are left untouched.
    virtual std::uint32_t WriteFile(const std::string& path,
                                    std::span<const std::uint8_t> bytes) = 0;
    // Copies `from` to `to`, replacing `to` when it exists; `to` is replaced as a whole, the
    // way WriteFile replaces a file.
    virtual std::uint32_t CopyFile(const std::string& from, const std::string& to) = 0;
    // Moves `from` to `to`, replacing `to` when it exists (copying when the two are on
    // different volumes).
    virtual std::uint32_t MoveFile(const std::string& from, const std::string& to) = 0;
    virtual std::uint32_t DeleteFile(const std::string& path) = 0;
    // Creates the folder and any missing parents; an existing folder is success.
    virtual std::uint32_t CreateFolders(const std::string& path) = 0;
    // Marks the file as changed since the last archive (the Windows archive attribute);
    // nothing to do where the system has no such mark.
    virtual std::uint32_t SetArchiveAttribute(const std::string& path) = 0;
    // Creates a new empty file named `prefix`, a unique part and `suffix` in `folder` (empty:
    // the system's temporary folder) and returns its path in `path`.
    virtual std::uint32_t CreateTempFile(const std::string& folder, const std::string& prefix,
                                         const std::string& suffix, std::string& path) = 0;
    // Takes the advisory lock that writers of `path` share for a read-modify-write, waiting
    // at most `timeoutMs` for another holder (then kErrorSharingViolation). A missing file
    // can be locked too, for creating it. The lock is held while `lock` holds it.
    virtual std::uint32_t LockFile(const std::string& path, std::uint32_t timeoutMs,
                                   CFileLock& lock) = 0;
};

}  // namespace nl
