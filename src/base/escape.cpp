#include "base/escape.h"

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

std::string EscapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
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
                out += c;
                break;
        }
    }
    return out;
}

}  // namespace nl
