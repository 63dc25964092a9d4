#include "export/CPreviewFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/CSystemError.h"

namespace nl {
namespace {

namespace fs = std::filesystem;

// The characters mkstemps replaces with a unique part.
constexpr const char* kUniquePart = "XXXXXX";

}  // namespace

CPreviewFile::CPreviewFile(std::string tempDir) : m_tempDir(std::move(tempDir)) {}

CPreviewFile::~CPreviewFile() {
    Delete();
}

const std::string& CPreviewFile::Path() {
    if (!m_path.empty()) return m_path;
    fs::path dir(m_tempDir);
    if (dir.empty()) {
        std::error_code ec;
        dir = fs::temp_directory_path(ec);
        if (ec) throw CSystemError(SystemErrorFromErrno(ec.value()));
    }
    const std::string pattern = (dir / (std::string(kPrefix) + kUniquePart + kExtension)).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemps(name.data(), static_cast<int>(std::strlen(kExtension)));
    if (fd < 0) throw CSystemError(SystemErrorFromErrno(errno), dir.string());
    ::close(fd);
    m_path = name.data();
    return m_path;
}

void CPreviewFile::Delete() {
    if (m_path.empty()) return;
    std::error_code ec;
    fs::remove(m_path, ec);
}

}  // namespace nl
