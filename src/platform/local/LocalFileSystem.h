#pragma once
#include "platform/IFileSystem.h"

namespace nl {

// The disk, through POSIX calls. Writes and copies go to a temporary file beside the target
// ("<name>.tmp-XXXXXX"), which is flushed to the disk and renamed over the target, so a crash
// or a full disk never leaves the target half written.
class LocalFileSystem final : public IFileSystem {
public:
    bool FileExists(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    std::uint32_t FileSize(const std::string& path, std::uint64_t& size) const override;
    std::uint32_t ReadFile(const std::string& path,
                           std::vector<std::uint8_t>& bytes) const override;
    std::uint32_t WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    std::uint32_t CopyFile(const std::string& from, const std::string& to) override;
    std::uint32_t MoveFile(const std::string& from, const std::string& to) override;
    std::uint32_t DeleteFile(const std::string& path) override;
    std::uint32_t CreateFolders(const std::string& path) override;
    std::uint32_t SetArchiveAttribute(const std::string& path) override;
};

}  // namespace nl
