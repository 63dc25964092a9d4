#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/string_ids.h"

namespace nl {

// The text of string `id`, or nothing when the table has no such string.
std::optional<std::string_view> FindString(std::uint32_t id);
// The text of string `id`; empty when the table has no such string.
std::string LoadString(std::uint32_t id);
// Row `row` (from 0) of table string `id`, whose rows are separated by line feeds; empty
// when the string or the row is missing.
std::string LoadStringRow(std::uint32_t id, std::size_t row);

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
