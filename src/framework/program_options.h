#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/hot_keys.h"

namespace nl {

// The hot-key commands another program (a desktop's own key bindings) can run in the
// running instance with `--command NAME`, by hot key id.
struct OutsideCommand {
    std::string_view name;
    int hotKeyId;
};
inline constexpr std::array<OutsideCommand, kHotKeyCount> kOutsideCommands = {{
    {"show-hide", kHotKeyShowHide},
    {"pick-color", kHotKeyPickColor},
    {"ruler", kHotKeyRuler},
    {"clipboard-viewer", kHotKeyClipboardViewer},
    {"contrast", kHotKeyContrast},
}};

// The hot key id of the command named `name`; nothing for an unknown name.
std::optional<int> HotKeyIdOfCommand(std::string_view name);
// The command names joined by ", " in the order of kOutsideCommands.
std::string OutsideCommandNames();

// The options of the program's command line that are handled before any window exists.
inline constexpr std::string_view kCommandOption = "--command";
inline constexpr std::string_view kHelpOption = "--help";
inline constexpr std::string_view kVersionOption = "--version";
// Ends the options: every argument after it is a document or an override.
inline constexpr std::string_view kEndOfOptions = "--";

// What to do with an argument that looks like an option the program does not know.
enum class UnknownOptions {
    kKeep,    // leave it among the rest (the toolkit has not taken its own options out yet)
    kRefuse,  // a wrong command line
};

struct ProgramOptions {
    bool help = false;
    bool version = false;
    std::string command;            // a known command name; empty: none given
    std::vector<std::string> rest;  // every other argument, in order (a document, overrides)
    std::string error;              // not empty: the message of a wrong command line
};

// Reads `--help`, `--version`, `--command NAME` and `--command=NAME` out of `arguments`
// (without the program's name), up to a `--`. A missing or unknown name, or a second
// --command, is an error whose message lists the names; any other argument that starts
// with '-' (but "-" itself) is an unknown option, kept or refused as `unknown` says.
ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments,
                                   UnknownOptions unknown = UnknownOptions::kKeep);

// The message of a later start whose command the running instance did not take.
std::string CommandNotTakenMessage(std::string_view command);

// The text of --help for the program called `program`; its first line is the usage line.
std::string ProgramUsage(std::string_view program);
// The first line of ProgramUsage, for the message of a wrong command line.
std::string ProgramUsageLine(std::string_view program);
// What --version prints: the program's name and version and a line break.
std::string ProgramVersion(std::string_view program);

}  // namespace nl
