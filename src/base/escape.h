#pragma once
#include <span>
#include <string>
#include <string_view>

namespace nl {

// A CSV cell: quotation marks doubled; the whole enclosed in quotation marks when it held one
// or holds the separator. Line breaks are left as they are.
std::string EscapeCsv(std::string_view text, std::string_view separator);

// One character and the text that stands for it in escaped text.
struct CharEscape {
    char c;
    std::string_view text;
};
// `text` with every character that `escapes` lists replaced by its text.
std::string EscapeChars(std::string_view text, std::span<const CharEscape> escapes);

// Text for HTML or XML content and attribute values: &, <, > and " as entity references.
std::string EscapeMarkup(std::string_view text);

}  // namespace nl
