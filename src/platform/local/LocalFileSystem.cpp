#include "platform/local/LocalFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "base/CSystemError.h"

namespace nl {
namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;
constexpr int kTempNameAttempts = 100;
// New files get these permissions, less the process's umask.
constexpr mode_t kNewFileMode = 0666;

std::uint32_t LastError() {
    return SystemErrorFromErrno(errno);
}

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }
    int Get() const { return m_fd; }
    // Closes now; returns 0 or the close error (a late write error can show up here).
    std::uint32_t Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 && ::close(fd) != 0 ? LastError() : 0;
    }

    void Reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::uint32_t WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

// Creates "<path>.tmp-XXXXXX" exclusively, honouring the umask.
std::uint32_t CreateTemp(const std::string& path, std::string& tempPath, Fd& fd) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, sizeof kDigits - 2);
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string name = path + ".tmp-";
        for (int i = 0; i < 6; ++i) name += kDigits[pick(random)];
        const int raw = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (raw >= 0) {
            tempPath = std::move(name);
            fd.Reset(raw);
            return 0;
        }
        if (errno != EEXIST) return LastError();
    }
    return kErrorAlreadyExists;
}

// Writes what `produce` writes into a temporary file beside `path`, flushes it to the disk and
// renames it over `path`. An existing target keeps its permissions.
template <class Produce>
std::uint32_t ReplaceAtomically(const std::string& path, Produce produce) {
    std::string tempPath;
    Fd fd;
    if (const auto code = CreateTemp(path, tempPath, fd)) return code;
    struct stat existing {};
    std::uint32_t code = produce(fd.Get());
    if (code == 0 && ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(fd.Get(), existing.st_mode & 07777);
    if (code == 0 && ::fsync(fd.Get()) != 0) code = LastError();
    if (const auto closeCode = fd.Close(); code == 0) code = closeCode;
    if (code == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) code = LastError();
    if (code != 0) {
        ::unlink(tempPath.c_str());
        return code;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    Fd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) (void)::fsync(folder.Get());
    return 0;
}

}  // namespace

bool LocalFileSystem::FileExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LocalFileSystem::FolderExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::uint32_t LocalFileSystem::FileSize(const std::string& path, std::uint64_t& size) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorAccessDenied;
    size = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

std::uint32_t LocalFileSystem::ReadFile(const std::string& path,
                                        std::vector<std::uint8_t>& bytes) const {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return LastError();
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorAccessDenied;
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

std::uint32_t LocalFileSystem::WriteFile(const std::string& path,
                                         std::span<const std::uint8_t> bytes) {
    return ReplaceAtomically(path,
                             [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

std::uint32_t LocalFileSystem::CopyFile(const std::string& from, const std::string& to) {
    Fd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.Get() < 0) return LastError();
    struct stat st {};
    if (::fstat(source.Get(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorAccessDenied;
    return ReplaceAtomically(to, [&](int fd) -> std::uint32_t {
        std::uint8_t chunk[kCopyChunk];
        for (;;) {
            const ssize_t n = ::read(source.Get(), chunk, sizeof chunk);
            if (n < 0) {
                if (errno == EINTR) continue;
                return LastError();
            }
            if (n == 0) return 0;
            if (const auto code = WriteAll(fd, chunk, static_cast<std::size_t>(n))) return code;
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

}  // namespace nl
