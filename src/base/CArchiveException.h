#pragma once
#include <exception>
#include <string>

namespace nl {

// An error met while reading or writing an archive. The message is the framework's
// text for the cause, filled with the archive's file name ("an unnamed file" when the
// archive has none).
class CArchiveException : public std::exception {
public:
    enum class Cause {
        kBadFormat,  // wrong magic, newer format, unknown class: "%1 has a bad format."
        kEndOfFile,  // a value runs past the end: "Attempted to access %1 past its end."
    };

    CArchiveException(Cause cause, std::string fileName);

    Cause GetCause() const { return m_cause; }
    const std::string& FileName() const { return m_fileName; }
    // The user's text for this error.
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    Cause m_cause;
    std::string m_fileName;
    std::string m_message;
};

}  // namespace nl
