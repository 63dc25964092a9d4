#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/COleDateTime.h"
#include "base/CSubscriberList.h"
#include "framework/CRegistry.h"
#include "framework/CSideSettings.h"
#include "framework/CWinState.h"

namespace nl {

class CArchive;
class IDialogs;
class IFileSystem;
class IFolders;

// The platform services the preferences work through. The settings store may be null (no
// registry values are read or written then); the others are required.
struct PrefsServices {
    ISettingsStore* store = nullptr;
    IFolders* folders = nullptr;
    IFileSystem* files = nullptr;
    IDialogs* dialogs = nullptr;
    const IClock* clock = nullptr;
};

// What Load asks of its caller: go on, or end the process with an exit code. Core never
// ends the process itself.
struct LoadResult {
    static constexpr int kFailureExitCode = 1;

    bool exitRequested = false;
    int exitCode = 0;

    static LoadResult Continue() { return {}; }
    static LoadResult Exit(int code) { return {true, code}; }
};

// The outcome of the restore operation.
enum class DataRestoreResult {
    kCancelled,      // the user chose no file or cancelled the confirmation
    kFailed,         // the copy failed; the error was shown and nothing changed
    kExitRequested,  // the data file was replaced: the application must exit without saving
};

// The meaning of the window-state records by index.
enum WinStateIndex : int {
    kWinStateMainFrame = 0,
    kWinStateOptions = 1,
    kWinStateColorProperties = 2,
    kWinStateRuler = 3,
    kWinStateColorEdit = 4,
    kWinStateClipboardViewer = 5,
    kWinStateClipboardFormats = 6,
};

// The preferences' data file and bookkeeping: where the file is, loading it with its version
// backups and its read-error recovery, saving, flushing, back-up and restore, the registry
// values kept beside it and the window-state list. Writes the common-settings block of the
// file; a derived class writes the settings in front of it.
class CPrefs : public CRegistry {
public:
    // The format of the data file this program writes.
    static constexpr std::uint32_t kFormatVersion = 0x00010000;
    static constexpr std::uint32_t kNoVersion = 0;
    static constexpr std::uint32_t kInvalidVersion = 0xFFFFFFFF;
    static constexpr std::string_view kSubKey = "CurrentVersion";
    // The folder override that stands for the executable's folder (any case).
    static constexpr std::string_view kApplicationMarker = "<APPLICATION>";
    static constexpr std::string_view kFolderArgument = "UserDataFolder:";
    static constexpr std::string_view kFileArgument = "UserDataFilePath:";
    static constexpr std::string_view kDataFileExtension = ".dat";
    // The most window states a data file may hold: the program's windows with room for
    // those of later versions. A longer list is refused as a bad format.
    static constexpr std::uint64_t kMaxWinStates = 32;

    CPrefs(const PrefsServices& services, std::string companyName, std::string applicationName);
    ~CPrefs() override;
    CPrefs(const CPrefs&) = delete;
    CPrefs& operator=(const CPrefs&) = delete;

    // Writes or reads the data file from this object's block on (a derived class writes the
    // blocks in front of it first).
    virtual void Serialize(CArchive& ar);
    // The registry step and the data folder and data file overrides from the registry and
    // the command line. A bad override raises CSystemError (path or file not found) naming
    // the setting or the argument.
    virtual void Initialize(std::span<const std::string> commandLine);
    // Empties the window-state list and puts one default record in it.
    virtual void SetDefaults();
    // Reads the data file, recovering from read errors with the user's help. Never throws:
    // an error it cannot recover from is shown and turned into a request to exit with code 1.
    virtual LoadResult Load();
    // Writes the data file; a failure is shown to the user and the settings stay in memory.
    virtual bool Save();
    virtual bool IsChanged() const { return m_changed; }

