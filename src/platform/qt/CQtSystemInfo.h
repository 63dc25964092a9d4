#pragma once
#include "platform/ILocale.h"

namespace nl {

// The user's login name and the computer's host name.
class CQtSystemInfo final : public ISystemInfo {
public:
    bool UserName(std::string& out) const override;
    bool ComputerName(std::string& out) const override;
};

}  // namespace nl
