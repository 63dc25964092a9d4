#include "platform/fake/FakeShell.h"

namespace nl {

std::uint32_t FakeShell::OpenFile(const std::string& path) {
    return Record({Kind::kOpenFile, path, {}});
}

std::uint32_t FakeShell::OpenUrl(const std::string& url) {
    return Record({Kind::kOpenUrl, url, {}});
}

std::uint32_t FakeShell::StartDetached(const std::string& program,
                                       const std::vector<std::string>& arguments) {
    return Record({Kind::kStart, program, arguments});
}

std::uint32_t FakeShell::Record(Call call) {
    const std::uint32_t result = m_failure[static_cast<int>(call.kind)];
    m_log.push_back(std::move(call));
    return result;
}

}  // namespace nl
