#include <algorithm>
#include <filesystem>

#include "base/CSystemError.h"
#include "base/escape.h"
#include "framework/CPrefs.h"
#include "platform/IFileSystem.h"
#include "platform/IFolders.h"
#include "res/version.h"

// The start-up entry of the preferences: an autostart desktop entry that starts the program
// when the user logs in. It is named after the installed launcher, carries its name and icon
// and starts the same program, so the desktop shows both alike.
namespace nl {
namespace {

constexpr std::string_view kStartupExtension = ".desktop";

// A value of a desktop entry: backslashes and control characters escaped.
std::string DesktopValue(std::string_view text) {
    static constexpr CharEscape kEscapes[] = {
        {'\\', "\\\\"}, {'\n', "\\n"}, {'\t', "\\t"}, {'\r', "\\r"}};
    return EscapeChars(text, kEscapes);
}

// The program or an argument of an Exec line: '%' doubled, and quoted when it holds a
// reserved character.
std::string ExecArgument(std::string_view path) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    constexpr std::string_view kEscapedInQuotes = "\"`$\\";
    std::string program;
    for (const char c : path) {
        if (c == '%') program += '%';
        program += c;
    }
    if (program.find_first_of(kReserved) == std::string::npos) return program;
    std::string quoted = "\"";
    for (const char c : program) {
        if (kEscapedInQuotes.find(c) != std::string_view::npos) quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whether a desktop entry's main group says "Hidden=true".
bool EntryIsHidden(std::string_view entry) {
    constexpr std::string_view kMainGroup = "[Desktop Entry]";
    bool inMainGroup = false;
    while (!entry.empty()) {
        const std::size_t end = entry.find('\n');
        std::string_view line = entry.substr(0, end);
        entry = end == std::string_view::npos ? std::string_view() : entry.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.starts_with('[')) {
            inMainGroup = line == kMainGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inMainGroup && equals != std::string_view::npos &&
            TrimBlanks(line.substr(0, equals)) == "Hidden")
            return TrimBlanks(line.substr(equals + 1)) == "true";
    }
    return false;
}

// How the start-up entry names the executable: by its bare name when the PATH lookup of that
// name finds this same file (an installed program, which keeps working after an upgrade
// moves its files), else by its full path (a build tree, a second copy).
std::string StartupProgram(const IFolders& folders, const IFileSystem& files) {
    const std::string executable = folders.ExecutablePath();
    const std::string name = std::filesystem::path(executable).filename().string();
    const std::string path = folders.Environment("PATH").value_or("");
    for (std::size_t start = 0; start <= path.size() && !name.empty();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = path.substr(start, end - start);
        start = end + 1;
        // A relative entry depends on the folder the session starts programs in.
        if (folder.empty() || folder[0] != '/') continue;
        const std::string candidate = (std::filesystem::path(folder) / name).string();
        if (files.FileExists(candidate))
            return files.SameFile(candidate, executable) ? name : executable;
    }
    return executable;
}

}  // namespace

std::string CPrefs::StartupShortcutPath() const {
    return StartupEntryPath(kDesktopAppId);
}

std::string CPrefs::StartupEntryPath(const std::string& name) const {
    const std::string folder = m_folders.Autostart();
    if (folder.empty()) return {};
    return (std::filesystem::path(folder) / (name + std::string(kStartupExtension))).string();
}

std::string CPrefs::EarlierStartupEntryPath() const {
    return StartupEntryPath(m_applicationName);
}

bool CPrefs::IsStartupEntryEnabled(const std::string& path) const {
    if (path.empty() || !m_files.FileExists(path)) return false;
    std::vector<std::uint8_t> bytes;
    if (m_files.ReadFile(path, bytes) != 0) return true;
    return !EntryIsHidden(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool CPrefs::IsStartupShortcutEnabled() const {
    const std::string path = StartupShortcutPath();
    // The entry of an earlier version counts until this one writes its own.
    if (!path.empty() && m_files.FileExists(path)) return IsStartupEntryEnabled(path);
    return IsStartupEntryEnabled(EarlierStartupEntryPath());
}

std::uint32_t CPrefs::CreateStartupShortcut() {
    const std::string path = StartupShortcutPath();
    if (path.empty()) return kErrorPathNotFound;
    // A hidden entry is written anew, and so is one an earlier version named otherwise.
    if (IsStartupEntryEnabled(path)) return 0;
    if (const auto code = m_files.CreateFolders(std::filesystem::path(path).parent_path().string()))
        return code;
    // The instance started at log-in reads the same data file as this one. TryExec keeps the
    // desktop from starting a program that has been removed since.
    const std::string program = StartupProgram(m_folders, m_files);
    std::string exec = ExecArgument(program);
    for (const std::string& argument : m_overrideArguments) exec += " " + ExecArgument(argument);
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=" + DesktopValue(m_applicationName) +
        "\nComment=" + DesktopValue(kFileDescription) + "\nIcon=" + DesktopValue(kDesktopIconName) +
        "\nTryExec=" + DesktopValue(program) + "\nExec=" + DesktopValue(exec) +
        "\nTerminal=false\n";
    if (const auto code = m_files.WriteFile(
            path, std::span(reinterpret_cast<const std::uint8_t*>(entry.data()), entry.size())))
        return code;
    // Two entries would start the program twice.
    const std::string earlier = EarlierStartupEntryPath();
    return m_files.FileExists(earlier) ? m_files.DeleteFile(earlier) : 0;
}

std::uint32_t CPrefs::RemoveStartupShortcut() {
    for (const std::string& path : {StartupShortcutPath(), EarlierStartupEntryPath()}) {
        if (path.empty() || !m_files.FileExists(path)) continue;
        if (const auto code = m_files.DeleteFile(path)) return code;
    }
    return 0;
}

}  // namespace nl
