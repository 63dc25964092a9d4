#pragma once
#include "platform/IShell.h"

namespace nl {

// Files and addresses go to the desktop's default handlers (xdg-open on Linux); programs are
// started detached.
class CQtShell final : public IShell {
public:
    std::uint32_t OpenFile(const std::string& path) override;
    std::uint32_t OpenUrl(const std::string& url) override;
    std::uint32_t StartDetached(const std::string& program,
                                const std::vector<std::string>& arguments) override;
};

}  // namespace nl
