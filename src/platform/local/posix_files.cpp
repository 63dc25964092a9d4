#include "platform/local/posix_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "base/CSystemError.h"

namespace nl::posix {
namespace {

// More links in a row than this are taken for a loop, as the system does.
constexpr int kMaxLinkHops = 40;
// How often a wait for a lock looks again.
constexpr auto kLockPollInterval = std::chrono::milliseconds(5);

}  // namespace

std::uint32_t LastError() {
    return SystemErrorFromErrno(errno);
}

std::uint32_t Fd::Close() {
    const int fd = Take();
    return fd >= 0 && ::close(fd) != 0 ? LastError() : 0;
}

void Fd::Reset(int fd) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
}

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

std::uint32_t ResolveLinks(const std::string& path, std::string& target) {
    if (path.empty()) return kErrorFileNotFound;
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) return LastError();
            target = current;  // a new file, or a link to one not made yet
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = current;
            return 0;
        }
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (n < 0) return LastError();
        if (static_cast<std::size_t>(n) >= buffer.size()) continue;  // grew meanwhile: again
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
    }
    return kErrorCantResolveFilename;
}

std::string RandomName(int count) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kDigits - 2);
    std::string name;
    for (int i = 0; i < count; ++i) name += kDigits[pick(random)];
    return name;
}

std::uint32_t OpenRegularFile(const std::string& path, int flags, Fd& fd, struct stat& st) {
    // A look at the name first, so that a device is not even opened; the descriptor's own
    // status then settles it, in case the name changed in between.
    if (::stat(path.c_str(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorBadFileType;
    fd.Reset(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) return LastError();
    if (::fstat(fd.Get(), &st) != 0) return LastError();
    if (!S_ISREG(st.st_mode)) return kErrorBadFileType;
    return 0;
}

std::uint32_t LockWithin(int fd, std::uint32_t timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
        if (errno != EWOULDBLOCK && errno != EINTR) return LastError();
        if (std::chrono::steady_clock::now() >= deadline) return kErrorSharingViolation;
        std::this_thread::sleep_for(kLockPollInterval);
    }
}

}  // namespace nl::posix
