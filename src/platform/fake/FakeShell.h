#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IShell.h"

namespace nl {

// Records what the program handed to the desktop; tests can make each kind of call fail.
class FakeShell final : public IShell {
public:
    enum class Kind { kOpenFile, kOpenUrl, kStart };
    struct Call {
        Kind kind;
        std::string target;                  // the path, address or program
        std::vector<std::string> arguments;  // for kStart
        friend bool operator==(const Call&, const Call&) = default;
    };

    std::uint32_t OpenFile(const std::string& path) override;
    std::uint32_t OpenUrl(const std::string& url) override;
    std::uint32_t StartDetached(const std::string& program,
                                const std::vector<std::string>& arguments) override;

    // Makes later calls of `kind` fail with `code` (0: succeed). Failed calls are logged too.
    void Fail(Kind kind, std::uint32_t code) { m_failure[static_cast<int>(kind)] = code; }
    const std::vector<Call>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    std::uint32_t Record(Call call);

    std::vector<Call> m_log;
    std::uint32_t m_failure[3] = {0, 0, 0};
};

}  // namespace nl
