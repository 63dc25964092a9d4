#pragma once
#include <string>

#include "base/CException.h"

namespace nl {

// An operation the program does not offer, such as exporting to a file type it cannot write.
// The message is the framework's "Attempted an unsupported operation.".
class CNotSupportedException : public CException {
public:
    CNotSupportedException();

    const std::string& Message() const noexcept override { return m_message; }

private:
    std::string m_message;
};

}  // namespace nl
