#include "export/CPreviewFile.h"

#include "base/CSystemError.h"
#include "platform/IFileSystem.h"

namespace nl {

CPreviewFile::CPreviewFile(std::string tempDir) : m_tempDir(std::move(tempDir)) {}

CPreviewFile::~CPreviewFile() {
    Delete();
}

const std::string& CPreviewFile::Path(IFileSystem& files) {
    if (!m_path.empty()) return m_path;
    std::string path;
    if (const std::uint32_t code = files.CreateTempFile(m_tempDir, kPrefix, kExtension, path))
        throw CSystemError(code, m_tempDir);
    m_files = &files;
    m_path = std::move(path);
    return m_path;
}

void CPreviewFile::Delete() {
    if (m_path.empty() || m_files == nullptr) return;
    if (m_files->FileExists(m_path)) (void)m_files->DeleteFile(m_path);
}

}  // namespace nl
