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
inline constexpr std::array<OutsideCommand, kHotKeyCount + 1> kOutsideCommands = {{
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

struct ProgramOptions {
    bool help = false;
    std::string command;            // a known command name; empty: none given
    std::vector<std::string> rest;  // every other argument, in order (a document, overrides)
    std::string error;              // not empty: the message of a wrong command line
};

// Reads `--help`, `--command NAME` and `--command=NAME` out of `arguments` (without the
// program's name). A missing or unknown name, or a second --command, is an error whose
// message lists the names.
ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// The text of --help for the program called `program`.
std::string ProgramUsage(std::string_view program);

}  // namespace nl