    // Writes the settings now (on exit, at the end of the session, on deactivation and before
    // a back-up). While saving is suppressed it only clears the settings-changed flag.
    void Flush();
    // Calls `handler` from every Flush before it saves, so that windows can store their
    // state (the main frame's placement, the ruler's open state), in the order subscribed,
    // for as long as the subscription lives.
    [[nodiscard]] CSubscription SubscribeFlush(std::function<void()> handler) {
        return m_flushSubscribers.Subscribe(std::move(handler));
    }
    // Asks for a target file (the dialog starts in the user's documents folder, created when
    // missing), flushes and copies the data file there, and the side file beside the target.
    // False when cancelled or failed (the error was shown).
    bool BackUp();
    // Asks for a source file (starting in the documents folder) and a confirmation, then
    // copies it over the data file, with the side file beside it where there is one.
    DataRestoreResult Restore();

    // The settings kept beside the data file (read by Load, written by Save).
    const CSideSettings& Side() const { return m_side; }
    // Sets or removes a side setting; a change marks the settings changed.
    void SetSide(std::string_view key, std::optional<std::string> value);
    // The side file of the data file at `dataFile` read into the side settings; a missing or
    // unreadable one leaves them at their defaults.
    void ReadSideFile(const std::string& dataFile);

    // The key "Software\<company>\<application>\" in the current user's root.
    void SetRegistryKey() { SetKey(ApplicationKey(m_companyName, m_applicationName)); }
    const std::string& CompanyName() const { return m_companyName; }
    const std::string& ApplicationName() const { return m_applicationName; }

    // The path of the data file, resolved but not checked (raises CSystemError when no folder
    // can be resolved).
    std::string DataFilePath() const;
    // "<data file>.<major>.<minor>.bak".
    static std::string VersionBackupPath(std::string_view dataFile, std::uint32_t version);
    // Expands %NAME%, ${NAME}, $NAME and a leading ~ from `folders`' environment; names that
    // are not set stay as written.
    static std::string ExpandEnvironment(std::string_view text, const IFolders& folders);

    // The start-up entry: an autostart desktop entry named after the launcher (earlier
    // versions named it after the application; such an entry is taken over).
    std::string StartupShortcutPath() const;
    // Whether the entry starts the program: it exists and does not hide itself
    // ("Hidden=true", which the desktop's session settings write to switch an entry off).
    bool IsStartupShortcutEnabled() const;
    // Creates it when absent or hidden (starting the program by its name where the PATH
    // finds this very program, with the data folder and file overrides of this command
    // line); removes it when present. Return 0 or a system error code.
    std::uint32_t CreateStartupShortcut();
    std::uint32_t RemoveStartupShortcut();

    // Writes the whole file into bytes, or reads it from bytes without any recovery (raises
    // CArchiveException). `fileName` names the file in error texts.
    std::vector<std::uint8_t> StoreToBytes(const std::string& fileName = {});
    void LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& fileName = {});

    // State flags.
    void SetChanged() { m_changed = true; }
    void ClearChanged() { m_changed = false; }
    bool IsSaveSuppressed() const { return m_saveSuppressed; }
    void SetSaveSuppressed(bool suppressed) { m_saveSuppressed = suppressed; }
    bool IsLoaded() const { return m_loaded; }
    bool IsFirstRunOfInstall() const { return m_firstRunOfInstall; }

    // Versions: major << 16 | minor.
    std::uint32_t RegistryVersion() const { return m_registryVersion; }
    std::uint32_t CurrentVersion() const { return m_currentVersion; }
    void SetCurrentVersion(std::uint32_t version) { m_currentVersion = version; }
    std::uint32_t WriterVersion() const { return m_writerVersion; }
    std::uint32_t StoredFormatVersion() const { return m_storedFormatVersion; }
    std::uint32_t CurrentFormatVersion() const { return m_currentFormatVersion; }

    const std::string& UserDataFolder() const { return m_userDataFolder; }
    const std::string& UserDataFile() const { return m_userDataFile; }
    bool ShellFoldersUsable() const { return m_shellFoldersUsable; }

