#include "base/escape.h"

#include <algorithm>

namespace nl {

std::string EscapeCsv(std::string_view text, std::string_view separator) {
    const bool hadQuote = text.find('"') != std::string_view::npos;
    const bool hasSeparator = !separator.empty() && text.find(separator) != std::string_view::npos;
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    if (hadQuote || hasSeparator) return '"' + out + '"';
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
    static constexpr CharEscape kEntities[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
    return EscapeChars(text, kEntities);
}

}  // namespace nl
