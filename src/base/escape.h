#pragma once
#include <span>
#include <string>
#include <string_view>

namespace nl {

// A CSV cell: quotation marks doubled; the whole enclosed in quotation marks when it held one
// or holds the separator or a line break (kept as it is, inside the quotation marks).
// Malformed UTF-8 becomes U+FFFD.
std::string EscapeCsv(std::string_view cell, std::string_view separator);

// One character and the text that stands for it in escaped text.
struct CharEscape {
    char c;
    std::string_view text;
};
// `text` with every character that `escapes` lists replaced by its text.
std::string EscapeChars(std::string_view text, std::span<const CharEscape> escapes);

// Text for HTML or XML content and attribute values: &, <, > and " as entity references.
// The result is always well-formed XML 1.0 text: malformed UTF-8 and the characters XML
// forbids (the control characters other than tab, line feed and carriage return, U+FFFE and
// U+FFFF) become U+FFFD; all other text is written as it is.
std::string EscapeMarkup(std::string_view text);

}  // namespace nl
