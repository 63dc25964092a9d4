#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// Numbers of the framework's own texts that the program shows.
enum FrameworkString : std::uint32_t {
    kIdsAppTitle = 57344,         // "NerimLens"
    kIdsIdleMessage = 57345,      // "Ready"
    kIdsUntitled = 61443,         // "Untitled"
    kIdpFailedToOpenDoc = 61696,  // first of the framework's file and archive messages
    kIdpArchBadFormat = 61720,    // "%1 has a bad format."
    kIdpArchEndOfFile = 61721,    // "Attempted to access %1 past its end."
    kIdpUnnamedFile = 61722,      // "an unnamed file"
    kIdpSaveModified = 61697,     // "Save changes to %1?"
    kIdpParseIntRange = 61705,    // "Enter an integer between %1 and %2."
    kIdpNotSupported = 61706,     // "Attempted an unsupported operation."
    kIdpFileReadOnly = 61858,     // "Unable to write to %1, it is read-only or opened by ..."
};

// The text of string `id`, or nothing when the table has no such string.
std::optional<std::string_view> FindString(std::uint32_t id);
// The text of string `id`; empty when the table has no such string.
std::string LoadString(std::uint32_t id);

// Fills the inserts %1..%99 of `pattern` the way the system's message formatter does:
// "%%" is a percent sign, "%n" a line feed, "%0" ends the text, "%" before any other
// non-digit stands for that character alone, and "%N!fmt!" takes insert N (the printf
// format between the marks is accepted and ignored, inserts being text). An insert with no value
// is left as it stands.
std::string FormatMessage(std::string_view pattern,
                          std::initializer_list<std::string_view> inserts);
// Convenience: loads string `id` and fills its inserts.
std::string FormatString(std::uint32_t id, std::initializer_list<std::string_view> inserts);

// A command's string is "prompt\ntool tip": the status-bar prompt before the first line
// feed, the tool tip after it (empty when there is no line feed).
struct PromptAndTip {
    std::string prompt;
    std::string tip;
};
PromptAndTip SplitPrompt(std::string_view text);

}  // namespace nl
