#include "platform/local/CNoHotKeys.h"

#include "base/CSystemError.h"

namespace nl {

std::uint32_t CNoHotKeys::Register(int, std::uint32_t, std::uint32_t) {
    return kErrorNotSupported;
}

}  // namespace nl
