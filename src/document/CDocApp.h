#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/CArchive.h"
#include "base/COleDateTime.h"
#include "document/CColorPicker.h"
#include "document/CWndCapMeaData.h"
#include "document/ViewNotification.h"
#include "platform/IFileSystem.h"

namespace nl {

// What to do with a modified document before New, Open or exit.
enum class SaveModifiedAction {
    kDrop,    // go on without asking; unsaved changes are lost
    kSave,    // save to the document's path without asking, then go on
    kSaveAs,  // save through the Save As dialog without asking (the document has no path yet)
    kAsk,     // ask "Save changes to %1?" with Yes, No and Cancel
};

// General option bits that decide the save-modified question.
inline constexpr std::uint32_t kGeneralKeepDocument = 0x100;       // keep it and ask to save
inline constexpr std::uint32_t kGeneralSaveWithoutAsking = 0x400;  // save it silently

// The decision before a modified document is closed, from the general option bits, the
// modified flag and whether the document has a path.
SaveModifiedAction DecideSaveModified(std::uint32_t generalOptions, bool modified, bool hasPath);

// What a read-modify-write does when the document file does not exist yet.
enum class MissingDocument {
    kRefuse,      // report the missing file
    kStartEmpty,  // start from an empty document and create the file
};

// What a document file held when the program last read or wrote it: another program's write
// since shows as a different stamp.
struct DocFileStamp {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;  // FNV-1a of the bytes
    bool operator==(const DocFileStamp&) const = default;
    static DocFileStamp Of(std::span<const std::uint8_t> bytes);
};

// The one document of the program: the picked colors and the current measurement, kept in a
// ".nlz" file. It has no windows; views learn of changes through the view notifications.
class CDocApp {
public:
    // The container's magic string and format version.
    static constexpr const char* kMagic = "NCnlDoc";
    static constexpr std::uint32_t kFormatVersion = 0x00010000;
    // The document template strings (title, name, type, filter, extension, type ids).
    // How long a save waits for another writer of the same file to finish.
    static constexpr std::uint32_t kLockTimeoutMs = 10000;

    // `clock` stamps picks, measurements and saves; `files` reads and writes document files;
    // `views` (may be null) receives the view notifications. All must outlive the document.
    // The document starts empty, untitled and unmodified.
    CDocApp(const IClock& clock, IFileSystem& files, IViewNotifySink* views = nullptr);
    CDocApp(const CDocApp&) = delete;
    CDocApp& operator=(const CDocApp&) = delete;

    CColorPicker& Colors() { return m_colors; }
    const CColorPicker& Colors() const { return m_colors; }
    const CWndCapMeaData& Measurement() const { return m_measurement; }
    // Earlier measurements kept beside the current one, oldest first. The document file holds
    // the current one; these live in a file of their own beside it (MeasurementsPath), written
    // with every save and read with every open.
    const std::vector<CWndCapMeaData>& KeptMeasurements() const { return m_kept; }
    // Every measurement: the kept ones, then the current one; empty when there is none.
    std::vector<const CWndCapMeaData*> Measurements() const;
    // The file beside document `path` that holds its kept measurements.
    static std::string MeasurementsPath(const std::string& path) {
        return path + ".measurements.json";
    }

