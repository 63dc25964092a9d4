#include "export/CNotSupportedException.h"

#include "base/StringTable.h"

namespace nl {

CNotSupportedException::CNotSupportedException() : m_message(LoadString(kIdpNotSupported)) {}

}  // namespace nl
