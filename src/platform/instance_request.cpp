#include "platform/instance_request.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace nl {

namespace {

constexpr std::string_view kShowVerb = "show";
constexpr std::string_view kCommandVerb = "command";
constexpr std::string_view kTokenField = "token";
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

}  // namespace

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
    if (fields.size() == next) return request;
    if (fields.size() != next + 2 || fields[next] != kTokenField) return std::nullopt;
    request.activationToken = fields[next + 1];
    return request;
}

}  // namespace nl
