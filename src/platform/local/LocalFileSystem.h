#pragma once
#include <sys/stat.h>

#include <functional>
#include <string>

#include "platform/IFileSystem.h"
#include "platform/local/posix_files.h"

namespace nl {

// The disk, through POSIX calls. Writes and copies go to a new file in the target's folder,
// unnamed where the file system allows, which is flushed to the disk and renamed over the
// target, so a crash or a full disk never leaves the target half written. Temporary files a
// killed writer left behind are removed by the next write into that folder. A file that has
// several names (hard links), that belongs to someone else, or whose folder takes no new
// files is written in place instead, which keeps its names and owner: an undo journal is
// written first and the space reserved, so a failed or killed write leaves the old contents
// (platform/local/in_place_write.h).
class LocalFileSystem final : public IFileSystem {
public:
    // Journals of in-place writes go beside the file, else below the user's state folder.
    LocalFileSystem();
    // ... else in `spareFolder` (none when empty).
    explicit LocalFileSystem(std::string spareFolder);

    // Writes a file's new contents to the descriptor from its start; returns 0 or an error.
    // It may run a second time, on another descriptor, when replacing turns out impossible.
    using Produce = std::function<std::uint32_t(int fd)>;

    bool FileExists(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    bool SameFile(const std::string& a, const std::string& b) const override;
    std::uint32_t FileSize(const std::string& path, std::uint64_t& size) const override;
    std::uint32_t ReadFile(const std::string& path,
                           std::vector<std::uint8_t>& bytes) const override;
    std::uint32_t ReadFileStart(const std::string& path, std::size_t maxBytes,
                                std::vector<std::uint8_t>& bytes) const override;
    std::uint32_t WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    std::uint32_t CopyFile(const std::string& from, const std::string& to) override;
    std::uint32_t MoveFile(const std::string& from, const std::string& to) override;
    std::uint32_t DeleteFile(const std::string& path) override;
    std::uint32_t CreateFolders(const std::string& path) override;
    std::uint32_t SetArchiveAttribute(const std::string& path) override;
    std::uint32_t CreateTempFile(const std::string& folder, const std::string& prefix,
                                 const std::string& suffix, std::string& path) override;
    // An flock on the file, or on its folder while the file does not exist.
    std::uint32_t LockFile(const std::string& path, std::uint32_t timeoutMs,
                           CFileLock& lock) override;

private:
    std::uint32_t Replace(const std::string& path, const Produce& produce);
    std::uint32_t WriteInPlace(const std::string& target, const struct stat& old,
                               const Produce& produce);
    // Opens a regular file for reading, after undoing a write over it left half done.
    std::uint32_t OpenForReading(const std::string& path, posix::Fd& fd, struct stat& st) const;

    std::string m_spareFolder;
};

}  // namespace nl
