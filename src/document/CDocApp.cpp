#include "document/CDocApp.h"

#include <utility>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "document/measurements_json.h"
#include "res/version.h"

namespace nl {
namespace {

// Enough of a file's start to hold the container's signature in either of its forms.
constexpr std::size_t kSignatureBytes = 64;
// Reserved fields of the container, written as zeros and empty strings, skipped when read.
constexpr int kReservedQwords = 4;
constexpr int kReservedStrings = 4;

// Reads the container into `colors` and `measurement`, which the caller commits only when
// the whole file was read.
void LoadContainer(CArchive& ar, CColorPicker& colors, CWndCapMeaData& measurement) {
    // The signature is checked as bytes first, so a file of another kind fails as a bad
    // format rather than by a length read from whatever it starts with.
    ar.ExpectString(CDocApp::kMagic);
    ar.Version(CDocApp::kFormatVersion);
    ar.ReadU32();   // the writer's product version
    ar.ReadDate();  // when it was saved
    ar.Reserved(kReservedQwords, kReservedStrings);
    colors.Serialize(ar);
    measurement.Serialize(ar);
}

// The name part of a path, with either separator.
std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// FNV-1a, 64 bits.
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

}  // namespace

DocFileStamp DocFileStamp::Of(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = kFnvOffset;
    for (const std::uint8_t byte : bytes) hash = (hash ^ byte) * kFnvPrime;
    return {bytes.size(), hash};
}

SaveModifiedAction DecideSaveModified(std::uint32_t generalOptions, bool modified, bool hasPath) {
    if ((generalOptions & kGeneralKeepDocument) == 0 || !modified) return SaveModifiedAction::kDrop;
    if ((generalOptions & kGeneralSaveWithoutAsking) != 0)
        return hasPath ? SaveModifiedAction::kSave : SaveModifiedAction::kSaveAs;
    return SaveModifiedAction::kAsk;
}

CDocApp::CDocApp(const IClock& clock, IFileSystem& files, IViewNotifySink* views)
    : m_clock(clock), m_files(files), m_views(views), m_colors(clock, views) {
    m_colors.SetOnModified([this] { m_modified = true; });
}

void CDocApp::Notify(ViewNotify type) const {
    if (m_views != nullptr) m_views->OnViewNotify(type, 0);
}

void CDocApp::DeleteContents() {
    m_colors.Reset();
    m_measurement.Clear();
    m_kept.clear();
    m_keptUnreadable = false;
}

std::vector<const CWndCapMeaData*> CDocApp::Measurements() const {
    std::vector<const CWndCapMeaData*> all;
    for (const CWndCapMeaData& m : m_kept) all.push_back(&m);
    if (!m_measurement.IsEmpty()) all.push_back(&m_measurement);
    return all;
}

void CDocApp::ReadKeptMeasurements(const std::string& path) {
    m_kept.clear();
    m_keptUnreadable = false;
    const std::string keptPath = MeasurementsPath(path);
    if (!m_files.FileExists(keptPath)) return;
    // The document itself is sound; earlier measurements that cannot be read are left where
    // they are.
    std::vector<std::uint8_t> bytes;
    if (m_files.ReadFile(keptPath, bytes) != 0) {
        m_keptUnreadable = true;
        return;
    }
    try {
        m_kept = ReadMeasurementsJson(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), keptPath);
    } catch (const CArchiveException&) {
        m_kept.clear();
        m_keptUnreadable = true;
    }
}

void CDocApp::WriteKeptMeasurements(const std::string& path) {
    const std::string keptPath = MeasurementsPath(path);
    if (m_kept.empty()) {
        if ((!m_keptUnreadable || path != m_pathName) && m_files.FileExists(keptPath))
            m_files.DeleteFile(keptPath);
        return;
    }
    std::vector<const CWndCapMeaData*> kept;
    for (const CWndCapMeaData& m : m_kept) kept.push_back(&m);
    const std::string text = MeasurementsJson(kept, nullptr, NumberFormat{});
    if (const std::uint32_t code =
            m_files.WriteFile(keptPath, std::vector<std::uint8_t>(text.begin(), text.end())))
        throw CSystemError(code, keptPath);
}

void CDocApp::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_fileStamp.reset();
    m_modified = false;
    Notify(ViewNotify::kDocumentReplaced);
}

void CDocApp::OnOpenDocument(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    // The signature is checked on the first bytes, so that a large file of another kind is
    // refused at once instead of after reading all of it.
    if (const std::uint32_t code = m_files.ReadFileStart(path, kSignatureBytes, bytes))
        throw CSystemError(code, path);
    CArchive(bytes, path).ExpectString(kMagic);
    if (const std::uint32_t code = m_files.ReadFile(path, bytes)) throw CSystemError(code, path);

    CColorPicker colors(m_clock);
    CWndCapMeaData measurement;
    // The archive names the file in its errors: a bad format and a file cut short alike.
    CArchive ar(bytes, path);
    LoadContainer(ar, colors, measurement);

    DeleteContents();
    m_colors.TakeContents(std::move(colors));
    m_measurement = std::move(measurement);
    ReadKeptMeasurements(path);
    m_pathName = path;
    m_fileStamp = DocFileStamp::Of(bytes);
    m_modified = false;
    Notify(ViewNotify::kDocumentReplaced);
}

