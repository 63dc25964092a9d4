#include "base/escape.h"

#include <algorithm>

#include "base/text.h"

namespace nl {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Whether XML 1.0 lets a document hold the code point: tab, line feed, carriage return and
// everything from U+0020 except the surrogates and U+FFFE/U+FFFF. (The decoder has already
// turned surrogates and malformed bytes into U+FFFD.)
bool IsXmlChar(char32_t cp) {
    return cp == '\t' || cp == '\n' || cp == '\r' || (cp >= 0x20 && cp != 0xFFFE && cp != 0xFFFF);
}

}  // namespace

std::string EscapeCsv(std::string_view cell, std::string_view separator) {
    const std::string text = ValidUtf8(cell);
    const bool hadQuote = text.find('"') != std::string::npos;
    const bool hasSeparator = !separator.empty() && text.find(separator) != std::string::npos;
    // A line break outside quotation marks would end the record.
    const bool hasLineBreak = text.find_first_of("\r\n") != std::string::npos;
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    if (hadQuote || hasSeparator || hasLineBreak) return '"' + out + '"';
    return out;
}

std::string EscapeChars(std::string_view text, std::span<const CharEscape> escapes) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto escape = std::find_if(escapes.begin(), escapes.end(),
                                         [c](const CharEscape& e) { return e.c == c; });
        if (escape != escapes.end())
            out += escape->text;
        else
            out += c;
    }
    return out;
}

std::string EscapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = DecodeUtf8(text, i);
        switch (cp) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // XML 1.0 has no way to write the characters it forbids, not even a reference.
                AppendUtf8(out, IsXmlChar(cp) ? cp : kReplacement);
        }
    }
    return out;
}

}  // namespace nl
