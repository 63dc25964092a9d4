#include "platform/local/LocalFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <string_view>

#include "base/CSystemError.h"
#include "platform/local/XdgFolders.h"
#include "platform/local/in_place_write.h"
#include "platform/local/posix_files.h"

namespace nl {
namespace {

using posix::Fd;
using posix::LastError;

constexpr std::size_t kCopyChunk = 64 * 1024;
constexpr int kTempNameAttempts = 100;
// New files get these permissions, less the process's umask.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPrivateFileMode = 0600;
constexpr mode_t kPermissionBits = 07777;
// Temporary files beside a target. A linked one was written unnamed and locked before it got
// its name; a named one (where the file system cannot make unnamed files) is locked right
// after it is made, so one only seconds old may still be waiting for its lock.
constexpr std::string_view kLinkedTempPrefix = ".nl-tmp-";
constexpr std::string_view kNamedTempPrefix = ".nl-new-";
constexpr int kTempUniqueChars = 8;
constexpr std::time_t kFreshNamedTempSeconds = 10;
// Where a descriptor can be named for linking an unnamed file into a folder.
constexpr const char* kFdLinkFolder = "/proc/self/fd/";

bool IsTempName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + kTempUniqueChars && name.starts_with(prefix);
}

// Deletes the temporary files of this program in `folder` that no writer holds any more
// (left by a writer that was killed). A file some writer still holds is locked.
void RemoveStaleTemps(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const bool linked = IsTempName(name, kLinkedTempPrefix);
        if (!linked && !IsTempName(name, kNamedTempPrefix)) continue;
        Fd fd(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held {};
        if (!fd.IsOpen() || ::fstat(fd.Get(), &held) != 0 || !S_ISREG(held.st_mode)) continue;
        if (!linked && std::time(nullptr) - held.st_ctime < kFreshNamedTempSeconds) continue;
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;
        struct stat named {};
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            (void)::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// A new file in a target's folder that becomes the target at the end. Where the file system
// allows, it has no name until then, so a crash leaves nothing behind.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile() {
        if (!m_name.empty()) ::unlink(m_name.c_str());
    }

    int Get() const { return m_fd.Get(); }

    std::uint32_t Create(const std::string& folder, mode_t mode) {
        m_folder = folder;
        if (::access(kFdLinkFolder, X_OK) == 0) {
            m_fd.Reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
            if (m_fd.IsOpen()) return Lock();
            // Old kernels take the flag for O_DIRECTORY; some file systems lack it.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return LastError();
        }
        for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
            std::string name = NewName(kNamedTempPrefix);
            m_fd.Reset(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (m_fd.IsOpen()) {
                m_name = std::move(name);
                return Lock();
            }
            if (errno != EEXIST) return LastError();
        }
        return kErrorAlreadyExists;
    }

    // Flushes the file to the disk and puts it in the place of `target`.
    std::uint32_t Commit(const std::string& target) {
        if (::fsync(m_fd.Get()) != 0) return LastError();
        if (m_name.empty()) {
            if (const auto code = LinkUnnamed()) return code;
        }
        if (::rename(m_name.c_str(), target.c_str()) != 0) return LastError();
        m_name.clear();
        // The lock goes only now, so that no other writer takes the file for a stale one.
        if (const auto code = m_fd.Close()) return code;
        // Make the rename itself durable; a failure here leaves a complete file either way.
        Fd folder(::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.IsOpen()) (void)::fsync(folder.Get());
        return 0;
    }

private:
    std::string NewName(std::string_view prefix) const {
        return m_folder + "/" + std::string(prefix) + posix::RandomName(kTempUniqueChars);
    }

    std::uint32_t Lock() { return ::flock(m_fd.Get(), LOCK_EX) == 0 ? 0 : LastError(); }

    std::uint32_t LinkUnnamed() {
        const std::string self = kFdLinkFolder + std::to_string(m_fd.Get());
        for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
            std::string name = NewName(kLinkedTempPrefix);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                m_name = std::move(name);
                return 0;
            }
            if (errno != EEXIST) return LastError();
        }
        return kErrorAlreadyExists;
    }

    std::string m_folder;
    std::string m_name;  // empty while the file has no name of its own
    Fd m_fd;
};