CFileLock CDocApp::LockForWriting(const std::string& path) {
    CFileLock lock;
    if (const std::uint32_t code = m_files.LockFile(path, kLockTimeoutMs, lock))
        throw CSystemError(code, path);
    return lock;
}

void CDocApp::OnSaveDocument(const std::string& path) {
    const CFileLock lock = LockForWriting(path);
    SaveLocked(path);
}

std::optional<DocFileStamp> CDocApp::SaveUnlessChanged(
    const std::string& path, const std::optional<DocFileStamp>& overwriting) {
    const CFileLock lock = LockForWriting(path);
    if (path == m_pathName && m_fileStamp) {
        std::vector<std::uint8_t> bytes;
        if (m_files.ReadFile(path, bytes) == 0) {
            const DocFileStamp now = DocFileStamp::Of(bytes);
            if (now != *m_fileStamp && now != overwriting) return now;
        }
    }
    SaveLocked(path);
    return std::nullopt;
}

void CDocApp::UpdateDocument(const std::string& path, MissingDocument missing,
                             const std::function<bool()>& change) {
    const CFileLock lock = LockForWriting(path);
    try {
        OnOpenDocument(path);
    } catch (const CSystemError& e) {
        if (e.Code() != kErrorFileNotFound || missing != MissingDocument::kStartEmpty) throw;
        OnNewDocument();
    }
    if (change()) SaveLocked(path);
}

void CDocApp::SaveLocked(const std::string& path) {
    const CColorPicker::SaveState before = m_colors.GetSaveState();
    CArchive ar(path);
    Serialize(ar);
    try {
        // The kept measurements go first: when they cannot be written, nothing changed.
        WriteKeptMeasurements(path);
    } catch (...) {
        m_colors.RestoreSaveState(before);
        throw;
    }
    if (const std::uint32_t code = m_files.WriteFile(path, ar.Bytes())) {
        m_colors.RestoreSaveState(before);
        throw CSystemError(code, path);
    }
    m_keptUnreadable = false;
    m_pathName = path;
    m_fileStamp = DocFileStamp::Of(ar.Bytes());
    m_modified = false;
}

std::vector<std::uint8_t> CDocApp::ContentsForRecovery() {
    const CColorPicker::SaveState before = m_colors.GetSaveState();
    CArchive ar(m_pathName);
    Serialize(ar);
    m_colors.RestoreSaveState(before);
    return ar.TakeBytes();
}

void CDocApp::OpenRecovered(const std::string& keptPath, const std::string& path,
                            const std::optional<DocFileStamp>& stamp) {
    OnOpenDocument(keptPath);
    // The earlier measurements are those beside the document it stands for.
    if (!path.empty()) ReadKeptMeasurements(path);
    m_pathName = path;
    m_fileStamp = path.empty() ? std::nullopt : stamp;
    m_modified = true;
    Notify(ViewNotify::kDocumentReplaced);
}

void CDocApp::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(kMagic);
        ar.Version(kFormatVersion);
        ar.WriteU32(kProductVersion);
        ar.WriteDate(CColPick::StampNow(m_clock));
        ar.Reserved(kReservedQwords, kReservedStrings);
        m_colors.Serialize(ar);
        m_measurement.Serialize(ar);
        return;
    }
    CColorPicker colors(m_clock);
    CWndCapMeaData measurement;
    LoadContainer(ar, colors, measurement);
    m_colors.TakeContents(std::move(colors));
    m_measurement = std::move(measurement);
}

bool CDocApp::CompleteMeasurement(const MeaGesture& gesture, KeepMeasurement keep) {
    CWndCapMeaData previous = m_measurement;
    if (!m_measurement.CompleteGesture(gesture, m_clock)) return false;
    if (keep == KeepMeasurement::kYes && !previous.IsEmpty()) m_kept.push_back(std::move(previous));
    m_modified = true;
    Notify(ViewNotify::kDocumentReplaced);
    return true;
}

void CDocApp::ReplaceMeasurements(std::vector<CWndCapMeaData> all) {
    m_measurement.Clear();
    if (!all.empty()) {
        m_measurement = std::move(all.back());
        all.pop_back();
    }
    m_kept = std::move(all);
    m_modified = true;
    Notify(ViewNotify::kDocumentReplaced);
}

void CDocApp::ClearMeasurement() {
    if (m_measurement.IsEmpty() && m_measurement == CWndCapMeaData() && m_kept.empty()) return;
    m_measurement.Clear();
    m_kept.clear();
    m_modified = true;
    Notify(ViewNotify::kDocumentReplaced);
}

std::string CDocApp::Title() const {
    return m_pathName.empty() ? LoadString(kIdsUntitled) : FileNameOf(m_pathName);
}

std::string CDocApp::SaveModifiedPrompt() const {
    return FormatString(kIdpSaveModified, {Title()});
}

}  // namespace nl
