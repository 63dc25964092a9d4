#include "base/CArchiveException.h"

#include "base/StringTable.h"

namespace nl {

CArchiveException::CArchiveException(Cause cause, std::string fileName)
    : m_cause(cause), m_fileName(std::move(fileName)) {
    const std::string name = m_fileName.empty() ? LoadString(kIdpUnnamedFile) : m_fileName;
    const std::uint32_t id = cause == Cause::kBadFormat ? kIdpArchBadFormat : kIdpArchEndOfFile;
    m_message = FormatString(id, {name});
}

}  // namespace nl