bool ReplacingIsRefused(std::uint32_t code) {
    return code == kErrorAccessDenied;
}

// The folder for temporary files: $TMPDIR or the system's.
std::uint32_t SystemTempFolder(std::string& folder) {
    std::error_code error;
    folder = std::filesystem::temp_directory_path(error).string();
    return error ? SystemErrorFromErrno(error.value()) : 0;
}

// Status of the one file behind a lock, to see whether the name still leads to it.
bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Where journals of in-place writes go when a file's folder takes none: below the user's
// state folder.
std::string DefaultSpareFolder() {
    const std::string state = XdgFolders().UserState();
    return state.empty() ? std::string() : state + "/nerimlens/unfinished-writes";
}

}  // namespace

LocalFileSystem::LocalFileSystem() : m_spareFolder(DefaultSpareFolder()) {}

LocalFileSystem::LocalFileSystem(std::string spareFolder) : m_spareFolder(std::move(spareFolder)) {}

std::uint32_t LocalFileSystem::WriteInPlace(const std::string& target, const struct stat& old,
                                            const Produce& produce) {
    return posix::WriteInPlace(target, old, produce, m_spareFolder);
}

std::uint32_t LocalFileSystem::Replace(const std::string& path, const Produce& produce) {
    std::string target;
    if (const auto code = posix::ResolveLinks(path, target)) return code;
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return LastError();
    if (exists) {
        if (!S_ISREG(old.st_mode)) return kErrorBadFileType;
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return LastError();
        // An in-place write a killed writer left half done is undone before this one.
        posix::RecoverInPlaceWrite(target, m_spareFolder);
        // Replacing would split the names of a file that has several; all keep seeing it.
        if (old.st_nlink > 1) return WriteInPlace(target, old, produce);
    }
    const std::string folder = posix::FolderOf(target);
    RemoveStaleTemps(folder);

    ReplacementFile file;
    std::uint32_t code = file.Create(folder, exists ? kPrivateFileMode : kNewFileMode);
    if (code == 0 && exists) {
        // The replacement takes the old file's owner and permissions; a file that stays
        // someone else's is changed in place instead.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(file.Get(), old.st_uid, old.st_gid) != 0)
            code = kErrorAccessDenied;
        else if (::fchmod(file.Get(), old.st_mode & kPermissionBits) != 0)
            code = LastError();
    }
    if (code == 0) code = produce(file.Get());
    if (code == 0) code = file.Commit(target);
    if (exists && ReplacingIsRefused(code)) return WriteInPlace(target, old, produce);
    return code;
}

bool LocalFileSystem::FileExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LocalFileSystem::FolderExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LocalFileSystem::SameFile(const std::string& a, const std::string& b) const {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           SameInode(first, second);
}

std::uint32_t LocalFileSystem::FileSize(const std::string& path, std::uint64_t& size) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorBadFileType;
    size = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

std::uint32_t LocalFileSystem::OpenForReading(const std::string& path, posix::Fd& fd,
                                              struct stat& st) const {
    if (const auto code = posix::OpenRegularFile(path, O_RDONLY, fd, st)) return code;
    // A write over the file a killed writer left half done is undone before it is read.
    std::string target;
    if (posix::ResolveLinks(path, target) == 0) posix::RecoverInPlaceWrite(target, m_spareFolder);
    return 0;
}

std::uint32_t LocalFileSystem::ReadFile(const std::string& path,
                                        std::vector<std::uint8_t>& bytes) const {
    Fd fd;
    struct stat st {};
    if (const auto code = OpenForReading(path, fd, st)) return code;
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[kCopyChunk];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return 0;
}