    // The window-state list (owned records; never null after SetDefaults or a load).
    int WinStateCount() const { return static_cast<int>(m_winStates.size()); }
    CWinState& WinState(int index) { return *m_winStates.at(static_cast<std::size_t>(index)); }
    const CWinState& WinState(int index) const {
        return *m_winStates.at(static_cast<std::size_t>(index));
    }

protected:
    // The first step of a flush that saves, before the subscribers run.
    virtual void OnFlushing() {}
    // The moment of saving written into the file.
    COleDateTime NowUtc() const;
    // The open flag of the records GrowWinStates adds.
    enum class OpenFlag { kCleared, kSet };
    // Grows the window-state list to `count` records, each with the given open flag.
    void GrowWinStates(int count, OpenFlag open);
    void ShowError(const std::string& text) const;
    // The format version and the writer version at the start of the file. Loading refuses a
    // newer format with the bad-format error, after taking the writer version behind it so
    // that the recovery can keep the file under that version's backup name.
    void SerializeFileVersions(CArchive& ar);

    IFolders& m_folders;
    IFileSystem& m_files;
    IDialogs& m_dialogs;
    const IClock& m_clock;

private:
    // The autostart entry named `name`, the earlier versions' one, and whether an entry
    // exists and is not hidden.
    std::string StartupEntryPath(const std::string& name) const;
    std::string EarlierStartupEntryPath() const;
    bool IsStartupEntryEnabled(const std::string& path) const;
    enum class Purpose { kLoad, kSave };
    // The data file path. Loading: nothing when its folder does not exist. Saving: the folder
    // is created. Other failures raise CSystemError naming the path.
    std::optional<std::string> LocateDataFile(Purpose purpose) const;
    // The side file of the data file at `dataFile`, written from the side settings (a write
    // failure is shown; false then).
    bool WriteSideFile(const std::string& dataFile);
    // The data file path, and in `folder` the folder it lies in when that folder is the
    // program's choice (empty for a data file override).
    std::string ResolveDataFile(std::string& folder) const;
    std::string ResolveMarker(const std::string& path) const;
    // The user's documents folder, created when missing; empty when unknown.
    std::string DocumentsFolder();
    std::string ExecutableFolder() const;
    LoadResult LoadWithRecovery(std::string& path);
    void ReadDataFile(const std::string& path);
    bool VersionsDiffer() const;
    std::uint32_t VersionToPreserve() const;
    bool CanPreserve(std::uint32_t version) const;
    void KeepVersionBackup(const std::string& path);
    // Where an unreadable data file goes before an older file or the defaults take its place;
    // empty when it is empty and simply removed.
    std::string SetAsidePath(const std::string& path) const;
    void DiscardUnreadableFile(const std::string& path);
    // The error text of reading `bytes` as a data file, empty when they read; the settings in
    // memory stay as they were either way.
    std::string DataFileError(std::span<const std::uint8_t> bytes, const std::string& path);
    void RegistryStep();
    void OverrideStep(std::span<const std::string> commandLine);
    std::string SettingText(std::string_view name, std::string_view value) const;
    void ReportSaveError(std::uint32_t code, const std::string& path) const;

    std::string m_companyName;
    std::string m_applicationName;
    bool m_changed = false;
    bool m_saveSuppressed = false;
    CSideSettings m_side;
    bool m_loaded = false;
    bool m_firstRunOfInstall = false;
    std::uint32_t m_registryVersion = kNoVersion;
    std::uint32_t m_currentVersion;
    std::uint32_t m_writerVersion = kNoVersion;
    std::uint32_t m_storedFormatVersion = kFormatVersion;
    std::uint32_t m_currentFormatVersion = kFormatVersion;
    std::string m_userDataFolder;
    std::string m_userDataFile;
    // The overrides the command line gave, as arguments with their values expanded: the
    // start-up entry passes them on.
    std::vector<std::string> m_overrideArguments;
    std::string m_userAppDataFolder;
    std::string m_commonAppDataFolder;
    bool m_shellFoldersUsable = false;
    std::vector<std::unique_ptr<CWinState>> m_winStates;
    CSubscriberList<> m_flushSubscribers;
};

}  // namespace nl
