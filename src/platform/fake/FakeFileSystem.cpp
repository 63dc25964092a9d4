#include "platform/fake/FakeFileSystem.h"

#include <algorithm>

#include "base/CSystemError.h"

namespace nl {
namespace {

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::uint32_t FakeFileSystem::Failure(Op op, const std::string& path) const {
    const auto it = m_failures.find({op, path});
    return it == m_failures.end() ? 0 : it->second;
}

std::uint32_t FakeFileSystem::CheckParent(const std::string& path) const {
    return m_folders.count(Parent(path)) != 0 ? 0 : std::uint32_t{kErrorPathNotFound};
}

bool FakeFileSystem::FileExists(const std::string& path) const {
    return m_files.count(path) != 0;
}

bool FakeFileSystem::FolderExists(const std::string& path) const {
    return m_folders.count(WithoutTrailingSlash(path)) != 0;
}

std::uint32_t FakeFileSystem::FileSize(const std::string& path, std::uint64_t& size) const {
    const auto it = m_files.find(path);
    if (it == m_files.end()) return kErrorFileNotFound;
    size = it->second.size();
    return 0;
}

std::uint32_t FakeFileSystem::ReadFile(const std::string& path,
                                       std::vector<std::uint8_t>& bytes) const {
    if (const auto code = Failure(Op::kRead, path)) return code;
    const auto it = m_files.find(path);
    if (it == m_files.end()) return kErrorFileNotFound;
    bytes = it->second;
    m_bytesRead += bytes.size();
    return 0;
}

std::uint32_t FakeFileSystem::ReadFileStart(const std::string& path, std::size_t maxBytes,
                                            std::vector<std::uint8_t>& bytes) const {
    if (const auto code = Failure(Op::kRead, path)) return code;
    const auto it = m_files.find(path);
    if (it == m_files.end()) return kErrorFileNotFound;
    const std::size_t size = std::min(maxBytes, it->second.size());
    bytes.assign(it->second.begin(), it->second.begin() + static_cast<std::ptrdiff_t>(size));
    m_bytesRead += size;
    return 0;
}

std::uint32_t FakeFileSystem::WriteFile(const std::string& path,
                                        std::span<const std::uint8_t> bytes) {
    if (const auto code = Failure(Op::kWrite, path)) return code;
    if (const auto code = CheckParent(path)) return code;
    if (m_folders.count(path) != 0) return kErrorAccessDenied;
    m_files[path].assign(bytes.begin(), bytes.end());
    ++m_writes;
    if (LocksHeld(path) > 0) ++m_lockedWrites;
    return 0;
}

std::uint32_t FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
    if (const auto code = Failure(Op::kCopy, from)) return code;
    if (const auto code = Failure(Op::kCopy, to)) return code;
    const auto it = m_files.find(from);
    if (it == m_files.end()) return kErrorFileNotFound;
    if (const auto code = CheckParent(to)) return code;
    if (m_folders.count(to) != 0) return kErrorAccessDenied;
    m_files[to] = std::vector<std::uint8_t>(it->second);
    return 0;
}

std::uint32_t FakeFileSystem::MoveFile(const std::string& from, const std::string& to) {
    if (const auto code = Failure(Op::kMove, from)) return code;
    if (const auto code = Failure(Op::kMove, to)) return code;
    const auto it = m_files.find(from);
    if (it == m_files.end()) return kErrorFileNotFound;
    if (const auto code = CheckParent(to)) return code;
    if (m_folders.count(to) != 0) return kErrorAccessDenied;
    if (from == to) return 0;
    m_files[to] = std::move(it->second);
    m_files.erase(from);
    if (m_archived.erase(from) != 0) m_archived.insert(to);
    return 0;
}

std::uint32_t FakeFileSystem::DeleteFile(const std::string& path) {
    if (const auto code = Failure(Op::kDelete, path)) return code;
    if (m_files.erase(path) == 0) return kErrorFileNotFound;
    m_archived.erase(path);
    return 0;
}

std::uint32_t FakeFileSystem::CreateFolders(const std::string& path) {
    const std::string folder = WithoutTrailingSlash(path);
    if (const auto code = Failure(Op::kCreateFolders, folder)) return code;
    for (std::string p = folder; !p.empty() && p != "/"; p = Parent(p)) {
        if (m_files.count(p) != 0) return kErrorAccessDenied;
        m_folders.insert(p);
    }
    return 0;
}

std::uint32_t FakeFileSystem::SetArchiveAttribute(const std::string& path) {
    if (m_files.count(path) == 0) return kErrorFileNotFound;
    m_archived.insert(path);
    return 0;
}

std::uint32_t FakeFileSystem::CreateTempFile(const std::string& folder, const std::string& prefix,
                                             const std::string& suffix, std::string& path) {
    const std::string where = folder.empty() ? std::string(kTempFolder) : folder;
    if (const auto code = Failure(Op::kCreateTemp, where)) return code;
    if (m_folders.count(where) == 0) return kErrorPathNotFound;
    std::string name;
    do {
        name = where + "/" + prefix + std::to_string(++m_temps) + suffix;
    } while (m_files.count(name) != 0);
    m_files[name] = {};
    path = name;
    return 0;
}

std::uint32_t FakeFileSystem::LockFile(const std::string& path, std::uint32_t /*timeoutMs*/,
                                       CFileLock& lock) {
    if (const auto code = Failure(Op::kLock, path)) return code;
    if (const auto code = CheckParent(path)) return code;
    ++m_locks[path];
    lock = CFileLock([this, path] {
        if (--m_locks[path] == 0) m_locks.erase(path);
    });
    return 0;
}

int FakeFileSystem::LocksHeld(const std::string& path) const {
    const auto it = m_locks.find(path);
    return it == m_locks.end() ? 0 : it->second;
}

void FakeFileSystem::AddFile(const std::string& path, std::vector<std::uint8_t> bytes) {
    CreateFolders(Parent(path));
    m_files[path] = std::move(bytes);
}

void FakeFileSystem::AddFolder(const std::string& path) {
    CreateFolders(path);
}

void FakeFileSystem::Fail(Op op, const std::string& path, std::uint32_t code) {
    m_failures[{op, path}] = code;
}

const std::vector<std::uint8_t>* FakeFileSystem::Contents(const std::string& path) const {
    const auto it = m_files.find(path);
    return it == m_files.end() ? nullptr : &it->second;
}

std::vector<std::string> FakeFileSystem::Files() const {
    std::vector<std::string> out;
    for (const auto& [path, bytes] : m_files) out.push_back(path);
    return out;
}

}  // namespace nl
