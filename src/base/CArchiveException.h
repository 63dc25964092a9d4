#pragma once
#include <string>

#include "base/CException.h"

namespace nl {

// An error met while reading or writing an archive. The message is the framework's
// text for the cause, filled with the archive's file name ("an unnamed file" when the
// archive has none).
class CArchiveException : public CException {
public:
    enum class Cause {
        kBadFormat,  // wrong magic, newer format, unknown class: "%1 has a bad format."
        kEndOfFile,  // a value runs past the end: "Attempted to access %1 past its end."
    };

    CArchiveException(Cause cause, std::string fileName);

    Cause GetCause() const { return m_cause; }
    const std::string& FileName() const { return m_fileName; }
    const std::string& Message() const noexcept override { return m_message; }

private:
    Cause m_cause;
    std::string m_fileName;
    std::string m_message;
};

}  // namespace nl
