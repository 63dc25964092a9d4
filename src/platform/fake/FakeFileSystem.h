#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/IFileSystem.h"

namespace nl {

// An in-memory file system. Paths are '/'-separated and compared as given; a file can only
// be written into an existing folder, as on a real disk. Tests can make single operations
// fail with a chosen system error code. Locks never wait; the fake only counts them.
class FakeFileSystem final : public IFileSystem {
public:
    enum class Op { kRead, kWrite, kCopy, kMove, kDelete, kCreateFolders, kCreateTemp, kLock };
    // Where CreateTempFile puts files when given no folder.
    static constexpr const char* kTempFolder = "/tmp";

    bool FileExists(const std::string& path) const override;
    // The fake has no links: one path, one file.
    bool SameFile(const std::string& a, const std::string& b) const override {
        return a == b && FileExists(a);
    }
    bool FolderExists(const std::string& path) const override;
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
    std::uint32_t LockFile(const std::string& path, std::uint32_t timeoutMs,
                           CFileLock& lock) override;

    // Test set-up and inspection.
    void AddFile(const std::string& path, std::vector<std::uint8_t> bytes);
    void AddFolder(const std::string& path);
    // Operation `op` on `path` (as source or target) fails with `code` from now on.
    void Fail(Op op, const std::string& path, std::uint32_t code);
    const std::vector<std::uint8_t>* Contents(const std::string& path) const;
    // Every file path, sorted.
    std::vector<std::string> Files() const;
    bool HasArchiveAttribute(const std::string& path) const { return m_archived.count(path) != 0; }
    int WriteCount() const { return m_writes; }
    // The bytes all reads handed out.
    std::uint64_t BytesRead() const { return m_bytesRead; }
    // How many locks on `path` are held now; a write made while holding one counts as locked.
    int LocksHeld(const std::string& path) const;
    int LockedWriteCount() const { return m_lockedWrites; }

private:
    std::uint32_t Failure(Op op, const std::string& path) const;
    std::uint32_t CheckParent(const std::string& path) const;

    std::map<std::string, std::vector<std::uint8_t>> m_files;
    std::set<std::string> m_folders{"/"};
    std::set<std::string> m_archived;
    std::map<std::pair<Op, std::string>, std::uint32_t> m_failures;
    std::map<std::string, int> m_locks;
    int m_writes = 0;
    mutable std::uint64_t m_bytesRead = 0;
    int m_lockedWrites = 0;
    int m_temps = 0;
};

}  // namespace nl