std::uint32_t LocalFileSystem::ReadFileStart(const std::string& path, std::size_t maxBytes,
                                             std::vector<std::uint8_t>& bytes) const {
    Fd fd;
    struct stat st {};
    if (const auto code = OpenForReading(path, fd, st)) return code;
    bytes.assign(maxBytes, 0);
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, maxBytes - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return 0;
}

std::uint32_t LocalFileSystem::WriteFile(const std::string& path,
                                         std::span<const std::uint8_t> bytes) {
    return Replace(path, [&](int fd) { return posix::WriteAll(fd, bytes.data(), bytes.size()); });
}

std::uint32_t LocalFileSystem::CopyFile(const std::string& from, const std::string& to) {
    Fd source;
    struct stat st {};
    if (const auto code = posix::OpenRegularFile(from, O_RDONLY, source, st)) return code;
    return Replace(to, [&](int fd) -> std::uint32_t {
        std::uint8_t chunk[kCopyChunk];
        for (off_t offset = 0;;) {
            const ssize_t n = ::pread(source.Get(), chunk, sizeof chunk, offset);
            if (n < 0) {
                if (errno == EINTR) continue;
                return LastError();
            }
            if (n == 0) return 0;
            if (const auto code = posix::WriteAll(fd, chunk, static_cast<std::size_t>(n)))
                return code;
            offset += n;
        }
    });
}

std::uint32_t LocalFileSystem::MoveFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) return 0;
    if (errno != EXDEV) return LastError();
    if (const auto code = CopyFile(from, to)) return code;
    return DeleteFile(from);
}

std::uint32_t LocalFileSystem::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : LastError();
}

std::uint32_t LocalFileSystem::CreateFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) return SystemErrorFromErrno(error.value());
    return FolderExists(path) ? 0 : std::uint32_t{kErrorPathNotFound};
}

std::uint32_t LocalFileSystem::SetArchiveAttribute(const std::string& path) {
    return FileExists(path) ? 0 : std::uint32_t{kErrorFileNotFound};
}

std::uint32_t LocalFileSystem::CreateTempFile(const std::string& folder, const std::string& prefix,
                                              const std::string& suffix, std::string& path) {
    std::string where = folder;
    if (where.empty()) {
        if (const auto code = SystemTempFolder(where)) return code;
    }
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string name = where + "/" + prefix + posix::RandomName(kTempUniqueChars) + suffix;
        Fd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode));
        if (fd.IsOpen()) {
            path = std::move(name);
            return 0;
        }
        if (errno != EEXIST) return LastError();
    }
    return kErrorAlreadyExists;
}

std::uint32_t LocalFileSystem::LockFile(const std::string& path, std::uint32_t timeoutMs,
                                        CFileLock& lock) {
    std::string target;
    if (const auto code = posix::ResolveLinks(path, target)) return code;
    // The lock is on the file the name leads to. A writer that replaced the file while this
    // one waited leaves the lock on the old one, so the name is checked again once locked.
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        Fd fd;
        struct stat locked {};
        std::uint32_t code = posix::OpenRegularFile(target, O_RDONLY, fd, locked);
        const bool missing = code == kErrorFileNotFound;
        if (missing) {
            // Creating the file: its folder stands in until the file exists.
            fd.Reset(::open(posix::FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            code = fd.IsOpen() ? 0 : LastError();
        }
        if (code != 0) return code;
        if (const auto waited = posix::LockWithin(fd.Get(), timeoutMs)) return waited;
        struct stat now {};
        const bool found = ::lstat(target.c_str(), &now) == 0;
        if (missing ? !found : found && SameInode(now, locked)) {
            const int held = fd.Take();
            lock = CFileLock([held] { ::close(held); });
            return 0;
        }
    }
    return kErrorSharingViolation;
}

}  // namespace nl
