#include "framework/CPrefs.h"

#include <array>
#include <exception>
#include <filesystem>

#include "base/CArchive.h"
#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/text.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"
#include "platform/IFolders.h"
#include "res/version.h"

namespace nl {
namespace {

// Registry values kept beside the data file.
constexpr std::string_view kValueInstallInstance = "InstallInstance";  // machine-wide
constexpr std::string_view kValueSeenInstance = "Reserved6";
constexpr std::string_view kValueAppStartup = "AppStartup";  // machine-wide
constexpr std::string_view kValuePath = "Path";
constexpr std::string_view kValueVersion = "Version";
constexpr std::string_view kValueUserDataFolder = "UserDataFolder";
constexpr std::string_view kValueUserDataFile = "UserDataFilePath";
constexpr std::string_view kAppStartupOn = "1";

constexpr std::string_view kBackupExtension = ".bak";
// An unreadable data file of this version is kept under its name with this added.
constexpr std::string_view kDamagedExtension = ".damaged";

// The common-settings block.
constexpr std::string_view kCommonMagic = "SCCN";
constexpr int kCommonReservedDwords = 4;
constexpr int kCommonReservedStrings = 2;
constexpr std::size_t kCommonReservedBytes = 16;
constexpr int kCommonTrailingDwords = 2;
constexpr int kCommonDates = 2;

void ReservedDwords(CArchive& ar, int count) {
    for (int i = 0; i < count; ++i) ar.IsStoring() ? ar.WriteU32(0) : void(ar.ReadU32());
}

std::string Join(std::string_view folder, std::string_view name) {
    return (std::filesystem::path(folder) / std::filesystem::path(name)).string();
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

bool IsMarker(std::string_view value) {
    return EqualsNoCase(value, CPrefs::kApplicationMarker);
}

// The first argument that begins with `prefix` (any case).
const std::string* FindArgument(std::span<const std::string> args, std::string_view prefix) {
    for (const auto& arg : args)
        if (StartsWithNoCase(arg, prefix)) return &arg;
    return nullptr;
}

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

CPrefs::CPrefs(const PrefsServices& services, std::string companyName, std::string applicationName)
    : CRegistry(services.store),
      m_folders(*services.folders),
      m_files(*services.files),
      m_dialogs(*services.dialogs),
      m_clock(*services.clock),
      m_companyName(std::move(companyName)),
      m_applicationName(std::move(applicationName)),
      m_currentVersion(kProductVersion) {
    // Both application-data folders must resolve for the per-user one to be used.
    m_userAppDataFolder = m_folders.UserAppData();
    m_commonAppDataFolder = m_folders.CommonAppData();
    m_shellFoldersUsable = !m_userAppDataFolder.empty() && !m_commonAppDataFolder.empty();
    m_winStates.push_back(std::make_unique<CWinState>());
}

CPrefs::~CPrefs() = default;

COleDateTime CPrefs::NowUtc() const {
    return UtcNowAsOleDate(m_clock);
}

void CPrefs::ShowError(const std::string& text) const {
    m_dialogs.MessageBox(text, m_applicationName, MsgButtons::kOk, MsgIcon::kWarning);
}

// ---- Serialization ----------------------------------------------------------------------

void CPrefs::Serialize(CArchive& ar) {
    ar.Magic(kCommonMagic, CArchive::MagicCheck::kSkip);
    std::uint32_t format = kFormatVersion;
    ar.Io(format);  // read without checking
    COleDateTime saved = ar.IsStoring() ? NowUtc() : COleDateTime();
    ar.Io(saved);
    ReservedDwords(ar, kCommonReservedDwords);
    for (int i = 0; i < kCommonDates; ++i) {
        COleDateTime reserved;
        ar.Io(reserved);
    }
    ar.Reserved(0, kCommonReservedStrings);
    if (ar.IsStoring()) {
        const std::array<std::uint8_t, kCommonReservedBytes> zeros{};
        ar.WriteBytes(zeros.data(), zeros.size());
    } else {
        ar.SkipBytes(kCommonReservedBytes);
    }
    ReservedDwords(ar, kCommonTrailingDwords);
    ar.ObjectArray(m_winStates, CWinState::kClassName, CWinState::kSchema, kMaxWinStates);
    if (ar.IsLoading()) {
        // The object form allows empty elements; the list never holds one.
        for (auto& state : m_winStates)
            if (!state) state = std::make_unique<CWinState>();
    }
}

void CPrefs::SerializeFileVersions(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU32(m_currentFormatVersion);
        ar.WriteU32(m_currentVersion);
        return;
    }
    m_storedFormatVersion = ar.ReadU32();
    if (m_storedFormatVersion > m_currentFormatVersion) {
        if (ar.Remaining() >= sizeof(std::uint32_t)) m_writerVersion = ar.ReadU32();
        ar.ThrowBadFormat();
    }
    m_writerVersion = ar.ReadU32();
}

std::vector<std::uint8_t> CPrefs::StoreToBytes(const std::string& fileName) {
    CArchive ar(fileName);
    Serialize(ar);
    return ar.TakeBytes();
}

void CPrefs::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    CArchive ar(bytes, fileName);
    Serialize(ar);
}

void CPrefs::SetDefaults() {
    m_winStates.clear();
    m_winStates.push_back(std::make_unique<CWinState>());
}

void CPrefs::GrowWinStates(int count, OpenFlag open) {
    while (WinStateCount() < count) {
        auto state = std::make_unique<CWinState>();
        state->SetOpen(open == OpenFlag::kSet);
        m_winStates.push_back(std::move(state));
    }
}

// ---- Initialize -------------------------------------------------------------------------

void CPrefs::Initialize(std::span<const std::string> commandLine) {
    if (HasKey()) RegistryStep();
    OverrideStep(commandLine);
}

void CPrefs::RegistryStep() {
    // A new installation: the installer's instance differs from the one this user saw last.
    const std::string instance = GetString(SettingsScope::kMachine, kSubKey, kValueInstallInstance);
    if (!instance.empty() && instance != GetString(kSubKey, kValueSeenInstance)) {
        if (SetString(kSubKey, kValueSeenInstance, instance) == 0) m_firstRunOfInstall = true;
    }
    if (m_firstRunOfInstall) {
        RemoveStartupShortcut();
        if (GetString(SettingsScope::kMachine, kSubKey, kValueAppStartup) == kAppStartupOn)
            CreateStartupShortcut();
    }
    const std::string executable = m_folders.ExecutablePath();
    if (!EqualsNoCase(GetString(kSubKey, kValuePath), executable))
        SetString(kSubKey, kValuePath, executable);
    m_registryVersion = GetInt(kSubKey, kValueVersion, m_registryVersion);
    if (m_registryVersion != m_currentVersion) SetInt(kSubKey, kValueVersion, m_currentVersion);
}

std::string CPrefs::SettingText(std::string_view name, std::string_view value) const {
    return std::string(RootName(SettingsScope::kUser)) + "\\" + SubKeyPath(kSubKey) + ": " +
           std::string(name) + " = " + std::string(value);
}

void CPrefs::OverrideStep(std::span<const std::string> commandLine) {
    struct Override {
        std::string_view valueName;
        std::string_view argument;
        std::uint32_t error;
        std::string* target;
        bool (IFileSystem::*exists)(const std::string&) const;
    };
    const Override overrides[] = {
        {kValueUserDataFolder, kFolderArgument, kErrorPathNotFound, &m_userDataFolder,
         &IFileSystem::FolderExists},
        {kValueUserDataFile, kFileArgument, kErrorFileNotFound, &m_userDataFile,
         &IFileSystem::FileExists},
    };
    m_overrideArguments.clear();
    for (const auto& o : overrides) {
        auto valid = [&](const std::string& value) {
            return IsMarker(value) || (!value.empty() && (m_files.*o.exists)(value));
        };
        const std::string stored = GetString(kSubKey, o.valueName);
        if (!stored.empty()) {
            if (!valid(stored)) throw CSystemError(o.error, SettingText(o.valueName, stored));
            *o.target = stored;
        }
        if (const std::string* arg = FindArgument(commandLine, o.argument)) {
            const std::string value =
                ExpandEnvironment(std::string_view(*arg).substr(o.argument.size()), m_folders);
            if (!valid(value)) throw CSystemError(o.error, *arg);
            *o.target = value;
            // A relative path names a file of the folder the program was started in, which a
            // later start (at log-in) does not share: it is passed on from that folder.
            std::string passed = value;
            if (const auto start = m_folders.Environment("PWD");
                !IsMarker(value) && !value.starts_with('/') && start && start->starts_with('/'))
                passed = *start + "/" + value;
            m_overrideArguments.push_back(std::string(o.argument) + passed);
        }
    }
}

std::string CPrefs::ExpandEnvironment(std::string_view text, const IFolders& folders) {
    std::string out;
    std::size_t i = 0;
    if (!text.empty() && text[0] == '~' && (text.size() == 1 || text[1] == '/')) {
        if (const auto home = folders.Environment("HOME")) {
            out = *home;
            i = 1;
        }
    }
    while (i < text.size()) {
        const char c = text[i];
        if (c == '%') {
            const std::size_t end = text.find('%', i + 1);
            if (end != std::string_view::npos && end > i + 1) {
                if (const auto value = folders.Environment(text.substr(i + 1, end - i - 1))) {
                    out += *value;
                    i = end + 1;
                    continue;
                }
            }
        } else if (c == '$' && i + 1 < text.size()) {
            if (text[i + 1] == '{') {
                const std::size_t end = text.find('}', i + 2);
                if (end != std::string_view::npos && end > i + 2) {
                    if (const auto value = folders.Environment(text.substr(i + 2, end - i - 2))) {
                        out += *value;
                        i = end + 1;
                        continue;
                    }
                }
            } else if (IsNameChar(text[i + 1])) {
                std::size_t end = i + 1;
                while (end < text.size() && IsNameChar(text[end])) ++end;
                if (const auto value = folders.Environment(text.substr(i + 1, end - i - 1))) {
                    out += *value;
                    i = end;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

// ---- Locating the data file -------------------------------------------------------------

std::string CPrefs::ExecutableFolder() const {
    const std::string executable = m_folders.ExecutablePath();
    return executable.empty() ? std::string() : FolderOf(executable);
}

std::string CPrefs::ResolveMarker(const std::string& path) const {
    if (!IsMarker(path)) return path;
    const std::string folder = ExecutableFolder();
    if (folder.empty()) throw CSystemError(kErrorPathNotFound, path);
    return folder;
}

std::string CPrefs::ResolveDataFile(std::string& folder) const {
    const std::string fileName = m_applicationName + std::string(kDataFileExtension);
    folder.clear();
    if (!m_userDataFile.empty()) {
        // The marker puts the data file beside the executable.
        if (IsMarker(m_userDataFile)) return Join(ResolveMarker(m_userDataFile), fileName);
        return m_userDataFile;
    }
    if (!m_userDataFolder.empty())
        folder = ResolveMarker(m_userDataFolder);
    else if (m_shellFoldersUsable)
        folder = Join(Join(m_userAppDataFolder, m_companyName), m_applicationName);
    else
        folder = ExecutableFolder();
    if (folder.empty()) throw CSystemError(kErrorPathNotFound, fileName);
    return Join(folder, fileName);
}

std::optional<std::string> CPrefs::LocateDataFile(Purpose purpose) const {
    std::string folder;
    std::string path = ResolveDataFile(folder);
    if (folder.empty()) return path;
    if (purpose == Purpose::kLoad) {
        if (!m_files.FolderExists(folder)) return std::nullopt;
    } else if (const auto code = m_files.CreateFolders(folder)) {
        throw CSystemError(code, folder);
    }
    return path;
}

std::string CPrefs::DataFilePath() const {
    std::string folder;
    return ResolveDataFile(folder);
}

std::string CPrefs::VersionBackupPath(std::string_view dataFile, std::uint32_t version) {
    return std::string(dataFile) + "." + std::to_string(version >> 16) + "." +
           std::to_string(version & 0xFFFF) + std::string(kBackupExtension);
}

// ---- Load -------------------------------------------------------------------------------

LoadResult CPrefs::Load() {
    std::string path;
    LoadResult result;
    std::string error;
    try {
        result = LoadWithRecovery(path);
    } catch (const CException& e) {
        error = e.Message();
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (!error.empty()) {
        m_dialogs.MessageBox(FormatString(kIdsReadErrorFatal, {path, error, m_applicationName}),
                             m_applicationName, MsgButtons::kOk, MsgIcon::kError);
        result = LoadResult::Exit(LoadResult::kFailureExitCode);
    }
    if (!path.empty()) ReadSideFile(path);
    m_changed = false;
    m_loaded = true;
    return result;
}

void CPrefs::ReadDataFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (const auto code = m_files.ReadFile(path, bytes)) throw CSystemError(code);
    // What the previous attempt found must not decide about this file.
    m_writerVersion = kNoVersion;
    m_storedFormatVersion = kFormatVersion;
    LoadFromBytes(bytes, path);
}

LoadResult CPrefs::LoadWithRecovery(std::string& path) {
    bool lookedForBackup = false;
    bool backupRestored = false;
    for (;;) {
        const auto located = LocateDataFile(Purpose::kLoad);
        if (!located) return LoadResult::Continue();  // no folder yet: the defaults stay
        path = *located;
        const std::string currentBackup = VersionBackupPath(path, m_currentVersion);

        if (!m_files.FileExists(path)) {
            if (lookedForBackup) return LoadResult::Continue();
            lookedForBackup = true;
            std::uint64_t size = 0;
            if (!m_files.FileExists(currentBackup) || m_files.FileSize(currentBackup, size) != 0 ||
                size == 0)
                return LoadResult::Continue();
            if (const auto code = m_files.CopyFile(currentBackup, path))
                throw CSystemError(code, path);
            m_files.SetArchiveAttribute(path);
            backupRestored = true;
        }

        std::string errorText;
        std::exception_ptr error;
        try {
            ReadDataFile(path);
        } catch (const CException& e) {
            errorText = e.Message();
            error = std::current_exception();
        }
        if (!error) {
            KeepVersionBackup(path);
            return LoadResult::Continue();
        }

        SetDefaults();
        if (!backupRestored) {
            std::string text = FormatString(kIdsReadErrorAsk, {path, errorText});
            if (const std::string aside = SetAsidePath(path); !aside.empty())
                text += "\n\n" + FormatString(kIdsDataFileKeptAs, {aside});
            const MsgAnswer answer = m_dialogs.MessageBox(text, m_applicationName,
                                                          MsgButtons::kOkCancel, MsgIcon::kWarning);
            if (answer != MsgAnswer::kOk) return LoadResult::Exit(LoadResult::kFailureExitCode);
            DiscardUnreadableFile(path);
            continue;
        }
        // The backup just restored cannot be read either: put both out of the way, so that
        // the next start begins with the defaults, and report the error.
        if (const auto code = m_files.DeleteFile(path)) throw CSystemError(code, path);
        const std::string setAside = currentBackup + std::string(kBackupExtension);
        if (const auto code = m_files.MoveFile(currentBackup, setAside))
            throw CSystemError(code, currentBackup);
        std::rethrow_exception(error);
    }
}

bool CPrefs::VersionsDiffer() const {
    return m_registryVersion != m_currentVersion || m_storedFormatVersion != m_currentFormatVersion;
}

std::uint32_t CPrefs::VersionToPreserve() const {
    return m_writerVersion != kNoVersion ? m_writerVersion : m_registryVersion;
}

bool CPrefs::CanPreserve(std::uint32_t version) const {
    return version != kNoVersion && version != kInvalidVersion;
}

void CPrefs::KeepVersionBackup(const std::string& path) {
    if (!VersionsDiffer()) return;
    const std::uint32_t version = VersionToPreserve();
    if (!CanPreserve(version) || !m_files.FileExists(path)) return;
    const std::string backup = VersionBackupPath(path, version);
    if (m_files.FileExists(backup) && m_files.DeleteFile(backup) != 0) return;
    // A copy that fails costs only the courtesy backup; the settings are loaded.
    (void)m_files.CopyFile(path, backup);
}

std::string CPrefs::SetAsidePath(const std::string& path) const {
    std::uint64_t size = 0;
    if (m_files.FileSize(path, size) == 0 && size == 0) return {};
    const std::uint32_t version = VersionToPreserve();
    // A file of another version is kept under that version's backup name. One of this
    // version is not: the next step restores this version's backup, and would read the
    // same bytes again; it is kept beside as damaged, so the user's settings in it are not
    // lost for good.
    if (VersionsDiffer() && CanPreserve(version) && version != m_currentVersion)
        return VersionBackupPath(path, version);
    return path + std::string(kDamagedExtension);
}

void CPrefs::DiscardUnreadableFile(const std::string& path) {
    const std::string aside = SetAsidePath(path);
    if (const auto code = aside.empty() ? m_files.DeleteFile(path) : m_files.MoveFile(path, aside))
        throw CSystemError(code, path);
}

// ---- Save and flush ----------------------------------------------------------------

void CPrefs::ReportSaveError(std::uint32_t code, const std::string& path) const {
    switch (code) {
        case kErrorAccessDenied:
        case kErrorSharingViolation:
        case kErrorWriteProtect:
            ShowError(FormatString(kIdpFileReadOnly, {path}));
            break;
        default:
            ShowError(FormatSystemError(code, path));
    }
}

bool CPrefs::Save() {
    if (m_saveSuppressed) return false;
    std::string path;
    try {
        path = *LocateDataFile(Purpose::kSave);
    } catch (const CSystemError& e) {
        ReportSaveError(e.Code(), e.Data());
        return false;
    }
    const std::vector<std::uint8_t> bytes = StoreToBytes(path);
    if (const auto code = m_files.WriteFile(path, bytes)) {
        ReportSaveError(code, path);
        return false;
    }
    if (!WriteSideFile(path)) return false;
    m_changed = false;
    return true;
}

void CPrefs::SetSide(std::string_view key, std::optional<std::string> value) {
    if (m_side.Set(key, std::move(value))) m_changed = true;
}

void CPrefs::ReadSideFile(const std::string& dataFile) {
    // A missing or unreadable side file leaves its settings at their defaults.
    m_side = {};
    const std::string side = CSideSettings::PathFor(dataFile);
    std::vector<std::uint8_t> bytes;
    if (!m_files.FileExists(side) ||
        m_files.ReadFileStart(side, CSideSettings::kMaxFileBytes, bytes) != 0)
        return;
    m_side = CSideSettings::FromText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool CPrefs::WriteSideFile(const std::string& dataFile) {
    const std::string side = CSideSettings::PathFor(dataFile);
    if (m_side.IsEmpty() && !m_files.FileExists(side)) return true;
    const std::string text = m_side.ToText();
    const auto* begin = reinterpret_cast<const std::uint8_t*>(text.data());
    if (const auto code = m_files.WriteFile(side, {begin, text.size()})) {
        ReportSaveError(code, side);
        return false;
    }
    return true;
}

void CPrefs::Flush() {
    if (m_saveSuppressed) {
        m_changed = false;
        return;
    }
    m_changed = true;
    OnFlushing();
    m_flushSubscribers.Notify();
    if (HasKey()) {
        if (IsChanged()) Save();
    } else {
        m_changed = false;
    }
}

}  // namespace nl
