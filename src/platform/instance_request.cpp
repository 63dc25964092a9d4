#include "platform/instance_request.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace nl {

namespace {

constexpr std::string_view kShowVerb = "show";
constexpr std::string_view kCommandVerb = "command";
constexpr std::string_view kTokenField = "token";
constexpr std::string_view kOpenField = "open";
constexpr char kEscapeMark = '%';
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr char kFieldSeparator = ' ';
constexpr char kLineEnd = '\n';
constexpr char kFirstPrintable = 0x21;  // after the space
constexpr char kDelete = 0x7F;

// Whether `text` can stand as one field of the line: not empty, only visible characters.
bool IsField(std::string_view text) {
    if (text.empty()) return false;
    for (const char ch : text)
        if (ch < kFirstPrintable || ch == kDelete) return false;
    return true;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(kFieldSeparator, start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// `path` as one field: every byte that cannot stand in a field, and the escape mark itself,
// as %XX. A path is bytes on Linux, whatever their encoding: they come back unchanged.
std::string EscapePath(std::string_view path) {
    std::string out;
    for (const char ch : path) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch >= kFirstPrintable && ch != kDelete && byte < 0x80 && ch != kEscapeMark) {
            out += ch;
            continue;
        }
        out += kEscapeMark;
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
    }
    return out;
}

std::optional<int> HexValue(char ch) {
    const std::size_t at = kHexDigits.find(ch);
    if (at != std::string_view::npos) return static_cast<int>(at);
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return std::nullopt;
}

// The path of a field made by EscapePath; nothing for a broken escape or an empty path.
std::optional<std::string> UnescapePath(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != kEscapeMark) {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return std::nullopt;
        const auto high = HexValue(field[i + 1]);
        const auto low = HexValue(field[i + 2]);
        if (!high || !low) return std::nullopt;
        out += static_cast<char>((*high << 4) | *low);
        i += 2;
    }
    if (out.empty() || out.find('\0') != std::string::npos) return std::nullopt;
    return out;
}

}  // namespace

std::string InstanceFileName(std::string_view name) {
    std::string safe;
    for (const char ch : name) {
        const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                          (ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '_';
        safe += keep ? ch : '_';
    }
    return safe.empty() ? std::string("_") : safe;
}

std::string InstanceSocketPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path += '/';
    return path + InstanceFileName(name) + ".socket";
}

std::uint32_t StartupIdTime(std::string_view startupId) {
    constexpr std::string_view kTimeMark = "_TIME";
    const std::size_t mark = startupId.rfind(kTimeMark);
    if (mark == std::string_view::npos) return 0;
    const std::string_view digits = startupId.substr(mark + kTimeMark.size());
    std::uint32_t time = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
    return error == std::errc() && end == digits.data() + digits.size() ? time : 0;
}

std::optional<std::string> FormatInstanceRequest(const InstanceRequest& request) {
    std::string line;
    if (request.command.empty()) {
        line = kShowVerb;
    } else {
        if (!IsField(request.command)) return std::nullopt;
        line.append(kCommandVerb).append(1, kFieldSeparator).append(request.command);
    }
    if (!request.document.empty()) {
        line.append(1, kFieldSeparator).append(kOpenField).append(1, kFieldSeparator);
        line.append(EscapePath(request.document));
    }
    if (!request.activationToken.empty()) {
        if (!IsField(request.activationToken)) return std::nullopt;
        line.append(1, kFieldSeparator).append(kTokenField).append(1, kFieldSeparator);
        line.append(request.activationToken);
    }
    line += kLineEnd;
    if (line.size() > kMaxInstanceRequestLength) return std::nullopt;
    return line;
}

std::optional<InstanceRequest> ParseInstanceRequest(std::string_view line) {
    if (!line.empty() && line.back() == kLineEnd) line.remove_suffix(1);
    const std::vector<std::string_view> fields = SplitFields(line);
    for (const std::string_view field : fields)
        if (!IsField(field)) return std::nullopt;
    InstanceRequest request;
    std::size_t next = 1;
    if (fields[0] == kCommandVerb) {
        if (fields.size() < 2) return std::nullopt;
        request.command = fields[1];
        next = 2;
    } else if (fields[0] != kShowVerb) {
        return std::nullopt;
    }
    // Then the optional fields, each a name and its value, in the order the line is made.
    if (next + 1 < fields.size() && fields[next] == kOpenField) {
        const std::optional<std::string> path = UnescapePath(fields[next + 1]);
        if (!path) return std::nullopt;
        request.document = *path;
        next += 2;
    }
    if (next + 1 < fields.size() && fields[next] == kTokenField) {
        request.activationToken = fields[next + 1];
        next += 2;
    }
    if (fields.size() != next) return std::nullopt;
    return request;
}

}  // namespace nl
