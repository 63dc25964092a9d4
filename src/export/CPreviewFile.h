#pragma once
#include <string>

namespace nl {

class IFileSystem;

// The file the color preview is written to: a unique name with the prefix "nlz" and the
// extension ".htm" in the temporary folder, made at the first preview and kept for the run so
// that later previews overwrite it, and deleted when the program ends.
class CPreviewFile {
public:
    static constexpr const char* kPrefix = "nlz";
    static constexpr const char* kExtension = ".htm";

    // `tempDir` empty: the system's temporary folder.
    explicit CPreviewFile(std::string tempDir = {});
    ~CPreviewFile();
    CPreviewFile(const CPreviewFile&) = delete;
    CPreviewFile& operator=(const CPreviewFile&) = delete;

    // The preview path, made in `files` on the first call by creating a new empty file under a
    // unique name. Raises CSystemError when the folder or the name cannot be had. `files`
    // must outlive this object, which deletes the file through it.
    const std::string& Path(IFileSystem& files);
    bool HasPath() const { return !m_path.empty(); }

    // Deletes the file if it exists (at exit, end of session or log-off); the path is kept.
    void Delete();

private:
    std::string m_tempDir;
    std::string m_path;
    IFileSystem* m_files = nullptr;
};

}  // namespace nl
