#pragma once
#include "platform/ILocale.h"

namespace nl {

// The login name of the process's user and the host name, from the C library.
class PosixSystemInfo final : public ISystemInfo {
public:
    bool UserName(std::string& out) const override;
    bool ComputerName(std::string& out) const override;
};

}  // namespace nl