    // Empties the color list (reset) and clears the measurement.
    void DeleteContents();
    // New: empty contents, no path, unmodified; notifies 32.
    void OnNewDocument();
    // Open: reads and checks the whole file before anything changes, then replaces the
    // contents, takes the path and clears the modified flag; notifies 32. A file that cannot
    // be read raises CSystemError (with the path), a bad file CArchiveException ("%1 has a
    // bad format." or "Attempted to access %1 past its end.", with the path); the document
    // then stays exactly as it was.
    void OnOpenDocument(const std::string& path);
    // Save: writes the document to `path` through a new file renamed over the old one, takes
    // the path and clears the modified flag. It holds the file's writer lock meanwhile, so
    // that another program's read-modify-write is not cut in two. On failure (CSystemError
    // with the path) the old file is untouched and the document stays as it was, modified
    // flag and revision included.
    void OnSaveDocument(const std::string& path);
    // Save, unless the file is the one the document came from or was last saved to and
    // another program changed it since: then nothing is written and the stamp of what the
    // file holds now comes back. Passing that stamp as `overwriting` replaces exactly that
    // version (a newer change is reported again). A file that is gone or cannot be read is
    // no change: the save goes ahead and reports its own errors.
    std::optional<DocFileStamp> SaveUnlessChanged(const std::string& path,
                                                  const std::optional<DocFileStamp>& overwriting);
    // Opens `path`, lets `change` change the document and saves it when `change` returns
    // true, all under the file's writer lock, so that concurrent updates of one file all
    // take effect. Errors are those of open and save; whatever `change` raises passes
    // through with the file left as it was.
    void UpdateDocument(const std::string& path, MissingDocument missing,
                        const std::function<bool()>& change);

    // The document as a save would write it, without saving: the revision and the modified
    // flags stay as they are.
    std::vector<std::uint8_t> ContentsForRecovery();
    // Opens a document kept for recovery from `keptPath` as the document of `path` (empty:
    // untitled) whose file held `stamp` when last read or written; it is modified. Raises
    // what Open raises, leaving the document as it was.
    void OpenRecovered(const std::string& keptPath, const std::string& path,
                       const std::optional<DocFileStamp>& stamp);
    const std::optional<DocFileStamp>& FileStamp() const { return m_fileStamp; }

    // Writes the whole file or reads it. Reading replaces the contents only when the whole
    // file was read; it neither notifies nor touches the path or the modified flag.
    void Serialize(CArchive& ar);

    // Stores a finished gauge gesture as the measurement; a plain click stores nothing. With
    // kYes the measurement it replaces is kept. Marks the document modified and notifies 32
    // when the measurement changed.
    bool CompleteMeasurement(const MeaGesture& gesture,
                             KeepMeasurement keep = KeepMeasurement::kNo);
    // Takes `all` as the measurements, the last one as the current one; marks modified and
    // notifies 32.
    void ReplaceMeasurements(std::vector<CWndCapMeaData> all);
    // "Delete all measurements": clears the measurement and the kept ones, marks modified,
    // notifies 32.
    void ClearMeasurement();

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    // The file the document was opened from or last saved to; empty for a new document.
    const std::string& PathName() const { return m_pathName; }
    // The title the window caption shows: the file's name, or "Untitled".
    std::string Title() const;

    SaveModifiedAction DecideSaveModified(std::uint32_t generalOptions) const {
        return nl::DecideSaveModified(generalOptions, m_modified, !m_pathName.empty());
    }
    // "Save changes to <title>?"
    std::string SaveModifiedPrompt() const;

private:
    void Notify(ViewNotify type) const;
    CFileLock LockForWriting(const std::string& path);
    void SaveLocked(const std::string& path);
    // The kept measurements beside document `path`: read (none when there is no such file;
    // an unreadable one is noted and left alone) and written or removed.
    void ReadKeptMeasurements(const std::string& path);
    void WriteKeptMeasurements(const std::string& path);

    const IClock& m_clock;
    IFileSystem& m_files;
    IViewNotifySink* m_views;
    CColorPicker m_colors;
    CWndCapMeaData m_measurement;
    std::vector<CWndCapMeaData> m_kept;
    // The kept measurements' file beside the document could not be read when it was opened;
    // a save then leaves it alone unless there are measurements to write over it.
    bool m_keptUnreadable = false;
    bool m_modified = false;
    std::string m_pathName;
    // What m_pathName held when it was opened or last saved; none for a new document.
    std::optional<DocFileStamp> m_fileStamp;
};

}  // namespace nl
