#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nl {

// Text in core is UTF-8 in std::string; files and the clipboard carry UTF-16.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// Decodes the code point at text[i] and moves `i` past it; a malformed or overlong sequence, a
// surrogate or a value past U+10FFFF gives U+FFFD. `i` must be below text.size().
char32_t DecodeUtf8(std::string_view text, std::size_t& i);
// Appends the UTF-8 bytes of the code point `cp`.
void AppendUtf8(std::string& out, char32_t cp);
// `text` with every malformed sequence replaced by U+FFFD; well-formed text comes back as it is.
std::string ValidUtf8(std::string_view text);
// Bytes 0x00..0xFF read as the code points U+0000..U+00FF.
std::string Latin1ToUtf8(std::string_view latin1);
// At most `limit` UTF-16 units of `text`, never ending in half a surrogate pair.
std::string TruncateUtf16(const std::string& text, std::size_t limit);

// Splits at line feeds; "a\nb\n" gives {"a", "b", ""}.
std::vector<std::string> SplitLines(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// Whether `text` ends with `suffix`, ASCII letters compared without case.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Whether `part` occurs in `text`, ASCII letters compared without case.
bool ContainsNoCase(std::string_view text, std::string_view part);
// `text` with its ASCII letters in lower case.
std::string AsciiLower(std::string_view text);

// `text` as a whole number in `base` (no sign other than '-', no blanks, nothing after it);
// nullopt for anything else or a number beyond int.
std::optional<int> ParseWholeInt(std::string_view text, int base = 10);

}  // namespace nl
