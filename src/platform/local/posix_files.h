#pragma once
// Small POSIX building blocks of the local file system: descriptors that close themselves,
// whole writes, symbolic-link resolution, unique names and locks with a time limit.
#include <sys/stat.h>

#include <cstdint>
#include <string>

namespace nl::posix {

// The program's code for the current errno.
std::uint32_t LastError();

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }
    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Hands the descriptor over; this one holds nothing afterwards.
    int Take() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes now; returns 0 or the close error (a late write error can show up here).
    std::uint32_t Close();
    void Reset(int fd = -1);

private:
    int m_fd;
};

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// Writes all `size` bytes, retrying interrupted and partial writes.
std::uint32_t WriteAll(int fd, const std::uint8_t* data, std::size_t size);

// Follows symbolic links from `path` to the name of the file they lead to, which may not
// exist yet. A loop of links is kErrorCantResolveFilename.
std::uint32_t ResolveLinks(const std::string& path, std::string& target);

// `count` random characters of [0-9a-z].
std::string RandomName(int count);

// Opens `path` for reading without waiting on a pipe or device, and refuses anything but a
// regular file with kErrorBadFileType. `st` receives the file's status.
std::uint32_t OpenRegularFile(const std::string& path, int flags, Fd& fd, struct stat& st);

// Takes an exclusive flock on `fd`, trying until `timeoutMs` has passed; then
// kErrorSharingViolation.
std::uint32_t LockWithin(int fd, std::uint32_t timeoutMs);

}  // namespace nl::posix
