#include "model/table_rows.h"

#include <climits>
#include <cstdint>

namespace nl {

int ParseRowId(std::string_view item) {
    size_t i = 0;
    while (i < item.size() && (item[i] == ' ' || item[i] == '\t' || item[i] == '\r' ||
                               item[i] == '\n' || item[i] == '\v' || item[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < item.size() && (item[i] == '-' || item[i] == '+')) negative = item[i++] == '-';
    std::int64_t value = 0;
    for (; i < item.size() && item[i] >= '0' && item[i] <= '9'; ++i) {
        value = value * 10 + (item[i] - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string FillTextFormat(std::string_view format, std::initializer_list<std::string_view> texts) {
    std::string out;
    out.reserve(format.size() + 16 * texts.size());
    const auto* next = texts.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && next != texts.end()) {
                out += *next++;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace nl
