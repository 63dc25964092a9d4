#pragma once
#include <exception>
#include <string>

namespace nl {

// An operation the program does not offer, such as exporting to a file type it cannot write.
// The message is the framework's "Attempted an unsupported operation.".
class CNotSupportedException : public std::exception {
public:
    CNotSupportedException();

    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

}  // namespace nl
