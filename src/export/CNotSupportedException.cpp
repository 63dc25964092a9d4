#include "export/CNotSupportedException.h"

#include "res/StringTable.h"

namespace nl {

CNotSupportedException::CNotSupportedException() : m_message(LoadString(kIdpNotSupported)) {}

}  // namespace nl
